#include "core/ui/frame/FrameToolbars.h"

#include "core/frame/FrameGlobals.h"
#include "core/frame/FrameUserSettings.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/Messages.h"

#include <QMainWindow>

namespace tarvo::core::ui {

FrameToolbars::FrameToolbars(Context &frameContext, QMainWindow &frame, QString userIniPath,
                             FloatingToolbar::CommandRunner runCommand)
    : m_frame(frameContext), m_window(&frame), m_userIniPath(std::move(userIniPath)),
      m_runCommand(std::move(runCommand))
{
}

bool FrameToolbars::isRunning(ToolbarKind kind) const
{
    ContextRegistry *registry = m_frame.registry();
    return registry && registry->isLive(FrameGlobals::instance().toolbarContext(kind));
}

void FrameToolbars::start(ToolbarKind kind)
{
    ContextRegistry *registry = m_frame.registry();
    if (!registry || !m_window)
        return;
    FrameGlobals &globals = FrameGlobals::instance();
    globals.setToolbarOn(kind, true);
    Result<int> started = registry->start(
        [kind, window = m_window, path = m_userIniPath, run = m_runCommand](Context &context) {
            if (!window)
                return;
            auto *toolbar = new FloatingToolbar(context, kind, *window, path, run);
            if (!toolbar->open())
                delete toolbar;
        });
    if (!started) {
        globals.setToolbarOn(kind, false);
        Messages::show(started.error().message, QStringLiteral("Tarvo"), MessageIcon::Exclamation);
        return;
    }
    globals.setToolbarContext(kind, registry->ref(*started));
}

void FrameToolbars::toggle(ToolbarKind kind, bool on)
{
    FrameGlobals &globals = FrameGlobals::instance();
    globals.setChosen(kind, on);
    if (on) {
        if (!isRunning(kind))
            start(kind);
        else
            globals.setToolbarOn(kind, true);
        return;
    }
    if (ContextRegistry *registry = m_frame.registry())
        registry->postTo(globals.toolbarContext(kind), Events::CloseWindow);
}

void FrameToolbars::rearrange(const std::function<void()> &startChain)
{
    ContextRegistry *registry = m_frame.registry();
    if (!registry)
        return;
    FrameGlobals &globals = FrameGlobals::instance();
    for (ToolbarKind kind : AllToolbars) {
        if (globals.toolbarOn(kind))
            registry->postTo(globals.toolbarContext(kind), Events::CloseWindow);
    }
    // The closes are delivered before this call, so the toolbars have written their places by
    // the time the defaults go over them.
    QMetaObject::invokeMethod(
        m_window.data(),
        [path = m_userIniPath, startChain]() {
            FrameGlobals &g = FrameGlobals::instance();
            IniFile userIni(path);
            for (ToolbarKind kind : AllToolbars) {
                (void)writeToolbarPlace(userIni, kind, toolbarDescription(kind).defaultPlace);
                g.setToolbarOn(kind, true);
                g.setChosen(kind, true);
            }
            g.setChainRunning(true);
            startChain();
        },
        Qt::QueuedConnection);
}

} // namespace tarvo::core::ui
