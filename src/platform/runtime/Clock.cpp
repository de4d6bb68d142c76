#include "platform/runtime/Clock.h"

#include <mutex>

namespace tarvo {

namespace {

std::mutex &sourceMutex()
{
    static std::mutex mutex;
    return mutex;
}

Clock::Source &source()
{
    static Clock::Source current;
    return current;
}

} // namespace

QDateTime Clock::now()
{
    Source current;
    {
        std::lock_guard lock(sourceMutex());
        current = source();
    }
    return current ? current() : QDateTime::currentDateTime();
}

void Clock::setSource(Source newSource)
{
    std::lock_guard lock(sourceMutex());
    source() = std::move(newSource);
}

} // namespace tarvo
