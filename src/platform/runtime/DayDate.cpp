#include "platform/runtime/DayDate.h"

#include "platform/runtime/Clock.h"
#include "platform/runtime/Text.h"

namespace tarvo {

namespace {

// Day 0: 28 December 1800.
const QDate &dayZero()
{
    static const QDate date(1800, 12, 28);
    return date;
}

} // namespace

QDate DayDate::toDate(qint64 day)
{
    if (day <= None)
        return {};
    return dayZero().addDays(day);
}

qint64 DayDate::fromDate(QDate date)
{
    if (!date.isValid())
        return None;
    const qint64 day = dayZero().daysTo(date);
    return day > None ? day : None;
}

int DayDate::weekday(qint64 day)
{
    const int rest = static_cast<int>(day % 7);
    return rest < 0 ? rest + 7 : rest;
}

QTime DayDate::toTime(qint64 time)
{
    if (time <= None || time > LastTime)
        return {};
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>((time - 1) * 10));
}

qint64 DayDate::fromTime(QTime time)
{
    if (!time.isValid())
        return None;
    return time.msecsSinceStartOfDay() / 10 + 1;
}

qint64 DayDate::today()
{
    return fromDate(Clock::now().date());
}

qint64 DayDate::clock()
{
    return fromTime(Clock::now().time());
}

DayDate::Language DayDate::languageOf(QStringView setting)
{
    return Text::clip(setting) == QLatin1String("Deutsch") ? Language::German : Language::English;
}

QStringList DayDate::monthNames(Language language)
{
    if (language == Language::German) {
        return QString::fromUtf8("Januar,Februar,März,April,Mai,Juni,Juli,August,September,Oktober,"
                                 "November,Dezember")
            .split(QLatin1Char(','));
    }
    return QStringLiteral("January,February,March,April,May,June,July,August,September,October,"
                          "November,December")
        .split(QLatin1Char(','));
}

QStringList DayDate::shortMonthNames(Language language)
{
    if (language == Language::German)
        return QString::fromUtf8("Jan,Feb,März,April,Mai,Juni,Juli,Aug,Sept,Okt,Nov,Dez")
            .split(QLatin1Char(','));
    return QStringLiteral("Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec").split(QLatin1Char(','));
}

QStringList DayDate::dayNames(Language language)
{
    if (language == Language::German)
        return QStringLiteral("Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag")
            .split(QLatin1Char(','));
    return QStringLiteral("Sunday,Monday,Tuesday,Wednesday,Thursday,Friday,Saturday").split(QLatin1Char(','));
}

QString DayDate::weekdayNames(Language language)
{
    QString names;
    for (const QString &name : dayNames(language))
        names += Text::padTo(Text::cutTo(name, 10), 10);
    return names;
}

} // namespace tarvo
