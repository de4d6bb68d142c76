#pragma once

#include <QString>

#include <functional>

namespace tarvo::ui {

class WindowManager;

// The rights of a window's controls: every named control of the window (widgets and actions) is
// asked for under its rights key, and a refused one is disabled for as long as the window lives.
class WindowRights final {
  public:
    // True when the user may use the control of that key.
    using Check = std::function<bool(const QString &rightsKey)>;

    // "UpdateBugs:?Insert": the procedure's name, ":?" and the control's name (without the
    // question mark the name may carry).
    static QString rightsKey(const QString &procedureName, const QString &controlName);
    // Asks once for each rights name the manager holds and each control name of its window, in
    // the order of the window's children, and denies the refused ones.
    static void apply(WindowManager &manager, const Check &allowed);
};

} // namespace tarvo::ui
