#pragma once

namespace tarvo::ui {
class WindowManager;
}

namespace tarvo::core::ui {

// What every window of the program goes through while it opens: its texts in the settings'
// language and its controls under the user's rights, so that no window does either by hand.
class WindowOpening final {
  public:
    // Registers the hook with the window manager (the program does this once at start-up).
    static void install();
    static void uninstall();
    // Translates the window when the settings ask for German, and applies the access library's
    // answers for the rights keys of its controls.
    static void prepare(tarvo::ui::WindowManager &manager);
};

} // namespace tarvo::core::ui
