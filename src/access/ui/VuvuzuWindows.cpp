// The boundary functions that open the library's windows.
#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/LoginService.h"
#include "access/Vuvuzu.h"
#include "access/ui/ImportProgress.h"
#include "access/ui/VuvuzuAdministration.h"
#include "access/ui/Vuvuzu_BrowseUsers.h"
#include "access/ui/Vuvuzu_ChangePassword.h"
#include "access/ui/Vuvuzu_Login.h"
#include "access/ui/Vuvuzu_TPSFIX.h"

#include <QPointer>

namespace tarvo::access {

quint8 VUVUZU_LOGIN(const QString &securityFile, const QString &language, const QString &information)
{
    QPointer<Vuvuzu_Login> window;
    LoginService service(
        [](const QString &code, bool master) { Vuvuzu_ChangePassword::run(code, master, true, nullptr); },
        [&window] {
            if (window && !window->isVisible())
                window->show();
        },
        [](AccessRepository &repository, const QString &file) {
            (void)ImportProgress::import(repository, file);
        });
    switch (service.prepare(securityFile, language, information)) {
    case LoginService::Start::NobodyLoggedIn:
        return 0;
    case LoginService::Start::LoggedInWithoutWindow:
        return 1;
    case LoginService::Start::ShowWindow:
        break;
    }
    Vuvuzu_Login dialog(service);
    window = &dialog;
    const bool loggedIn = dialog.run();
    service.finish(loggedIn);
    return loggedIn ? 1 : 0;
}

void VUVUZU_CHANGEPASSWORD(const QString &userCode, int forced)
{
    Vuvuzu_ChangePassword::run(userCode, false, forced == 1, nullptr);
}

QString VUVUZU_BROWSEUSERS(const QString &userCode)
{
    return Vuvuzu_BrowseUsers::choose(userCode, nullptr);
}

void VUVUZU()
{
    // Only an administrator or the master access runs the administration; with every check
    // switched off nobody logs in, and the administration stays reachable to switch them on.
    const SessionState s = AccessSession::state();
    if (!s.masterLogin && !s.isAdmin && !s.options.disableSecCheck) {
        AccessMessages::refuse(
            {QStringLiteral("Sie besitzen nicht die Berechtigung für die Vuvuzusverwaltung!")});
        return;
    }
    VuvuzuAdministration window;
    window.exec();
}

void VUVUZU_TPSFIX()
{
    Vuvuzu_TPSFIX window;
    window.exec();
}

} // namespace tarvo::access
