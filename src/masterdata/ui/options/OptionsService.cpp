#include "core/startup/TarvoData.h"
#include "masterdata/ui/MasterDataService.h"
#include "masterdata/ui/options/OptionsWindow.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

namespace tarvo::masterdata {

void MasterDataService::options()
{
    Result<int> started = ContextRegistry::instance().start([](Context &context) {
        data::Session *session = core::TarvoData::session(context);
        if (!session) {
            Messages::show(Translator::instance().translate(QStringLiteral("The data files are not open.")),
                           QStringLiteral("Options"), MessageIcon::Exclamation);
            return;
        }
        auto *window = new ui::OptionsWindow(context, *session);
        if (!window->open())
            window->deleteLater();
    });
    if (!started)
        Messages::show(started.error().message, QStringLiteral("Options"), MessageIcon::Exclamation);
}

} // namespace tarvo::masterdata
