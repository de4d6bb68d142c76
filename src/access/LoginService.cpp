#include "access/LoginService.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/PasswordChanger.h"
#include "access/PasswordHash.h"
#include "access/RightsCheck.h"
#include "access/SecurityImport.h"
#include "access/UserCodeRules.h"
#include "access/VuvuzuPaths.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Text.h"

#include <QDir>
#include <QSysInfo>

namespace tarvo::access {

namespace {

constexpr QChar kDegree(0x00B0);

void writeLoginLog(AccessRepository &repository)
{
    const SessionState s = AccessSession::state();
    if (!s.options.auditLogin)
        return;
    // A log row that cannot be written never stops a login.
    (void)repository.addLogin({s.mak, DayClock::today(), DayClock::now(), s.computerName});
}

} // namespace

LoginService::LoginService(ChangePasswordHook changePassword, BeforeRefusal beforeRefusal,
                           ImportSecurityFile importSecurityFile)
    : m_changePassword(std::move(changePassword)), m_beforeRefusal(std::move(beforeRefusal)),
      m_importSecurityFile(std::move(importSecurityFile))
{
}

bool LoginService::isTarvoLayout() const
{
    return m_securityFile.trimmed().toUpper() == u"TARVO.SEC";
}

bool LoginService::passwordRequired() const
{
    return AccessSession::state().options.requirePassword != 0;
}

LoginService::Start LoginService::prepare(const QString &securityFile, const QString &language,
                                          const QString &information)
{
    m_securityFile = securityFile.left(255);
    const bool english = language.contains(QStringLiteral("English"));
    const QString helpFile = english                              ? QStringLiteral("Vuvuzu.chm")
                             : Text::clip(language) == u"Deutsch" ? QStringLiteral("Vuvuzud.chm")
                                                                  : QString();
    AccessSession::change([&](SessionState &s) {
        s.mak.clear();
        s.masterLogin = false;
        s.securityFile = m_securityFile;
        s.english = english;
        s.helpFile = helpFile;
        s.computerName = QSysInfo::machineHostName().left(63);
    });

    auto repository = AccessSession::repository();
    if (!repository->exists()) {
        const QString file = repository->location();
        const QString folder = file.left(file.size() - QStringLiteral("/Vuvuzu.db").size());
        if (!AccessMessages::ask(
                {QStringLiteral("Die Vuvuzusdatei \""), folder,
                 QStringLiteral("/Vuvuzu.db\" konnte nicht gefunden werden!|Soll sie jetzt neu "
                                "erstellt werden?")},
                false)) {
            finish(false);
            return Start::NobodyLoggedIn;
        }
    }
    if (!createStore()) {
        finish(false);
        return Start::NobodyLoggedIn;
    }
    if (AccessSession::state().options.disableSecCheck) {
        finish(true);
        return Start::LoggedInWithoutWindow;
    }

    m_switches = LoginSwitches::parse(AccessSession::arguments());
    m_charset = 0;
    m_version.clear();
    if (isTarvoLayout()) {
        const qsizetype split = information.indexOf(kDegree);
        m_version = (split < 0 ? information : information.left(split)).left(20).trimmed();
        m_charset = split < 0 ? 0 : information.mid(split + 1).trimmed().toInt();
    }
    AccessSession::change([&](SessionState &s) { s.charset = m_charset; });
    return Start::ShowWindow;
}

bool LoginService::createStore()
{
    auto repository = AccessSession::repository();
    if (auto created = repository->create(); !created) {
        AccessMessages::error(created.error().message);
        return false;
    }
    auto stored = repository->options();
    if (!stored) {
        AccessMessages::error(stored.error().message);
        return false;
    }
    OptionsRecord options;
    if (stored->has_value()) {
        options = **stored;
    } else {
        // A new store: the master access gets its default password, already expired, so that the
        // first login with it must choose a password of its own.
        auto hash = PasswordHash::hash(AccessSession::tr(QStringLiteral("pesk")));
        if (!hash) {
            AccessMessages::error(hash.error().message);
            return false;
        }
        options.masterPassword = *hash;
        options.masterAbgelaufen = 1;
        if (auto saved = repository->saveOptions(options); !saved) {
            AccessMessages::error(saved.error().message);
            return false;
        }
        // The import reports its own failures; the login goes on with an empty catalogue.
        if (m_importSecurityFile)
            m_importSecurityFile(*repository, m_securityFile);
        else
            (void)SecurityImport::run(*repository, m_securityFile);
    }
    AccessSession::change([&](SessionState &s) { s.options = options; });
    return true;
}

bool LoginService::refuse(Field focus, const QStringList &pieces)
{
    m_focus = focus;
    if (m_beforeRefusal)
        m_beforeRefusal();
    AccessMessages::refuse(pieces);
    return false;
}

bool LoginService::attempt(const QString &code, const QString &password)
{
    const QString typedCode = Text::clip(code);
    const QString typedPassword = clippedPassword(password);
    AccessSession::change([&](SessionState &s) { s.mak = typedCode; });
    if (!UserCodeRules::isAcceptable(typedCode))
        return refuse(Field::Code,
                      {typedCode, QStringLiteral(" "), QStringLiteral("ist kein gültiger Benutzer!")});

    const OptionsRecord options = AccessSession::state().options;
    // The master code is a user code too: one code in any case, and the code as stored names the
    // master's folder, so that "WKZ" and "wkz" share one.
    if (UserCodeRules::sameCode(typedCode, options.masterMak) &&
        (!passwordRequired() || PasswordHash::verify(options.masterPassword, typedPassword)))
        return masterLogin(Text::clip(options.masterMak));
    AccessSession::change([](SessionState &s) { s.masterLogin = false; });
    return userLogin(typedCode, typedPassword);
}

void LoginService::demandNewPassword(const QString &code, bool master)
{
    if (m_beforeRefusal)
        m_beforeRefusal();
    AccessMessages::notice(
        {QStringLiteral("Ihr Passwort ist abgelaufen.|Sie müssen nun Ihr Passwort ändern.")});
    if (m_changePassword)
        m_changePassword(code, master);
}

bool LoginService::masterLogin(const QString &code)
{
    auto repository = AccessSession::repository();
    if (passwordRequired() && AccessSession::state().options.masterAbgelaufen) {
        demandNewPassword(code, true);
        auto reread = repository->options();
        if (!reread || !reread->has_value() || (*reread)->masterAbgelaufen)
            return refuse(Field::Password, {QStringLiteral("Passwort wurde nicht geändert!")});
        AccessSession::change([&](SessionState &s) { s.options = **reread; });
    }
    AccessSession::change([&](SessionState &s) {
        s.masterLogin = true;
        s.mak = code;
    });
    writeLoginLog(*repository);
    return true;
}

bool LoginService::userLogin(const QString &code, const QString &password)
{
    auto repository = AccessSession::repository();
    const OptionsRecord options = AccessSession::state().options;
    auto found = repository->user(code);
    if (!found) {
        m_focus = Field::Code;
        AccessMessages::error(found.error().message);
        return false;
    }
    if (!found->has_value())
        return refuse(Field::Code,
                      {code, QStringLiteral(" "), QStringLiteral("ist kein gültiger Benutzer!")});
    UserRecord user = **found;
    const QString storedCode = Text::clip(user.mak);
    AccessSession::change([&](SessionState &s) { s.mak = storedCode; });

    if (passwordRequired() && !PasswordHash::verify(user.passwort, password)) {
        // Counted in the user's row, so that neither a new dialog nor a restart resets it, and in
        // one step of the store, so that wrong logins at the same moment cannot count as one.
        const qint32 lockAfter = options.disableUser ? options.noLogins : 0;
        const auto counted = repository->countFailedLogin(storedCode, lockAfter);
        if (!counted)
            AccessMessages::error(counted.error().message);
        else if (counted->has_value() && (*counted)->lockedNow)
            return refuse(Field::Password, {QStringLiteral("Ihre Anmeldung ist"), QStringLiteral(" "),
                                            QString::number((*counted)->count), QStringLiteral(" "),
                                            QStringLiteral("mal fehlgeschlagen!")});
        return refuse(Field::Password, {QStringLiteral("Falsches Passwort für Benutzer"), QStringLiteral(" "),
                                        storedCode, QStringLiteral(".")});
    }

    // The account is checked before an expired password is changed: a refused account gets no
    // chance to change its password.
    const qint32 today = DayClock::today();
    if (user.typ == 2 && today > user.gueltigBis)
        return refuse(Field::Code, {QStringLiteral("Ihr Benutzerkonto ist am"), QStringLiteral(" "),
                                    DayClock::formatDate(user.gueltigBis), QStringLiteral(" "),
                                    QStringLiteral("abgelaufen!")});
    if (user.inaktiv)
        return refuse(Field::Code, {QStringLiteral("Ihr Benutzerkonto ist deaktiviert!")});
    const QString boundTo = Text::clip(user.computerName).toUpper();
    if (!boundTo.isEmpty() && boundTo != Text::clip(AccessSession::state().computerName).toUpper())
        return refuse(Field::Code, {QStringLiteral("Ihr Benutzerkonto erlaubt die Anmeldung nur am Computer"),
                                    QStringLiteral(" "), boundTo, QStringLiteral("!")});

    std::optional<qint32> newExpiry;
    if (passwordRequired() && !user.passwortPermanent && user.passwortAblauf != 0) {
        if (user.passwortAblauf <= today) {
            demandNewPassword(storedCode, false);
            auto reread = repository->user(storedCode);
            // The expiry moves forward only when the password was really changed.
            if (!reread || !reread->has_value() || (*reread)->passwort == user.passwort)
                return refuse(Field::Password, {QStringLiteral("Passwort wurde nicht geändert!")});
            user = **reread;
            newExpiry = today + user.passwortErneuern;
        } else if (user.passwortAblauf - today <= options.warn) {
            AccessMessages::notice({QStringLiteral("Ihr Passwort läuft in"), QStringLiteral(" "),
                                    QString::number(user.passwortAblauf - today), QStringLiteral(" "),
                                    QStringLiteral("Tagen ab.")});
        }
    }

    // Only what the login changes is written, and only while the account is still active: a lock
    // or an administrator's change made since the user was read stays as it is.
    // A store that cannot be written (a read-only share) says so and still lets the user in.
    const auto recorded = repository->recordGoodLogin(storedCode, newExpiry);
    if (!recorded)
        AccessMessages::error(recorded.error().message);
    else if (!*recorded)
        return refuse(Field::Code, {QStringLiteral("Ihr Benutzerkonto ist deaktiviert!")});
    if (newExpiry)
        user.passwortAblauf = *newExpiry;

    bool adminExists = user.typ == 3;
    if (auto all = repository->users())
        for (const auto &u : *all)
            adminExists = adminExists || u.typ == 3;
    AccessSession::change([&](SessionState &s) {
        s.user = UserValues{user.anrede, user.name,      user.zusatz,    user.telefon, user.fax,
                            user.email,  user.userLong1, user.userLong2, user.userByte};
        s.isAdmin = user.typ == 3;
        s.masterLogin = false;
        s.adminExists = s.adminExists || adminExists;
    });
    writeLoginLog(*repository);
    return true;
}

void LoginService::finish(bool loggedIn)
{
    const SessionState s = AccessSession::state();
    const QString code = Text::clip(s.mak);
    QString folder = VuvuzuPaths::programFolder();
    // The user's own folder is made only for somebody who logged in, from the code as stored.
    if (loggedIn && !code.isEmpty() && UserCodeRules::isAcceptable(code)) {
        folder += u'/' + code;
        QDir().mkpath(folder);
    }
    const int farbe =
        IniFile(folder + QStringLiteral("/User.ini"))
            .intValue(QStringLiteral("User Settings"), QStringLiteral("Display color"), 0x800000);
    AccessSession::change([&](SessionState &state) {
        if (!loggedIn)
            state.mak.clear();
        state.makOrdner = folder;
        state.farbe = farbe;
    });
    if (loggedIn)
        RightsCheck::open(*AccessSession::repository(), code);
}

} // namespace tarvo::access
