#pragma once

#include <QDate>
#include <QTime>

#include <functional>

namespace tarvo::access {

// Today and now as the access tables store them: day numbers (day 4 = 1 January 1801) and
// hundredths of a second since midnight plus one. Tests may fix the date.
class DayClock final {
  public:
    static qint32 today();
    static qint32 now();
    static qint32 dayNumber(const QDate &date);
    static QDate date(qint32 dayNumber);
    // "D17B": the short date, blank for 0.
    static QString formatDate(qint32 dayNumber);
    static void setTodayForTests(std::function<QDate()> today);
};

} // namespace tarvo::access
