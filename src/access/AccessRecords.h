#pragma once

#include <QString>

#include <array>

namespace tarvo::access {

// One row of Benutzer: a user of the access system. Dates are day numbers, 0 = none.
struct UserRecord final {
    qint32 seit = 0;
    QString anrede, name, zusatz, strasse, lkz, plz, ort, telefon, fax, mobiltelefon, email, internet;
    QString mak;
    QString passwort; // Argon2id hash, never the password itself
    qint32 typ = 1;   // 1 user, 2 temporary user, 3 administrator
    qint32 gueltigBis = 0;
    qint32 inaktiv = 0;
    qint32 passwortAendern = 1;
    qint32 passwortPermanent = 1;
    qint32 passwortErneuern = 0;
    qint32 passwortAblauf = 0;
    QString computerName;
    qint32 userLong1 = 0, userLong2 = 0;
    std::array<qint32, 9> userByte{}; // USERBYTE1..USERBYTE9
    qint32 fehlversuche = 0;          // failed logins since the last good one
};

// What counting one failed login left in the user's row.
struct FailedLogin final {
    qint32 count = 0;       // failed logins since the last good one, this one included
    bool lockedNow = false; // this failure deactivated the account
};

// The one Options row (ID 1) that governs the access system.
struct OptionsRecord final {
    qint32 id = 0; // saved as 1, the only row
    qint32 disableSecCheck = 0, loginOnly = 0, requirePassword = 1, auditLogin = 0, disableUser = 0;
    qint32 noLogins = 3, minPasswordLen = 1, noPassword = 0, warn = 3;
    QString masterMak = QStringLiteral("wkz");
    QString masterPassword; // Argon2id hash
    qint32 masterChangeDate = 0, masterChangeTime = 0;
    QString masterChangeMak;
    qint32 masterAbgelaufen = 0; // the master password must be changed at the next login
};

// A guarded procedure of the host, from the security file.
struct ProcRecord final {
    QString proc;
    QString description;
};

// A guarded control of the host, from the security file.
struct ResourceRecord final {
    qint32 resourceId = 0;
    QString proc;
    QString resource; // rights key "<Procedure>:?<Control>[:n]"
    QString description;
    QString description2;
    QString typ;
};

// One entry of a user's password history; the hash is of the case-folded password, so that a
// password differing only in case counts as used.
struct PasswordRecord final {
    QString mak;
    QString password;
    qint32 date = 0;
};

// One row of the login log.
struct LoginRecord final {
    QString mak;
    qint32 date = 0;
    qint32 time = 0;
    QString computer;
};

} // namespace tarvo::access
