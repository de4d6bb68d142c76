#include "issues/ui/subforms/SubFormUser.h"

#include "core/frame/FrameUserSettings.h"
#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "platform/runtime/ProgramFolder.h"

namespace tarvo::issues::ui {

SubFormUser SubFormUser::current()
{
    SubFormUser user;
    core::AccessServices *access = core::Services::access();
    if (!access)
        return user;
    user.mak = access->mak();
    user.dataFolder = access->pfad().trimmed();
    user.userIniPath = access->makOrdner().isEmpty() ? ProgramFolder::filePath(QStringLiteral("User.ini"))
                                                     : core::FrameUserSettings::userIniPath(*access);
    return user;
}

} // namespace tarvo::issues::ui
