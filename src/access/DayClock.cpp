#include "access/DayClock.h"

#include <QLocale>
#include <QMutex>

namespace tarvo::access {

namespace {

const QDate kDayZero(1800, 12, 28);
QMutex g_mutex;
std::function<QDate()> g_today;

} // namespace

qint32 DayClock::dayNumber(const QDate &date)
{
    return date.isValid() ? qint32(kDayZero.daysTo(date)) : 0;
}

QDate DayClock::date(qint32 dayNumber)
{
    return kDayZero.addDays(dayNumber);
}

qint32 DayClock::today()
{
    QMutexLocker lock(&g_mutex);
    return dayNumber(g_today ? g_today() : QDate::currentDate());
}

qint32 DayClock::now()
{
    return qint32(QTime::currentTime().msecsSinceStartOfDay() / 10 + 1);
}

QString DayClock::formatDate(qint32 dayNumber)
{
    if (dayNumber == 0)
        return QString();
    return QLocale::system().toString(date(dayNumber), QLocale::ShortFormat);
}

void DayClock::setTodayForTests(std::function<QDate()> today)
{
    QMutexLocker lock(&g_mutex);
    g_today = std::move(today);
}

} // namespace tarvo::access
