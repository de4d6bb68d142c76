#include "platform/runtime/PictureLocale.h"

#include "platform/runtime/DayDate.h"

#include <mutex>

namespace tarvo {

namespace {

std::mutex &localeMutex()
{
    static std::mutex mutex;
    return mutex;
}

PictureLocale &currentLocale()
{
    static PictureLocale locale = PictureLocale::english();
    return locale;
}

} // namespace

PictureLocale PictureLocale::english()
{
    using L = DayDate::Language;
    return PictureLocale{QStringLiteral("MM/dd/yyyy"),    QStringLiteral("dddd, MMMM d, yyyy"),
                         QStringLiteral("HH:mm"),         QStringLiteral("HH:mm:ss"),
                         DayDate::monthNames(L::English), DayDate::shortMonthNames(L::English),
                         DayDate::dayNames(L::English)};
}

PictureLocale PictureLocale::german()
{
    using L = DayDate::Language;
    return PictureLocale{QStringLiteral("dd.MM.yyyy"),   QStringLiteral("dddd, d. MMMM yyyy"),
                         QStringLiteral("HH:mm"),        QStringLiteral("HH:mm:ss"),
                         DayDate::monthNames(L::German), DayDate::shortMonthNames(L::German),
                         DayDate::dayNames(L::German)};
}

PictureLocale PictureLocale::current()
{
    std::lock_guard lock(localeMutex());
    return currentLocale();
}

void PictureLocale::setCurrent(const PictureLocale &locale)
{
    std::lock_guard lock(localeMutex());
    currentLocale() = locale;
}

} // namespace tarvo
