#include "core/ui/frame/FrameCommands.h"

#include "core/frame/FrameProcedures.h"
#include "core/services/AccessServices.h"
#include "core/services/IssueServices.h"
#include "core/services/MailServices.h"
#include "core/services/MasterDataServices.h"
#include "core/services/Services.h"
#include "core/ui/frame/FrameDesktop.h"
#include "core/ui/frame/PlaceholderWindow.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/RunOnce.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <map>
#include <memory>

namespace tarvo::core::ui {

FrameCommands::FrameCommands(Context &frameContext) : m_frame(frameContext) {}

bool FrameCommands::run(const QString &control)
{
    MasterDataServices *master = Services::masterData();
    MailServices *mail = Services::mail();
    const QString masterText = QStringLiteral("The %1 comes with the master data.");
    const QString mailText = QStringLiteral("The %1 comes with the e-mail subsystem.");

    if (control == QLatin1String("BROWSECUSTOMER")) {
        if (master)
            master->browseCustomer();
        else
            startPlaceholder(QStringLiteral("BrowseCustomer"), QStringLiteral("Customers"),
                             masterText.arg(QStringLiteral("customer browse")), true);
    } else if (control == QLatin1String("EXTRAEMAILEVENTS")) {
        if (mail)
            mail->browseEMailEvents();
        else
            startPlaceholder(QStringLiteral("BrowseEMailEvents"), QStringLiteral("EMail Notification"),
                             mailText.arg(QStringLiteral("list of e-mail notification rules")), true);
    } else if (control == QLatin1String("EXTRAEMAILTEMPLATES")) {
        if (mail)
            mail->browseEMailTemplates();
        else
            startPlaceholder(QStringLiteral("BrowseEMailTemplates"), QStringLiteral("EMail Templates"),
                             mailText.arg(QStringLiteral("list of e-mail templates")), true);
    } else if (control == QLatin1String("FILEMASSEMAILS")) {
        if (mail)
            mail->browseMassEMails();
        else
            startPlaceholder(QStringLiteral("BrowseMassEMails"), QStringLiteral("Mass EMails"),
                             mailText.arg(QStringLiteral("list of mass e-mails")), true);
    } else if (control == QLatin1String("FILEGENERATERELEASENOTES")) {
        if (master)
            master->browseReleaseNotes();
        else
            startPlaceholder(QStringLiteral("BrowseReleaseNotes"), QStringLiteral("Release Notes"),
                             masterText.arg(QStringLiteral("list of release notes")), true);
    } else if (control == QLatin1String("EXTRAOPTIONS")) {
        if (master)
            master->options();
        else
            startPlaceholder(QStringLiteral("Options"), QStringLiteral("Options"),
                             masterText.arg(QStringLiteral("options window")), true);
    } else if (control == QLatin1String("EXTRASECURITYSYSTEM")) {
        if (master)
            master->accessAdministration(m_frame.number());
        else
            startPlaceholder(QStringLiteral("AccessAdministration"), QStringLiteral("Security-System"),
                             masterText.arg(QStringLiteral("access administration")), true);
    } else if (control == QLatin1String("EXTRACHANGEPASSWORD")) {
        // The library finds the user by the whole code, not by the initials records store.
        if (AccessServices *access = Services::access())
            access->changePassword(access->mak(), false);
    } else if (control == QLatin1String("EXTRAUSERSETTINGS")) {
        startOwn(QStringLiteral("UserSettings"), false, true, QStringLiteral("User Settings"),
                 QStringLiteral("The user settings window comes with the user settings."));
    } else if (control == QLatin1String("EXTRASYSTEMROUTINEN")) {
        startOwn(QStringLiteral("Systemroutinen"), true, true, QStringLiteral("System"),
                 QStringLiteral("The system routines come with the repair functions."));
    } else if (control == QLatin1String("HELPCONTENTS")) {
        FrameDesktop::open(QUrl::fromLocalFile(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/Tarvo.html"))));
    } else if (control == QLatin1String("HELPSENDFEEDBACK")) {
        startOwn(QStringLiteral("Feedback"), false, true, QStringLiteral("Feedback"),
                 QStringLiteral("The feedback window comes with the about and feedback windows."));
    } else if (control == QLatin1String("HELPTARVOWEB")) {
        FrameDesktop::open(QUrl(webPage()));
    } else if (control == QLatin1String("HELPTIPOFTHEDAY")) {
        startOwn(QStringLiteral("Tip_of_the_Day"), false, false, QStringLiteral("Tip of the Day"),
                 QStringLiteral("The tip of the day comes with the tips."));
    } else if (control == QLatin1String("HELPKEYFEATURES")) {
        startOwn(QStringLiteral("Demo_Features"), false, false, QStringLiteral("Key Features"),
                 QStringLiteral("The key features window comes with the key features."));
    } else if (control == QLatin1String("HELPDOCUMENTATIONGETTINGSTARTED")) {
        openManual(QStringLiteral("Getting Started.pdf"));
    } else if (control == QLatin1String("HELPDOCUMENTATIONADMINISTRATORSGUIDE")) {
        openManual(QStringLiteral("Administrator's Guide.pdf"));
    } else if (control == QLatin1String("HELPABOUTTARVO")) {
        startOwn(QStringLiteral("About"), true, false, QStringLiteral("About Tarvo"),
                 QStringLiteral("Tarvo - Every issue in its place. The about window comes with the about and "
                                "feedback windows."));
    } else if (control == QLatin1String("EDITCUT")) {
        editCommand("cut");
    } else if (control == QLatin1String("EDITCOPY")) {
        editCommand("copy");
    } else if (control == QLatin1String("EDITPASTE")) {
        editCommand("paste");
    } else {
        return false;
    }
    return true;
}

int FrameCommands::startBrowseBugs()
{
    if (IssueServices *issues = Services::issues())
        return issues->browseBugs();
    return startPlaceholder(QStringLiteral("BrowseBugs"), QStringLiteral("Issues"),
                            QStringLiteral("The issue browse comes with the issue tracking."), false);
}

void FrameCommands::startOwn(const QString &procedure, bool onFrame, bool runOnce, const QString &title,
                             const QString &text)
{
    if (FrameProcedures::Procedure own = FrameProcedures::get(procedure)) {
        if (onFrame) {
            own(m_frame);
        } else if (ContextRegistry *registry = m_frame.registry()) {
            if (Result<int> started = registry->start(own); !started)
                Messages::show(started.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        }
        return;
    }
    // A stand-in opens on a context of its own, so that it never takes the frame's events.
    startPlaceholder(procedure, title, text, runOnce);
}

int FrameCommands::startPlaceholder(const QString &procedure, const QString &title, const QString &text,
                                    bool runOnce)
{
    ContextRegistry *registry = m_frame.registry();
    if (!registry)
        return 0;
    RunOnce *once = runOnce ? slot(procedure) : nullptr;
    Result<int> started = registry->start([procedure, title, text, once](Context &context) {
        auto *window = new PlaceholderWindow(context, procedure, title, text);
        window->setRunOnce(once);
        window->open();
    });
    if (!started) {
        Messages::show(started.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return 0;
    }
    return *started;
}

RunOnce *FrameCommands::slot(const QString &procedure)
{
    // Kept for the whole run: a running window may outlive the frame object that started it.
    static std::map<std::pair<const ContextRegistry *, QString>, std::unique_ptr<RunOnce>> slots;
    ContextRegistry *registry = m_frame.registry();
    auto &held = slots[{registry, procedure}];
    if (!held)
        held = std::make_unique<RunOnce>(*registry);
    return held.get();
}

void FrameCommands::openManual(const QString &fileName)
{
    const QString path = QDir(QDir::currentPath()).filePath(fileName);
    if (QFileInfo(path).isFile() && FrameDesktop::open(QUrl::fromLocalFile(path)))
        return;
    Messages::show(QStringLiteral("\"%1\" not found!").arg(fileName), QStringLiteral("Error"),
                   MessageIcon::Information);
}

void FrameCommands::editCommand(const char *method)
{
    if (QWidget *focused = QApplication::focusWidget())
        QMetaObject::invokeMethod(focused, method);
}

} // namespace tarvo::core::ui
