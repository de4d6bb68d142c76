#include "issues/UsedTime.h"

#include "platform/runtime/DayDate.h"

namespace tarvo::issues {

namespace {
constexpr qint64 kPerHour = 360000;
constexpr qint64 kPerMinute = 6000;
constexpr qint64 kPerSecond = 100;
constexpr qint64 kPerDay = 24 * kPerHour;
} // namespace

qint64 UsedTime::elapsed(qint64 startTime, qint64 endTime)
{
    if (startTime == DayDate::None || endTime == DayDate::None)
        return 0;
    qint64 spent = endTime - startTime;
    if (spent < 0)
        spent += kPerDay;
    return spent;
}

UsedTime UsedTime::between(qint64 startTime, qint64 endTime)
{
    const qint64 spent = elapsed(startTime, endTime);
    UsedTime used;
    used.hours = spent / kPerHour;
    used.minutes = int((spent / kPerMinute) % 60);
    used.seconds = int((spent / kPerSecond) % 60);
    return used;
}

} // namespace tarvo::issues
