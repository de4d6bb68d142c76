#include "platform/runtime/Picture.h"

#include "QtPrinters.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/PictureLocale.h"

#include <gtest/gtest.h>

using tarvo::Clock;
using tarvo::Picture;
using tarvo::PictureLocale;

namespace {

constexpr qint64 Day20261210 = 82527;
constexpr qint64 Day20240105 = 81457;
constexpr qint64 Time173015 = 6301501; // 17:30:15.00
constexpr qint64 Time090500 = 3270001; // 09:05:00.00

// Fixes the clock at 10 December 2026 for the readers that fill in a missing year.
class PictureFixture : public testing::Test {
  protected:
    void SetUp() override
    {
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 10), QTime(14, 0)); });
    }
    void TearDown() override { Clock::setSource({}); }
};

struct FormatCase {
    QString picture;
    QVariant value;
    QString english;
    QString german; // null: as English
};

class PictureFormat : public PictureFixture, public testing::WithParamInterface<FormatCase> {};

TEST_P(PictureFormat, WritesAndReadsBack)
{
    const FormatCase &c = GetParam();
    const Picture picture = Picture::parse(c.picture);
    const QString german = c.german.isNull() ? c.english : c.german;
    for (const auto &[locale, expected] :
         {std::pair{PictureLocale::english(), c.english}, std::pair{PictureLocale::german(), german}}) {
        const QString text = picture.format(c.value, locale);
        EXPECT_EQ(text, expected) << c.picture.toStdString();
        if (picture.kind() == Picture::Kind::String || expected.isEmpty())
            continue;
        // Reading the text back gives a value that is written the same way again.
        const QVariant back = picture.deformat(text, locale);
        ASSERT_TRUE(back.isValid()) << c.picture.toStdString() << " " << text.toStdString();
        EXPECT_EQ(picture.format(back, locale), text) << c.picture.toStdString();
        if (picture.kind() != Picture::Kind::Time) { // the short times drop the seconds
            EXPECT_DOUBLE_EQ(back.toDouble(), c.value.toDouble()) << c.picture.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    PicturesInUse, PictureFormat,
    testing::Values(
        // Numbers.
        FormatCase{"@n-14", qint64(1234567), "     1,234,567", {}},
        FormatCase{"@n-14", qint64(-1234), "        -1,234", {}},
        FormatCase{"n-14", qint64(0), "             0", {}},
        FormatCase{"@n_7", qint64(1234567), "1234567", {}}, FormatCase{"n_7", qint64(42), "     42", {}},
        FormatCase{"@n_10", qint64(2000000000), "2000000000", {}},
        FormatCase{"n_10", qint64(12345), "     12345", {}}, FormatCase{"n3", qint64(7), "  7", {}},
        FormatCase{"@n3", qint64(255), "255", {}}, FormatCase{"@N3", qint64(0), "  0", {}},
        FormatCase{"n2", qint64(45), "45", {}}, FormatCase{"@N03", qint64(7), "007", {}},
        FormatCase{"N_3", qint64(12), " 12", {}}, FormatCase{"n_7B", qint64(0), "", {}},
        FormatCase{"n_7B", qint64(31), "     31", {}}, FormatCase{"@n07", qint64(-42), "-000042", {}},
        FormatCase{"@n12`2", 1234.5, "    1.234,50", {}}, FormatCase{"@n12`2", -0.25, "       -0,25", {}},
        FormatCase{"@n12`2", 0.0, "        0,00", {}}, FormatCase{"@n14.2", 1234567.89, "  1,234,567.89", {}},
        FormatCase{"@n-10.2", -3.5, "     -3.50", {}}, FormatCase{"@n10.2B", 0.0, "", {}},
        FormatCase{"@N9.`2", 4550.75, " 4.550,75", {}}, FormatCase{"@N9_`2", 4550.75, " 4 550,75", {}},
        FormatCase{"@N_9.2", 4550.75, "  4550.75", {}}, FormatCase{"@N*9", qint64(45000), "***45,000", {}},
        FormatCase{"@N9.", qint64(4550000), "4.550.000", {}},
        FormatCase{"@N(10)", qint64(-12), "      (12)", {}},
        FormatCase{"@N8-", qint64(-1234), "  1,234-", {}}, FormatCase{"@N_7v2", 4550.75, " 455075", {}},
        // Dates: the short date of the system, two-digit day and month.
        FormatCase{"@D017B", Day20261210, "12/10/2026", "10.12.2026"},
        FormatCase{"D017B", Day20240105, "01/05/2024", "05.01.2024"}, FormatCase{"@D017B", qint64(0), "", {}},
        FormatCase{"D17B", qint64(4), "01/01/1801", "01.01.1801"},
        FormatCase{"d17", Day20261210, "12/10/2026", "10.12.2026"},
        FormatCase{"@D1", Day20240105, " 1/05/24", {}}, FormatCase{"@D01", Day20240105, "01/05/24", {}},
        FormatCase{"@D2", Day20261210, "12/10/2026", {}}, FormatCase{"@D6.", Day20240105, " 5.01.2024", {}},
        FormatCase{"@D06-", Day20240105, "05-01-2024", {}}, FormatCase{"@D10", Day20261210, "2026/12/10", {}},
        FormatCase{"@D12", Day20240105, "20240105", {}},
        FormatCase{"@D4", Day20261210, "December 10, 2026", "Dezember 10, 2026"},
        FormatCase{"@D8", Day20240105, " 5 Jan 2024", {}},
        FormatCase{"@D18", Day20261210, "Thursday, December 10, 2026", "Donnerstag, 10. Dezember 2026"},
        // Times: the system's long and short time, two-digit hours.
        FormatCase{"@T08B", Time173015, "17:30:15", {}}, FormatCase{"T08B", Time090500, "09:05:00", {}},
        FormatCase{"T08B", qint64(0), "", {}}, FormatCase{"@T08B", qint64(1), "00:00:00", {}},
        FormatCase{"T8B", Time090500, "09:05:00", {}}, FormatCase{"@T07B", Time173015, "17:30", {}},
        FormatCase{"t7", Time090500, "09:05", {}}, FormatCase{"@T1", Time090500, " 9:05", {}},
        FormatCase{"@T04", Time090500, "09:05:00", {}}, FormatCase{"@T3", Time173015, " 5:30PM", {}},
        FormatCase{"@T5", Time173015, "173015", {}},
        // Strings are cut to their width.
        FormatCase{"@s3", QString("TMBX"), "TMB", {}}, FormatCase{"S255", QString("as is  "), "as is  ", {}},
        FormatCase{"@s35", QString::fromUtf8("Größe"), QString::fromUtf8("Größe"), {}},
        FormatCase{"@S2", QString::fromUtf8("äöü"), QString::fromUtf8("äö"), {}}));

struct ReadCase {
    QString picture;
    QString typed;
    QVariant expected; // invalid: the text does not fit the picture
};

class PictureRead : public PictureFixture, public testing::WithParamInterface<ReadCase> {};

TEST_P(PictureRead, AcceptsWhatUsersType)
{
    const ReadCase &c = GetParam();
    const QVariant value = Picture::parse(c.picture).deformat(c.typed, PictureLocale::german());
    if (!c.expected.isValid()) {
        EXPECT_FALSE(value.isValid())
            << c.typed.toStdString() << " read as " << value.toString().toStdString();
        return;
    }
    ASSERT_TRUE(value.isValid()) << c.picture.toStdString() << " " << c.typed.toStdString();
    EXPECT_EQ(value, c.expected) << c.picture.toStdString() << " " << c.typed.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Input, PictureRead,
    testing::Values(
        ReadCase{"@n-14", "", qint64(0)}, ReadCase{"@n-14", " -1,234 ", qint64(-1234)},
        ReadCase{"@n-14", "(12)", qint64(-12)}, ReadCase{"@n-14", "12-", qint64(-12)},
        ReadCase{"@n_7", "1,234", qint64(1234)}, ReadCase{"n3", "abc", QVariant()},
        ReadCase{"n3", "1.2.3", QVariant()}, ReadCase{"@n12`2", "1234.56", 1234.56},
        ReadCase{"@n12`2", "1.234", 1234.0}, ReadCase{"@n12`2", "12,5", 12.5},
        ReadCase{"@n14.2", "12,5", 12.5}, ReadCase{"@n14.2", "1,234.5", 1234.5},
        // German short date is in force here.
        ReadCase{"@D017B", "", qint64(0)}, ReadCase{"@D017B", "10.12.2026", qint64(Day20261210)},
        ReadCase{"@D017B", "10.12.26", qint64(Day20261210)},
        ReadCase{"@D017B", "10.12.", qint64(Day20261210)},
        ReadCase{"@D017B", "10122026", qint64(Day20261210)},
        ReadCase{"@D017B", "5/1/24", qint64(Day20240105)},
        ReadCase{"@D017B", "5. Januar 2024", qint64(Day20240105)},
        ReadCase{"@D017B", "29.02.2000", qint64(72746)}, ReadCase{"@D017B", "29.02.2026", QVariant()},
        ReadCase{"@D017B", "31.04.2026", QVariant()}, ReadCase{"@D017B", "gestern", QVariant()},
        ReadCase{"@D017B", "1.1.1800", QVariant()}, ReadCase{"@D017B", "1.1.1801", qint64(4)},
        ReadCase{"@D017B", "1.1.99", qint64(72322)}, ReadCase{"@D2", "12/10/2026", qint64(Day20261210)},
        ReadCase{"@D14", "12/2026", qint64(Day20261210 - 9)}, ReadCase{"@T08B", "", qint64(0)},
        ReadCase{"@T08B", "17:30:15", qint64(Time173015)}, ReadCase{"@T08B", "17.30.15", qint64(Time173015)},
        ReadCase{"@T08B", "9:05", qint64(Time090500)}, ReadCase{"@T08B", "0905", qint64(Time090500)},
        ReadCase{"@T08B", "173015", qint64(Time173015)}, ReadCase{"@T08B", "9:05 am", qint64(Time090500)},
        ReadCase{"@T08B", "12:00 am", qint64(1)}, ReadCase{"@T08B", "5:30:15 PM", qint64(Time173015)},
        ReadCase{"@T08B", "17:30:15,25", qint64(Time173015 + 25)}, ReadCase{"@T08B", "24:00", QVariant()},
        ReadCase{"@T08B", "12:60", QVariant()}, ReadCase{"@T08B", "13 pm", QVariant()},
        ReadCase{"@T08B", "Mittag", QVariant()}, ReadCase{"@s3", "ABCDEF", QString("ABC")},
        ReadCase{"@s10", "ab   ", QString("ab")}));

TEST_F(PictureFixture, UnknownPicturesShowThePlainValue)
{
    for (const QString picture : {"", "@", "@x12", "@s", "@s0", "@n", "@n-", "@n3.4", "@D19", "@D0", "@T9",
                                  "@D17Q", "@P###P", "@K##K", "@E12.2", "@n3x"}) {
        EXPECT_FALSE(Picture::parse(picture).isValid()) << picture.toStdString();
        EXPECT_EQ(Picture::format(qint64(82527), picture), QStringLiteral("82527")) << picture.toStdString();
        EXPECT_EQ(Picture::deformat(QStringLiteral("as typed"), picture),
                  QVariant(QStringLiteral("as typed")));
    }
}

TEST_F(PictureFixture, ValuesThatAreNoNumbersShowAsText)
{
    EXPECT_EQ(Picture::format(QStringLiteral("old text"), QStringLiteral("@D017B")),
              QStringLiteral("old text"));
    EXPECT_EQ(Picture::format(QStringLiteral("abc"), QStringLiteral("n3")), QStringLiteral("abc"));
    EXPECT_EQ(Picture::format(qint64(-5), QStringLiteral("@T08B")), QStringLiteral("-5"));
    // A history entry stores the day number as text.
    EXPECT_EQ(Picture::format(QStringLiteral("82527"), QStringLiteral("@D017B")),
              QStringLiteral("12/10/2026"));
    EXPECT_EQ(Picture::format(QDate(2026, 12, 10), QStringLiteral("D017B")), QStringLiteral("12/10/2026"));
    EXPECT_EQ(Picture::format(QVariant(), QStringLiteral("@n-14")), QStringLiteral("             0"));
}

TEST_F(PictureFixture, PictureLettersIgnoreCaseAndAtSign)
{
    for (const QString picture : {"@D017B", "D017B", "d017b", "@d017B", " @D017B  "})
        EXPECT_EQ(Picture::parse(picture).kind(), Picture::Kind::Date) << picture.toStdString();
    EXPECT_EQ(Picture::parse(QStringLiteral("S255")).kind(), Picture::Kind::String);
    EXPECT_EQ(Picture::parse(QStringLiteral("S255")).width(), 255);
    EXPECT_EQ(Picture::parse(QStringLiteral("@n-14")).width(), 14);
    EXPECT_EQ(Picture::parse(QStringLiteral("T08B")).kind(), Picture::Kind::Time);
}

TEST_F(PictureFixture, NumbersWiderThanThePictureAreShownWhole)
{
    EXPECT_EQ(Picture::format(qint64(1000), QStringLiteral("n3")), QStringLiteral("1,000"));
    EXPECT_EQ(Picture::format(qint64(-123456789012345), QStringLiteral("@n-14")),
              QStringLiteral("-123,456,789,012,345"));
    EXPECT_EQ(Picture::format(std::numeric_limits<qint64>::min(), QStringLiteral("@n_7")),
              QStringLiteral("-9223372036854775808"));
}

TEST_F(PictureFixture, RoundsToThePicturesDecimals)
{
    EXPECT_EQ(Picture::format(2.675001, QStringLiteral("@n_6.2")), QStringLiteral("  2.68"));
    EXPECT_EQ(Picture::format(-0.001, QStringLiteral("@n-6.2")), QStringLiteral("  0.00"));
    EXPECT_EQ(Picture::format(12.5, QStringLiteral("n3")), QStringLiteral(" 13"));
    EXPECT_EQ(Picture::format(7, QStringLiteral("@n12`2")), QStringLiteral("        7,00"));
}

TEST_F(PictureFixture, CurrentLocaleDecidesTheSystemFormats)
{
    PictureLocale::setCurrent(PictureLocale::german());
    EXPECT_EQ(Picture::format(Day20261210, QStringLiteral("@D017B")), QStringLiteral("10.12.2026"));
    EXPECT_EQ(Picture::deformat(QStringLiteral("10.12.2026"), QStringLiteral("@D017B")),
              QVariant(Day20261210));
    PictureLocale::setCurrent(PictureLocale::english());
    EXPECT_EQ(Picture::format(Day20261210, QStringLiteral("@D017B")), QStringLiteral("12/10/2026"));
}

} // namespace
