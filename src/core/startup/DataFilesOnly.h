#pragma once

namespace tarvo {
class Context;
}

namespace tarvo::core {

// What "/C" runs while the data-conversion window is not built: every data file is opened,
// which brings each to the current layout, and the user is told that the one-time corrections
// did not run.
class DataFilesOnly final {
  public:
    static void run(Context &first);
    static const char *notBuiltText();
};

} // namespace tarvo::core
