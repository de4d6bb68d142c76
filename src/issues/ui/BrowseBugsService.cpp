#include "issues/ui/BrowseBugsService.h"

#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameUserSettings.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/TarvoData.h"
#include "issues/ui/BrowseBugs.h"
#include "issues/ui/subforms/IssueSubForms.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/Translator.h"

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

void BrowseBugsService::registerProgramSubForms(tarvo::ui::WindowManager &window, data::Session &session,
                                                core::ProgramSubForms forms)
{
    registerIssueSubForms(window, session, SubFormUser::current(),
                          {{forms.notes, forms.noteRow}, {forms.attachments, forms.attachmentRow}, {}},
                          [program = forms.programId] {
                              return SubFormOwner{0, program ? program() : 0};
                          });
}

} // namespace tarvo::issues::ui
