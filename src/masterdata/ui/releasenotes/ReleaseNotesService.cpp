#include "core/startup/TarvoData.h"
#include "masterdata/ui/MasterDataService.h"
#include "masterdata/ui/releasenotes/BrowseReleaseNotes.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/RunOnce.h"
#include "platform/runtime/Translator.h"

namespace tarvo::masterdata {

void MasterDataService::browseReleaseNotes()
{
    ContextRegistry &registry = ContextRegistry::instance();
    static RunOnce slot(registry);
    // A running window comes to the front; no context is started for a window that would not open.
    if (const int running = slot.number()) {
        registry.post(running, Events::GainFocus);
        return;
    }
    Result<int> started = registry.start([](Context &context) {
        data::Session *session = core::TarvoData::session(context);
        if (!session) {
            Messages::show(Translator::instance().translate(QStringLiteral("The data files are not open.")),
                           QStringLiteral("BrowseReleaseNotes"), MessageIcon::Exclamation);
            return;
        }
        auto *window = new ui::BrowseReleaseNotes(context, *session);
        window->setRunOnce(&slot);
        if (!window->open())
            window->deleteLater();
    });
    if (!started)
        Messages::show(started.error().message, QStringLiteral("BrowseReleaseNotes"),
                       MessageIcon::Exclamation);
}

} // namespace tarvo::masterdata
