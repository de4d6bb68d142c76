#pragma once

namespace tarvo {
class Context;
}

namespace tarvo::app {

// Stands in for the application frame until it is built: a plain main window saying so, which
// ends the program when closed. Without a display it says so in a message and returns at once.
class PlaceholderFrame final {
  public:
    static void run(Context &first, bool canShowWindows);
    static const char *text();
};

} // namespace tarvo::app
