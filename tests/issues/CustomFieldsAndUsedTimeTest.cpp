#include "core/dictionary/TarvoDictionary.h"
#include "issues/CustomFieldLayout.h"
#include "issues/UsedTime.h"
#include "platform/data/RecordLayout.h"
#include "platform/runtime/DayDate.h"

#include <QTime>

#include <gtest/gtest.h>

namespace tarvo::test {

using issues::CustomFieldKind;
using issues::CustomFieldLayout;
using issues::UsedTime;

namespace {

data::Record settings()
{
    static const auto layout = data::RecordLayout::make(core::parameterFile());
    return data::Record(layout);
}

void enable(data::Record &s, int n, const QString &type, const QString &label, int length = 20,
            const QString &choices = {})
{
    s.setValue(QStringLiteral("FIELD%1ENABLED").arg(n), 1);
    s.setValue(QStringLiteral("FIELD%1").arg(n), label);
    s.setValue(QStringLiteral("FIELDTYPE%1").arg(n), type);
    s.setValue(QStringLiteral("FIELDLEN%1").arg(n), length);
    s.setValue(QStringLiteral("FIELDCHOICES%1").arg(n), choices);
}

TEST(CustomFieldLayoutTest, NothingEnabledBuildsNothing)
{
    EXPECT_FALSE(core::SettingsValues(settings()).anyCustomFieldEnabled());
    EXPECT_TRUE(CustomFieldLayout::build(core::SettingsValues(settings())).empty());
}

TEST(CustomFieldLayoutTest, EnabledFieldsAreNumberedAndPlacedInOrder)
{
    data::Record s = settings();
    enable(s, 2, QStringLiteral("Text"), QStringLiteral("Customer ref"), 30);
    enable(s, 5, QStringLiteral("Text"), QStringLiteral("Ticket"));
    enable(s, 6, QStringLiteral("Memo"), QStringLiteral("Notes"), 5);
    enable(s, 7, QStringLiteral("Checkbox"), QStringLiteral("Urgent"));
    enable(s, 8, QStringLiteral("Spinner"), QStringLiteral("Unknown type"));
    enable(s, 9, QStringLiteral("Date"), QStringLiteral("Promised"));
    const auto c = CustomFieldLayout::build(core::SettingsValues(s), [](int n) { return n == 5; });
    ASSERT_EQ(c.size(), 6u);
    EXPECT_EQ(c[0].label, QStringLiteral("BUG:CustomField2"));
    EXPECT_EQ(c[0].promptNumber, 8000);
    EXPECT_EQ(c[0].inputNumber, 8001);
    EXPECT_EQ(c[0].y, 25);
    EXPECT_EQ(c[0].promptY, 26);
    EXPECT_EQ(c[0].picture, QStringLiteral("@s30"));
    EXPECT_EQ(c[1].label, QStringLiteral("BUG:CustomField5"));
    EXPECT_EQ(c[1].promptNumber, 8002);
    EXPECT_EQ(c[1].inputNumber, 8003);
    EXPECT_EQ(c[1].y, 38);
    EXPECT_TRUE(c[1].required);
    EXPECT_FALSE(c[0].required);
    EXPECT_EQ(c[2].kind, CustomFieldKind::Memo);
    EXPECT_EQ(c[2].height, 45);
    EXPECT_EQ(c[3].y, c[2].y + 47);
    EXPECT_EQ(c[3].kind, CustomFieldKind::Checkbox);
    EXPECT_EQ(c[3].promptNumber, 0); // a check box has no prompt and takes one number
    EXPECT_EQ(c[3].inputNumber, 8006);
    EXPECT_EQ(c[3].prompt, QStringLiteral("Urgent"));
    EXPECT_EQ(c[4].kind, CustomFieldKind::None);
    EXPECT_EQ(c[4].promptNumber, 8007);
    EXPECT_EQ(c[4].inputNumber, 0);
    EXPECT_EQ(c[5].promptNumber, 8009);
    EXPECT_EQ(c[5].y, c[4].y + 13);
    EXPECT_EQ(c[5].width, 51);
    EXPECT_EQ(c[5].picture, QStringLiteral("@D017B"));
    EXPECT_FALSE(c[5].growsWithWindow);
}

TEST(CustomFieldLayoutTest, ChoicesBecomeOneEntryPerLine)
{
    data::Record s = settings();
    enable(s, 1, QStringLiteral("Drop list"), QStringLiteral("Colour"), 10,
           QStringLiteral("Red\r\nGreen\r\nBlue\r\n"));
    enable(s, 3, QStringLiteral("Combo box"), QStringLiteral("Shade"), 10, QStringLiteral("Light\r\nDark"));
    const auto c = CustomFieldLayout::build(core::SettingsValues(s));
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].kind, CustomFieldKind::DropList);
    EXPECT_EQ(c[0].choices,
              (QStringList{QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")}));
    EXPECT_EQ(c[1].kind, CustomFieldKind::ComboBox);
    EXPECT_EQ(c[1].choices, (QStringList{QStringLiteral("Light"), QStringLiteral("Dark")}));
    EXPECT_EQ(CustomFieldLayout::kindOf(QStringLiteral("text")), CustomFieldKind::None); // names are exact
}

struct UsedCase {
    QTime start;
    QTime end;
    UsedTime used;
};

class UsedTimeTest : public ::testing::TestWithParam<UsedCase> {};

TEST_P(UsedTimeTest, CountsHoursMinutesAndSecondsAlsoAcrossMidnight)
{
    const qint64 start = GetParam().start.isValid() ? DayDate::fromTime(GetParam().start) : 0;
    const qint64 end = GetParam().end.isValid() ? DayDate::fromTime(GetParam().end) : 0;
    EXPECT_EQ(UsedTime::between(start, end), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(Spans, UsedTimeTest,
                         ::testing::Values(UsedCase{QTime(9, 0), QTime(9, 0), {0, 0, 0}},
                                           UsedCase{QTime(9, 0), QTime(9, 0, 0, 990), {0, 0, 0}},
                                           UsedCase{QTime(9, 0), QTime(9, 0, 1), {0, 0, 1}},
                                           UsedCase{QTime(9, 0), QTime(11, 30, 15), {2, 30, 15}},
                                           UsedCase{QTime(23, 50), QTime(0, 10), {0, 20, 0}},
                                           UsedCase{QTime(8, 0), QTime(7, 59, 59), {23, 59, 59}},
                                           UsedCase{QTime(), QTime(10, 0), {0, 0, 0}}));

} // namespace

} // namespace tarvo::test
