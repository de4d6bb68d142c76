#include "QuietRefreshNotices.h"
#include "SessionEndSignal.h"
#include "VuvuzuAccess.h"
#include "core/conversions/Datenkonvertieren.h"
#include "core/services/Services.h"
#include "core/startup/ProgramGlobals.h"
#include "core/startup/ProgramMain.h"
#include "core/startup/ProgramProcedures.h"
#include "core/startup/SettingsRecord.h"
#include "core/startup/StartupParts.h"
#include "core/startup/TarvoData.h"
#include "core/startup/ThreadHooks.h"
#include "core/ui/ConversionWindows.h"
#include "core/ui/WindowOpening.h"
#include "core/ui/frame/Tarvo.h"
#include "issues/ui/BrowseBugsService.h"
#include "masterdata/ui/MasterDataService.h"
#include "masterdata/ui/Paths.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/Messages.h"
#include "platform/ui/MessageBoxHandler.h"

#include <QApplication>
#include <QGuiApplication>

namespace {

// The platforms that draw nowhere: nobody could answer a window there.
bool canShowWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    using namespace tarvo;

    const bool windows = canShowWindows();
    // Without a display, messages go to standard error and are answered with their default.
    ui::MessageBoxHandler messageBoxes;
    if (windows)
        Messages::setHandler(&messageBoxes);

    app::VuvuzuAccess access;
    masterdata::MasterDataService masterData([](int mode) { masterdata::ui::Paths::run(mode); });
    app::QuietRefreshNotices refreshNotices;
    issues::ui::BrowseBugsService issueServices(ContextRegistry::instance());
    core::Services::setAccess(&access);
    core::Services::setMasterData(&masterData);
    core::Services::setIssues(&issueServices);
    // The subsystems not built yet answer through the stand-ins that Services gives in their place.
    core::Services::setRefreshNotices(&refreshNotices);
    core::ProgramProcedures::setTarvo([](Context &first) {
        core::ui::FrameSetup setup;
        setup.language = core::SettingsRecord::instance().values().language();
        setup.weekdayNames = core::ProgramGlobals::weekdayNames();
        core::ui::TARVO(first, setup);
    });
    core::ProgramProcedures::setDatenkonvertieren([](Context &first) {
        data::Session *session = core::TarvoData::session(first);
        if (!session)
            return;
        core::ui::ConversionWindows windows(first);
        core::Datenkonvertieren(*session, &windows);
    });

    ContextRegistry &registry = ContextRegistry::instance();
    core::ThreadHooks::install(registry);
    core::ui::WindowOpening::install();
    Context &first = registry.openFirst();
    // Only a frame that takes events can close down; before it opens, SIGTERM ends the process.
    app::SessionEndSignal sessionEnd([&registry] {
        const Context *frame = registry.context(ContextRegistry::FrameNumber);
        return frame && frame->hasReceiver() &&
               registry.post(ContextRegistry::FrameNumber, Events::CloseDown);
    });

    core::StartupParts parts = core::StartupParts::forProgram();
    parts.prompt.canAsk = [windows] { return windows; };
    const int code = core::ProgramMain(first, CommandLine::fromProcess(), parts);
    // The contexts and the store go before the application object, which their connections need.
    registry.end(ContextRegistry::FrameNumber);
    core::TarvoData::close(&registry);
    app::VuvuzuAccess::unload();
    Messages::setHandler(nullptr);
    return code;
}
