#include "core/ui/frame/FrameCommands.h"

#include "core/frame/FrameProcedures.h"
#include "core/services/AccessServices.h"
#include "core/services/IssueServices.h"
#include "core/services/MailServices.h"
#include "core/services/MasterDataServices.h"
#include "core/services/NotAvailable.h"
#include "core/services/Services.h"
#include "core/ui/frame/FrameDesktop.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"
#include "platform/runtime/Translator.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace tarvo::core::ui {

FrameCommands::FrameCommands(Context &frameContext) : m_frame(frameContext) {}

const QHash<QString, FrameCommands::Action> &FrameCommands::commands()
{
    static const QHash<QString, Action> table = {
        {QStringLiteral("BROWSECUSTOMER"), [](FrameCommands &) { Services::masterData()->browseCustomer(); }},
        {QStringLiteral("FILEGENERATERELEASENOTES"),
         [](FrameCommands &) { Services::masterData()->browseReleaseNotes(); }},
        {QStringLiteral("EXTRAOPTIONS"), [](FrameCommands &) { Services::masterData()->options(); }},
        {QStringLiteral("EXTRASECURITYSYSTEM"),
         [](FrameCommands &c) { Services::masterData()->accessAdministration(c.m_frame.number()); }},
        {QStringLiteral("EXTRAEMAILEVENTS"), [](FrameCommands &) { Services::mail()->browseEMailEvents(); }},
        {QStringLiteral("EXTRAEMAILTEMPLATES"),
         [](FrameCommands &) { Services::mail()->browseEMailTemplates(); }},
        {QStringLiteral("FILEMASSEMAILS"), [](FrameCommands &) { Services::mail()->browseMassEMails(); }},
        // The library finds the user by the whole code, not by the initials records store.
        {QStringLiteral("EXTRACHANGEPASSWORD"),
         [](FrameCommands &) {
             AccessServices *access = Services::access();
             access->changePassword(access->mak(), false);
         }},
        {QStringLiteral("EXTRAUSERSETTINGS"),
         [](FrameCommands &c) { c.startOwn(QStringLiteral("UserSettings"), false); }},
        {QStringLiteral("EXTRASYSTEMROUTINEN"),
         [](FrameCommands &c) { c.startOwn(QStringLiteral("Systemroutinen"), true); }},
        {QStringLiteral("HELPSENDFEEDBACK"),
         [](FrameCommands &c) { c.startOwn(QStringLiteral("Feedback"), false); }},
        {QStringLiteral("HELPTIPOFTHEDAY"),
         [](FrameCommands &c) { c.startOwn(QStringLiteral("Tip_of_the_Day"), false); }},
        {QStringLiteral("HELPKEYFEATURES"),
         [](FrameCommands &c) { c.startOwn(QStringLiteral("Demo_Features"), false); }},
        {QStringLiteral("HELPABOUTTARVO"),
         [](FrameCommands &c) { c.startOwn(QStringLiteral("About"), true); }},
        {QStringLiteral("HELPCONTENTS"),
         [](FrameCommands &c) {
             c.openDocument(
                 QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/Tarvo.html")));
         }},
        {QStringLiteral("HELPDOCUMENTATIONGETTINGSTARTED"),
         [](FrameCommands &c) {
             c.openDocument(QDir::current().filePath(QStringLiteral("Getting Started.pdf")));
         }},
        {QStringLiteral("HELPDOCUMENTATIONADMINISTRATORSGUIDE"),
         [](FrameCommands &c) {
             c.openDocument(QDir::current().filePath(QStringLiteral("Administrator's Guide.pdf")));
         }},
        {QStringLiteral("HELPTARVOWEB"), [](FrameCommands &) { FrameDesktop::open(QUrl(webPage())); }},
        {QStringLiteral("EDITCUT"), [](FrameCommands &c) { c.editCommand("cut"); }},
        {QStringLiteral("EDITCOPY"), [](FrameCommands &c) { c.editCommand("copy"); }},
        {QStringLiteral("EDITPASTE"), [](FrameCommands &c) { c.editCommand("paste"); }},
    };
    return table;
}

bool FrameCommands::run(const QString &control)
{
    const Action action = commands().value(control);
    if (!action)
        return false;
    action(*this);
    return true;
}

int FrameCommands::startBrowseBugs()
{
    return Services::issues()->browseBugs();
}

void FrameCommands::startOwn(const QString &procedure, bool onFrame)
{
    const FrameProcedures::Procedure own = FrameProcedures::get(procedure);
    if (!own) {
        NotAvailable::say();
    } else if (onFrame) {
        own(m_frame);
    } else if (ContextRegistry *registry = m_frame.registry()) {
        if (Result<int> started = registry->start(own); !started)
            Messages::show(started.error().message, ProgramInfo::productName(), MessageIcon::Exclamation);
    }
}

// A missing file, or one the desktop cannot open, is named to the user rather than left unanswered.
void FrameCommands::openDocument(const QString &path)
{
    if (QFileInfo(path).isFile() && FrameDesktop::open(QUrl::fromLocalFile(path)))
        return;
    const Translator &translator = Translator::instance();
    Messages::show(translator.translate(QStringLiteral("\"%1\" not found!")).arg(QFileInfo(path).fileName()),
                   translator.translate(QStringLiteral("Error")), MessageIcon::Information);
}

void FrameCommands::editCommand(const char *method)
{
    if (QWidget *focused = QApplication::focusWidget())
        QMetaObject::invokeMethod(focused, method);
}

} // namespace tarvo::core::ui
