#pragma once

#include <QString>

#include <functional>

namespace tarvo {
class Context;
}

namespace tarvo::core {

// The windows of the application core that the frame's menu and toolbars start: whoever builds
// one registers it here under its procedure name ("UserSettings", "Feedback", "Tip_of_the_Day",
// "Demo_Features", "About", "Systemroutinen"). The procedure runs on the context it is given (a
// new one, or the frame's for About and Systemroutinen) and keeps its own run-once slot.
class FrameProcedures final {
  public:
    using Procedure = std::function<void(Context &)>;

    static void set(const QString &name, Procedure procedure);
    // Empty while nobody registered the window.
    static Procedure get(const QString &name);
    static void clear();
};

} // namespace tarvo::core
