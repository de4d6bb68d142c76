#include "core/startup/ThreadHooks.h"

#include "core/startup/SettingsRecord.h"
#include "core/startup/TarvoData.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/ErrorClass.h"

namespace tarvo::core {

void ThreadHooks::install(ContextRegistry &registry)
{
    registry.addStartHook(&ThreadHooks::threadStart);
    registry.addEndHook(&ThreadHooks::threadEnd);
}

void ThreadHooks::threadStart(Context &context)
{
    // The first context starts before the settings are read: its language is blank, so its
    // messages are English whatever the settings say.
    ErrorClass &errors = context.emplaceAttachment<ErrorClass>();
    errors.init(SettingsRecord::instance().values().language());
    context.setThreadRequest(Request::None);
    context.setThreadResponse(Response::None);
    context.setThreadVCRRequest(0);
    TarvoData::DictionaryInit(context);
}

void ThreadHooks::threadEnd(Context &context)
{
    TarvoData::DictionaryKill(context);
    context.removeAttachment<ErrorClass>();
}

} // namespace tarvo::core
