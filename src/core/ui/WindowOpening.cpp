#include "core/ui/WindowOpening.h"

#include "core/services/AccessServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "platform/ui/TranslateWindow.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/WindowRights.h"

namespace tarvo::core::ui {

void WindowOpening::install()
{
    tarvo::ui::WindowManager::setOpenHook(&WindowOpening::prepare);
}

void WindowOpening::uninstall()
{
    tarvo::ui::WindowManager::setOpenHook({});
}

void WindowOpening::prepare(tarvo::ui::WindowManager &manager)
{
    if (SettingsRecord::instance().values().isGerman())
        tarvo::ui::translateWindow(manager.window());
    if (AccessServices *access = Services::access())
        tarvo::ui::WindowRights::apply(manager,
                                       [access](const QString &key) { return access->checkControl(key); });
}

} // namespace tarvo::core::ui
