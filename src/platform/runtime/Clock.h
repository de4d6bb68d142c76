#pragma once

#include <QDateTime>

#include <functional>

namespace tarvo {

// Where the program reads the current date and time, so that tests can fix it.
class Clock final {
  public:
    using Source = std::function<QDateTime()>;

    // The local date and time from the source in force (the system clock by default).
    static QDateTime now();
    // Replaces the source; an empty source restores the system clock.
    static void setSource(Source source);
};

} // namespace tarvo
