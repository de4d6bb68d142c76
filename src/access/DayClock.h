#pragma once

#include <QDate>
#include <QString>

namespace tarvo::access {

// Today and now as the access tables store them: the runtime's day numbers and time values, read
// from its Clock (which tests may fix), as the tables' 32-bit fields.
class DayClock final {
  public:
    static qint32 today();
    static qint32 now();
    static qint32 dayNumber(const QDate &date);
    static QDate date(qint32 dayNumber);
    // "D17B": the short date, blank for 0.
    static QString formatDate(qint32 dayNumber);
};

} // namespace tarvo::access
