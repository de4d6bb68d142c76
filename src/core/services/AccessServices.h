#pragma once

#include <QString>

namespace tarvo::core {

// What the main program calls of the access library: its exported functions and variables.
// The application registers the real library; tests register a fake.
class AccessServices {
  public:
    virtual ~AccessServices() = default;

    // VUVUZU_LOGIN: the login dialog; true when a user or the master logged in.
    virtual bool login(const QString &securityFile, const QString &language, const QString &information) = 0;
    // VUVUZU_CHECKCONTROL: may the logged-in user use the control with this rights key?
    virtual bool checkControl(const QString &rightsKey) = 0;
    // VUVUZU_GETVALUE: a value of the logged-in user or of another user (numbers as decimal text).
    virtual QString getValue(const QString &key, const QString &userCode = {}) = 0;
    // VUVUZU_CHANGEPASSWORD
    virtual void changePassword(const QString &userCode, bool forced) = 0;
    // VUVUZU_BROWSEUSERS: the chosen user code, or the given one when nothing was chosen.
    virtual QString browseUsers(const QString &userCode) = 0;
    // VUVUZU_USEFILES: 1 opens the rights tables and keeps them open; any other value closes them.
    virtual void useFiles(int mode) = 0;
    // VUVUZU: the administration window.
    virtual void administration() = 0;
    // VUVUZU_TPSFIX: the data-file repair window.
    virtual void repairDataFiles() = 0;

    // The library's exported variables.
    virtual QString mak() const = 0;       // MAK: the logged-in user's code
    virtual QString makOrdner() const = 0; // MAKORDNER: the user's own folder (home of "User.ini")
    virtual qint32 farbe() const = 0;      // FARBE: display colour
    virtual void setFarbe(qint32 colour) = 0;
    virtual QString pfad() const = 0; // PFAD: the data folder
    virtual void setPfad(const QString &folder) = 0;
    virtual QString computerName() const = 0;

    // The user's initials as records store them: the first three characters of MAK.
    QString initials() const { return mak().left(3); }
};

} // namespace tarvo::core
