#include "listext/XploreFilter.h"

#include <gtest/gtest.h>

using tarvo::listext::ColumnKind;
using tarvo::listext::XploreFilter;

namespace {

struct TextCase {
    const char *low;
    const char *high;
    const char *middle;
    const char *expected;
};

class FilterTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(FilterTextTest, BuildsTheTermOfATypedText)
{
    XploreFilter filter;
    filter.addField(QStringLiteral("bug:Description"));
    const TextCase &c = GetParam();
    filter.setFilter(QStringLiteral("BUG:DESCRIPTION"), QString::fromUtf8(c.low), QString::fromUtf8(c.high),
                     QString::fromUtf8(c.middle));
    auto built = filter.buildFilter();
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(built.value(), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Terms, FilterTextTest,
    ::testing::Values(TextCase{"", "", "*error", "INSTRING('error',BUG:DESCRIPTION,1,1) <> 0"},
                      TextCase{"", "", "^*error", "INSTRING('ERROR',UPPER(BUG:DESCRIPTION),1,1) <> 0"},
                      TextCase{"", "", "Setup*", "SUB(BUG:DESCRIPTION,1,5) = 'Setup'"},
                      TextCase{"", "", "^abc*", "SUB(UPPER(BUG:DESCRIPTION),1,3) = 'ABC'"},
                      TextCase{"", "", "<>Closed", "(BUG:DESCRIPTION <> 'Closed')"},
                      TextCase{"", "", "<Closed", "(BUG:DESCRIPTION <= 'Closed')"},
                      TextCase{"", "", "~Closed", "(BUG:DESCRIPTION ~= 'Closed')"},
                      TextCase{"", "", "d'Arc", "(BUG:DESCRIPTION = 'd''Arc')"},
                      TextCase{"", "", "*", "INSTRING('',BUG:DESCRIPTION,1,1) <> 0"},
                      TextCase{"", "", "*it's", "INSTRING('it''s',BUG:DESCRIPTION,1,1) <> 0"},
                      TextCase{"b", "", "", "(BUG:DESCRIPTION > 'b')"},
                      TextCase{"", "^open", "", "(UPPER(BUG:DESCRIPTION) < 'OPEN')"},
                      TextCase{"", "", "", ""}));

struct ValueCase {
    XploreFilter::Operator op;
    ColumnKind kind;
    const char *value;
    const char *expected;
};

class FilterValueTest : public ::testing::TestWithParam<ValueCase> {};

// A value taken from a cell is compared as it stands, whatever characters it holds.
TEST_P(FilterValueTest, ComparesTheCellValueLiterally)
{
    XploreFilter filter;
    filter.addField(QStringLiteral("BUG:Status"), GetParam().kind);
    filter.setValueFilter(QStringLiteral("bug:status"), GetParam().op, QString::fromUtf8(GetParam().value),
                          true);
    auto built = filter.buildFilter();
    ASSERT_TRUE(built.ok()) << built.error().message.toStdString();
    EXPECT_EQ(built.value(), QString::fromUtf8(GetParam().expected));
}

using Op = XploreFilter::Operator;
INSTANTIATE_TEST_SUITE_P(
    Values, FilterValueTest,
    ::testing::Values(ValueCase{Op::Equal, ColumnKind::Text, "open", "(UPPER(BUG:STATUS) = 'OPEN')"},
                      ValueCase{Op::Equal, ColumnKind::Text, "<>x", "(UPPER(BUG:STATUS) = '<>X')"},
                      ValueCase{Op::Equal, ColumnKind::Text, "=5", "(UPPER(BUG:STATUS) = '=5')"},
                      ValueCase{Op::Equal, ColumnKind::Text, "~a", "(UPPER(BUG:STATUS) = '~A')"},
                      ValueCase{Op::Equal, ColumnKind::Text, "*Setup*", "(UPPER(BUG:STATUS) = '*SETUP*')"},
                      ValueCase{Op::Equal, ColumnKind::Text, "^x", "(UPPER(BUG:STATUS) = '^X')"},
                      ValueCase{Op::NotEqual, ColumnKind::Text, "it's", "(UPPER(BUG:STATUS) <> 'IT''S')"},
                      ValueCase{Op::Less, ColumnKind::Text, "m", "(UPPER(BUG:STATUS) < 'M')"},
                      ValueCase{Op::Greater, ColumnKind::Number, "9", "(BUG:STATUS > 9)"},
                      ValueCase{Op::Equal, ColumnKind::Date, "80000", "(BUG:STATUS = 80000)"},
                      ValueCase{Op::Less, ColumnKind::Number, "10.5", "(BUG:STATUS < 10.5)"}));

TEST(XploreFilter, JoinsColumnsInTheirOrderAndBothBoundsOfOneColumn)
{
    XploreFilter filter;
    filter.addField(QStringLiteral("BUG:Description"));
    filter.addField(QStringLiteral("BUG:StatusSort"), ColumnKind::Number);
    filter.setFilter(QStringLiteral("BUG:STATUSSORT"), QStringLiteral("^3"), QStringLiteral("^3"), {});
    filter.setFilter(QStringLiteral("BUG:DESCRIPTION"), {}, {}, QStringLiteral("^*crash"));
    EXPECT_EQ(filter.buildFilter().value(),
              QStringLiteral("INSTRING('CRASH',UPPER(BUG:DESCRIPTION),1,1) <> 0 AND (BUG:STATUSSORT > 3) AND "
                             "(BUG:STATUSSORT < 3)"));
    EXPECT_EQ(filter.filteredFields(),
              (QStringList{QStringLiteral("BUG:DESCRIPTION"), QStringLiteral("BUG:STATUSSORT")}));

    filter.clearAll();
    EXPECT_EQ(filter.buildFilter().value(), QString());
}

TEST(XploreFilter, LongFiltersStayWholeAndBadNumbersAreRefused)
{
    XploreFilter filter;
    filter.addField(QStringLiteral("BUG:Description"));
    filter.addField(QStringLiteral("BUG:ID"), ColumnKind::Number);
    const QString apostrophes(1000, QLatin1Char('\''));
    filter.setFilter(QStringLiteral("BUG:DESCRIPTION"), {}, {}, apostrophes);
    for (int i = 0; i < 3; ++i)
        filter.setValueFilter(QStringLiteral("BUG:ID"), XploreFilter::Operator::Equal, QStringLiteral("12"),
                              true);
    auto built = filter.buildFilter();
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(built.value(), QStringLiteral("(BUG:DESCRIPTION = '") + QString(2000, QLatin1Char('\'')) +
                                 QStringLiteral("') AND (BUG:ID = 12)"));

    filter.setValueFilter(QStringLiteral("BUG:ID"), XploreFilter::Operator::Equal,
                          QStringLiteral("12 OR 1=1"), true);
    auto refused = filter.buildFilter();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().code, XploreFilter::ErrorNotANumber);
}

TEST(XploreFilter, KeepsOneFilterPerColumnAndGivesItsParts)
{
    XploreFilter filter;
    filter.addField(QStringLiteral("BUG:Status"));
    filter.setFilter(QStringLiteral("BUG:Status"), QStringLiteral("a"), QStringLiteral("z"), {});
    const auto texts = filter.getFilter(QStringLiteral("bug:status"));
    EXPECT_EQ(texts.low, QStringLiteral("z")); // the last part set is the stored text
    EXPECT_EQ(texts.high, QStringLiteral("z"));
    EXPECT_TRUE(texts.middle.isEmpty());
    filter.setFilter(QStringLiteral("BUG:Unknown"), {}, {}, QStringLiteral("x"));
    filter.clearFilter(QStringLiteral("BUG:STATUS"));
    EXPECT_EQ(filter.buildFilter().value(), QString());
}

} // namespace
