#pragma once

#include <QString>

namespace tarvo::core {

// The one message every stand-in gives for a function whose subsystem is not built yet.
class NotAvailable final {
  public:
    // The message in the language of the interface.
    static QString text();
    static void say();
};

} // namespace tarvo::core
