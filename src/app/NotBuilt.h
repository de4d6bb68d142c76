#pragma once

#include <QString>

namespace tarvo::app {

// The message of a part of the program that is not built yet.
class NotBuilt final {
  public:
    static void say(const QString &what, const QString &subsystem);
};

} // namespace tarvo::app
