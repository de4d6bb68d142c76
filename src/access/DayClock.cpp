#include "access/DayClock.h"

#include "platform/runtime/DayDate.h"

#include <QLocale>

namespace tarvo::access {

qint32 DayClock::dayNumber(const QDate &date)
{
    return qint32(DayDate::fromDate(date));
}

QDate DayClock::date(qint32 dayNumber)
{
    return DayDate::toDate(dayNumber);
}

qint32 DayClock::today()
{
    return qint32(DayDate::today());
}

qint32 DayClock::now()
{
    return qint32(DayDate::clock());
}

QString DayClock::formatDate(qint32 dayNumber)
{
    if (dayNumber == 0)
        return QString();
    return QLocale::system().toString(date(dayNumber), QLocale::ShortFormat);
}

} // namespace tarvo::access
