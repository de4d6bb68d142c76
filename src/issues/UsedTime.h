#pragma once

#include <QtGlobal>

namespace tarvo::issues {

// The time spent on an issue between its start and end clock values (hundredths of a second
// since midnight plus one), as hours, minutes and seconds. An end before the start lies on the
// next day.
struct UsedTime final {
    qint64 hours = 0;
    int minutes = 0;
    int seconds = 0;

    // Nothing used while either clock value is missing (0).
    static UsedTime between(qint64 startTime, qint64 endTime);
    // The hundredths elapsed, across midnight.
    static qint64 elapsed(qint64 startTime, qint64 endTime);

    bool operator==(const UsedTime &) const = default;
};

} // namespace tarvo::issues
