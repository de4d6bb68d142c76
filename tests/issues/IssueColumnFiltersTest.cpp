#include "issues/IssueColumnFilters.h"

#include <gtest/gtest.h>

namespace tarvo::issues {

namespace {

using listext::XploreFilter;

listext::ColumnDefinition column(const char *field, const char *picture)
{
    listext::ColumnDefinition c;
    c.field = QLatin1String(field);
    c.picture = QLatin1String(picture);
    return c;
}

const listext::ColumnDefinitions columns = {column("BUG:Status", "@s35"), column("BUG:ID", "n_10"),
                                            column("BUG:ReportedDate", "@D017B"),
                                            column("BUG:Description", "@s255")};

XploreFilter filterOf(const listext::ColumnDefinitions &defs)
{
    XploreFilter f;
    for (const listext::ColumnDefinition &c : defs)
        f.addField(c.filterName(), c.kind());
    return f;
}

struct FilterCase {
    const char *name;
    const char *field;
    XploreFilter::Operator op;
    const char *value;
    const char *lastSort; // the entry as "Last Sort" keeps it
    const char *shownOp;
};

class IssueColumnFiltersCase : public ::testing::TestWithParam<FilterCase> {};

} // namespace

// Every filter taken from a cell is kept as "Last Sort" writes it, comes back the same, and is
// listed with its operator by the void-filters window.
TEST_P(IssueColumnFiltersCase, KeptAndRestoredAndListed)
{
    const FilterCase &c = GetParam();
    XploreFilter filter = filterOf(columns);
    filter.setValueFilter(QLatin1String(c.field), c.op, QString::fromUtf8(c.value), true);
    const QString text = IssueColumnFilters::lastSortText(filter);
    EXPECT_EQ(text, QString::fromUtf8(c.lastSort));

    XploreFilter restored = filterOf(columns);
    IssueColumnFilters::restore(restored, text, true);
    ASSERT_EQ(restored.filteredFields(), filter.filteredFields());
    EXPECT_EQ(restored.buildFilter().value(), filter.buildFilter().value());

    const std::vector<ActiveFilter> active = IssueColumnFilters::active(restored, columns);
    ASSERT_EQ(active.size(), 1U);
    EXPECT_EQ(active.front().field, QString::fromLatin1(c.field).toUpper());
    EXPECT_EQ(active.front().op, QLatin1String(c.shownOp));
}

INSTANTIATE_TEST_SUITE_P(
    Operators, IssueColumnFiltersCase,
    ::testing::Values(
        FilterCase{"Equal", "BUG:Status", XploreFilter::Operator::Equal, "Open", "BUG:STATUS°L:°H:°E:Open¦",
                   "="},
        FilterCase{"NotEqual", "BUG:Status", XploreFilter::Operator::NotEqual, "New",
                   "BUG:STATUS°L:°H:°E:~New¦", "<>"},
        FilterCase{"Less", "BUG:ID", XploreFilter::Operator::Less, "100", "BUG:ID°L:°H:100°E:¦", "<"},
        FilterCase{"Greater", "BUG:ID", XploreFilter::Operator::Greater, "7", "BUG:ID°L:7°H:°E:¦", ">"},
        FilterCase{"PatternCharactersStayLiteral", "BUG:Description", XploreFilter::Operator::Equal, "*x<y",
                   "BUG:DESCRIPTION°L:°H:°E:*x<y¦", "="}),
    [](const auto &info) { return std::string(info.param.name); });

// Two filters make two entries; a column the list no longer has, and empty entries, are left out;
// the window shows a date as a date and cuts a long value to 50 characters.
TEST(IssueColumnFilters, SeveralFiltersUnknownColumnsAndShownValues)
{
    XploreFilter filter = filterOf(columns);
    filter.setValueFilter(QStringLiteral("BUG:REPORTEDDATE"), XploreFilter::Operator::Greater,
                          QStringLiteral("80000"), true);
    filter.setValueFilter(QStringLiteral("BUG:DESCRIPTION"), XploreFilter::Operator::Equal,
                          QString(60, QLatin1Char('a')), true);
    const QString text = IssueColumnFilters::lastSortText(filter);

    XploreFilter restored = filterOf(columns);
    IssueColumnFilters::restore(restored, QStringLiteral("BUG:GONE°L:1°H:°E:¦¦") + text, true);
    EXPECT_EQ(restored.filteredFields(),
              (QStringList{QStringLiteral("BUG:REPORTEDDATE"), QStringLiteral("BUG:DESCRIPTION")}));
    const std::vector<ActiveFilter> active = IssueColumnFilters::active(restored, columns);
    ASSERT_EQ(active.size(), 2U);
    EXPECT_NE(active[0].value, QStringLiteral("80000"));
    EXPECT_TRUE(active[0].value.contains(QLatin1Char('/'))) << active[0].value.toStdString();
    EXPECT_EQ(active[1].value, QString(50, QLatin1Char('a')) + QStringLiteral("..."));
    EXPECT_TRUE(IssueColumnFilters::lastSortText(filterOf(columns)).isEmpty());
}

} // namespace tarvo::issues
