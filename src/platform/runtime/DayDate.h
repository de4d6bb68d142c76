#pragma once

#include <QDate>
#include <QStringList>
#include <QTime>

namespace tarvo {

// The runtime's dates and times: a date is a day number (day 4 is 1 January 1801), a time is
// hundredths of a second since midnight plus one; 0 means none for both. Also the month and
// weekday names in the two interface languages.
class DayDate final {
  public:
    enum class Language { English, German };

    static constexpr qint64 None = 0;
    // 23:59:59.99 as a time value.
    static constexpr qint64 LastTime = 24 * 60 * 60 * 100;

    // The date of a day number; an invalid QDate for 0 (none) and below.
    static QDate toDate(qint64 day);
    // The day number of a date; 0 for an invalid date or one before the first day.
    static qint64 fromDate(QDate date);
    // Weekday of a day number as the runtime counts it: 0 Sunday to 6 Saturday.
    static int weekday(qint64 day);

    // The time of a time value, to the hundredth; an invalid QTime for 0 and below.
    static QTime toTime(qint64 time);
    // The time value of a time of day; 0 for an invalid time.
    static qint64 fromTime(QTime time);

    // Today's day number and the current time value, read from Clock.
    static qint64 today();
    static qint64 clock();

    // The language whose names go with the language setting ("Deutsch" is German).
    static Language languageOf(QStringView setting);
    static QStringList monthNames(Language language);
    static QStringList shortMonthNames(Language language);
    // Sunday first.
    static QStringList dayNames(Language language);
    // The seven day names, each blank-padded to ten characters, Sunday first.
    static QString weekdayNames(Language language);
};

} // namespace tarvo
