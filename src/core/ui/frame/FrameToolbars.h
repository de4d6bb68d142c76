#pragma once

#include "core/frame/ToolbarTable.h"
#include "core/ui/frame/FloatingToolbar.h"

#include <QPointer>

#include <functional>

class QMainWindow;

namespace tarvo {
class Context;
}

namespace tarvo::core::ui {

// Starts, switches and rearranges the five toolbars of the frame, each on a context of its own.
class FrameToolbars final {
  public:
    FrameToolbars(Context &frameContext, QMainWindow &frame, QString userIniPath,
                  FloatingToolbar::CommandRunner runCommand);

    // Starts a toolbar and switches it on; its context number is kept with the switches.
    void start(ToolbarKind kind);
    // The menu's tick item: on starts the toolbar, off closes it. Both are the user's choice,
    // which the frame stores when it closes.
    void toggle(ToolbarKind kind, bool on);
    // Closes the running toolbars, puts all five back at their default places and runs
    // startChain once they have closed.
    void rearrange(const std::function<void()> &startChain);
    bool isRunning(ToolbarKind kind) const;

  private:
    Context &m_frame;
    QPointer<QMainWindow> m_window;
    QString m_userIniPath;
    FloatingToolbar::CommandRunner m_runCommand;
};

} // namespace tarvo::core::ui
