#pragma once

#include "access/AccessRepository.h"
#include "access/LoginSwitches.h"

#include <QString>

#include <functional>

namespace tarvo::access {

// The logic of the login dialog Vuvuzu_Login, without a window: preparing the library and its
// store, the checks of OK, and the closing steps that leave MAK, MAKORDNER and FARBE behind.
class LoginService final {
  public:
    enum class Start { ShowWindow, LoggedInWithoutWindow, NobodyLoggedIn };
    enum class Field { Code, Password };
    // Runs the forced change of an expired password: for the user with the code, or for the
    // master access. The window opens Vuvuzu_ChangePassword; tests change it directly.
    using ChangePasswordHook = std::function<void(const QString &code, bool master)>;
    // Called before a refusal is shown, so a hidden window can show itself first.
    using BeforeRefusal = std::function<void()>;
    // Imports the security file into a new store; the window shows its progress while it runs.
    using ImportSecurityFile = std::function<void(AccessRepository &repository, const QString &securityFile)>;

    LoginService(ChangePasswordHook changePassword, BeforeRefusal beforeRefusal = {},
                 ImportSecurityFile importSecurityFile = {});

    // Opening steps: language, the store (asking to create it), options, switches.
    Start prepare(const QString &securityFile, const QString &language, const QString &information);

    const LoginSwitches &switches() const { return m_switches; }
    bool passwordRequired() const;
    QString version() const { return m_version; }
    int charset() const { return m_charset; }
    bool isTarvoLayout() const;

    // OK: runs the checks with the typed code and password; true when somebody logged in.
    bool attempt(const QString &code, const QString &password);
    // Where the focus goes after a refused attempt.
    Field focus() const { return m_focus; }

    // Closing steps, always run (also after Cancel).
    void finish(bool loggedIn);

  private:
    bool refuse(Field focus, const QStringList &pieces);
    // Tells that the password has expired and runs the change of it.
    void demandNewPassword(const QString &code, bool master);
    bool masterLogin(const QString &password);
    bool userLogin(const QString &code, const QString &password);
    bool createStore();

    ChangePasswordHook m_changePassword;
    BeforeRefusal m_beforeRefusal;
    ImportSecurityFile m_importSecurityFile;
    LoginSwitches m_switches;
    QString m_securityFile;
    QString m_version;
    int m_charset = 0;
    Field m_focus = Field::Code;
};

} // namespace tarvo::access
