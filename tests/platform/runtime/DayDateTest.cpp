#include "platform/runtime/DayDate.h"

#include "QtPrinters.h"
#include "platform/runtime/Clock.h"

#include <gtest/gtest.h>

using tarvo::Clock;
using tarvo::DayDate;
using Language = tarvo::DayDate::Language;

namespace {

struct DayCase {
    QDate date;
    qint64 day;
    int weekday; // 0 Sunday
};

class DayDateNumbers : public testing::TestWithParam<DayCase> {};

TEST_P(DayDateNumbers, ConvertBothWays)
{
    const DayCase &c = GetParam();
    EXPECT_EQ(DayDate::fromDate(c.date), c.day) << c.date.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(DayDate::toDate(c.day), c.date);
    EXPECT_EQ(DayDate::weekday(c.day), c.weekday);
}

INSTANTIATE_TEST_SUITE_P(
    Calendar, DayDateNumbers,
    testing::Values(DayCase{QDate(1800, 12, 29), 1, 1}, DayCase{QDate(1801, 1, 1), 4, 4},
                    DayCase{QDate(1900, 2, 28), 36221, 3}, DayCase{QDate(1900, 3, 1), 36222, 4},
                    DayCase{QDate(2000, 2, 29), 72746, 2}, DayCase{QDate(2000, 3, 1), 72747, 3},
                    DayCase{QDate(2024, 2, 29), 81512, 4}, DayCase{QDate(2026, 12, 10), 82527, 4},
                    DayCase{QDate(9999, 12, 31), 2994626, 5}));

TEST(DayDate, ZeroMeansNone)
{
    EXPECT_FALSE(DayDate::toDate(0).isValid());
    EXPECT_FALSE(DayDate::toDate(-5).isValid());
    EXPECT_EQ(DayDate::fromDate(QDate()), 0);
    EXPECT_EQ(DayDate::fromDate(QDate(1800, 12, 28)), 0);
    EXPECT_EQ(DayDate::fromDate(QDate(1700, 1, 1)), 0);

    EXPECT_FALSE(DayDate::toTime(0).isValid());
    EXPECT_FALSE(DayDate::toTime(DayDate::LastTime + 1).isValid());
    EXPECT_EQ(DayDate::fromTime(QTime()), 0);
}

TEST(DayDate, TimesAreHundredthsSinceMidnightPlusOne)
{
    EXPECT_EQ(DayDate::toTime(1), QTime(0, 0));
    EXPECT_EQ(DayDate::fromTime(QTime(0, 0)), 1);
    EXPECT_EQ(DayDate::fromTime(QTime(17, 30, 15, 250)), 6301526);
    EXPECT_EQ(DayDate::toTime(6301526), QTime(17, 30, 15, 250));
    EXPECT_EQ(DayDate::toTime(DayDate::LastTime), QTime(23, 59, 59, 990));
    EXPECT_EQ(DayDate::fromTime(QTime(23, 59, 59, 999)), DayDate::LastTime);
}

TEST(DayDate, TodayAndClockComeFromTheClockSeam)
{
    Clock::setSource([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 5, 0, 500)); });
    EXPECT_EQ(DayDate::today(), 82527);
    EXPECT_EQ(DayDate::clock(), 3270051);
    Clock::setSource({});
    EXPECT_EQ(DayDate::today(), DayDate::fromDate(QDate::currentDate()));
}

TEST(DayDate, WeekdayNamesAreTenCharactersEach)
{
    EXPECT_EQ(DayDate::weekdayNames(Language::English),
              QStringLiteral("Sunday    Monday    Tuesday   Wednesday Thursday  Friday    Saturday  "));
    EXPECT_EQ(DayDate::weekdayNames(Language::German),
              QStringLiteral("Sonntag   Montag    Dienstag  Mittwoch  DonnerstagFreitag   Samstag   "));
    EXPECT_EQ(DayDate::weekdayNames(Language::German).size(), 70);
}

TEST(DayDate, MonthNamesOfTheStartUp)
{
    EXPECT_EQ(DayDate::shortMonthNames(Language::German).join(','),
              QString::fromUtf8("Jan,Feb,März,April,Mai,Juni,Juli,Aug,Sept,Okt,Nov,Dez"));
    EXPECT_EQ(DayDate::monthNames(Language::German).join(','),
              QString::fromUtf8("Januar,Februar,März,April,Mai,Juni,Juli,August,September,Oktober,November,"
                                "Dezember"));
    EXPECT_EQ(DayDate::monthNames(Language::English).at(11), QStringLiteral("December"));
    EXPECT_EQ(DayDate::shortMonthNames(Language::English).at(2), QStringLiteral("Mar"));
}

TEST(DayDate, LanguageSettingDeutschIsGerman)
{
    EXPECT_EQ(DayDate::languageOf(QStringLiteral("Deutsch   ")), Language::German);
    EXPECT_EQ(DayDate::languageOf(QStringLiteral("English")), Language::English);
    EXPECT_EQ(DayDate::languageOf(QStringLiteral("deutsch")), Language::English);
    EXPECT_EQ(DayDate::languageOf(QString()), Language::English);
}

} // namespace
