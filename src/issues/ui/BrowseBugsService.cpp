#include "issues/ui/BrowseBugsService.h"

#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameUserSettings.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/TarvoData.h"
#include "issues/ui/BrowseBugs.h"
#include "issues/ui/form/UpdateBugs.h"
#include "issues/ui/subforms/IssueSubForms.h"
#include "issues/ui/subforms/UpdateAttachments.h"
#include "issues/ui/subforms/UpdateNotes.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/Translator.h"

#include <QApplication>

namespace tarvo::issues::ui {

BrowseBugsUser BrowseBugsService::currentUser()
{
    BrowseBugsUser user;
    core::AccessServices &access = *core::Services::access();
    user.mak = access.mak();
    user.secP = core::FrameGlobals::instance().secP();
    user.userIniPath = access.makOrdner().isEmpty() ? ProgramFolder::filePath(QStringLiteral("User.ini"))
                                                    : core::FrameUserSettings::userIniPath(access);
    user.programIniPath = ProgramFolder::filePath(QStringLiteral("Tarvo.INI"));
    user.boundToOwnIssues = access.getValue(QStringLiteral("BEN:UserByte1")).trimmed().toInt() != 0;
    return user;
}

int BrowseBugsService::browseBugs()
{
    Result<int> started = m_registry.start([](Context &context) {
        data::Session *session = core::TarvoData::session(context);
        if (!session) {
            Messages::show(Translator::instance().translate(QStringLiteral("The data files are not open.")),
                           QStringLiteral("BrowseBugs"), MessageIcon::Exclamation);
            return;
        }
        auto *browse = new BrowseBugs(context, *session, currentUser());
        if (!browse->open())
            browse->deleteLater();
    });
    if (!started) {
        Messages::show(started.error().message, QStringLiteral("BrowseBugs"), MessageIcon::Exclamation);
        return 0;
    }
    return *started;
}

namespace {

// The owner a note or attachment in the buffer belongs to: its issue, else its program.
SubFormOwner ownerIn(const data::Record &buffer, const QString &issueField, const QString &programField)
{
    return SubFormOwner{buffer.integer(issueField), buffer.integer(programField)};
}

void openCalled(tarvo::ui::UpdateForm *form, core::FormDone done)
{
    form->openModal(QApplication::activeWindow(), [done = std::move(done)](int response) {
        if (done)
            done(response);
    });
}

} // namespace

void BrowseBugsService::updateBugs(int contextNumber, core::FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    const data::Record &bug = called.session->file(QStringLiteral("Bugs"))->buffer();
    NewIssueValues values;
    values.prgId = qint32(bug.integer(QStringLiteral("BUG:PrgID")));
    values.release = bug.value(QStringLiteral("BUG:Version")).toString();
    values.programFile = bug.value(QStringLiteral("BUG:Programfile")).toString();
    values.category = int(bug.integer(QStringLiteral("BUG:Category")));
    UpdateBugs::start(*called.context, QApplication::activeWindow(), *called.session, values,
                      [done = std::move(done)](int response) {
                          if (done)
                              done(response);
                      });
}

void BrowseBugsService::updateNotes(int contextNumber, core::FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    const SubFormOwner owner = ownerIn(called.session->file(QStringLiteral("Notes"))->buffer(),
                                       QStringLiteral("NOTE:ID"), QStringLiteral("NOTE:PRGID"));
    openCalled(new UpdateNotes(*called.context, *called.session, SubFormUser::current(), owner),
               std::move(done));
}

void BrowseBugsService::updateAttachments(int contextNumber, core::FormDone done)
{
    const core::CalledForm called = core::CalledForm::of(contextNumber, done);
    if (!called)
        return;
    const SubFormOwner owner = ownerIn(called.session->file(QStringLiteral("Attachments"))->buffer(),
                                       QStringLiteral("ATT:BUGID"), QStringLiteral("ATT:PRGID"));
    openCalled(new UpdateAttachments(*called.context, *called.session, SubFormUser::current(), owner),
               std::move(done));
}

} // namespace tarvo::issues::ui
