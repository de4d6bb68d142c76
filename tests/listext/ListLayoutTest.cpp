#include "listext/ListFormat.h"
#include "listext/ListLayoutStore.h"
#include "listext/XploreSort.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvo::listext;

namespace {

ColumnState column(const QString &field, const QString &header, int width)
{
    ColumnState c;
    c.field = field;
    c.header = header;
    c.width = width;
    c.picture = QStringLiteral("@s250");
    c.dataIndent = 1;
    c.headerIndent = 1;
    return c;
}

TEST(ListFormat, WritesAColumnAndReadsItBack)
{
    ColumnState c = column(QStringLiteral("ATT:Description"), QStringLiteral("Description"), 1000);
    EXPECT_EQ(ListFormat::build({c}), QStringLiteral("1000L(1)M|~Description~L(1)@s250@#ATT:Description#"));

    c.selectedTextColor = 255;
    EXPECT_TRUE(ListFormat::build({c}).endsWith(QStringLiteral("E(,,255,)")));

    ColumnState odd = column(QStringLiteral("X:#Hash"), QStringLiteral("a~b ~ c"), 7);
    odd.picture = QStringLiteral("@n-14");
    odd.fixed = odd.underline = odd.colors = odd.icon = true;
    odd.rightBorder = false;
    odd.dataJustification = QLatin1Char('R');
    odd.textColor = 8388608;
    odd.backgroundColor = 16777215;
    const ColumnStates both{c, odd};
    auto parsed = ListFormat::parse(ListFormat::build(both));
    ASSERT_TRUE(parsed.ok()) << parsed.error().message.toStdString();
    EXPECT_EQ(parsed.value(), both);
    EXPECT_FALSE(ListFormat::parse(QStringLiteral("10L~x~L@s5@")).ok()); // a column without a name
}

class LayoutStoreTest : public ::testing::Test {
  protected:
    tarvo::test::TempDir dir;
    tarvo::IniFile ini{dir.file(QStringLiteral("User.ini"))};
    ListLayoutStore store{ini, QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1")};
    ListAppearance design{false, 10, QStringLiteral("Sans"), 9, 0, 400};
};

TEST_F(LayoutStoreTest, FirstStartAndChangedDesignKeepTheDesign)
{
    const QString designFormat =
        ListFormat::build({column(QStringLiteral("BUG:ID"), QStringLiteral("ID"), 40)});
    RestoredLayout first = store.restoreLayout(designFormat, design);
    EXPECT_TRUE(first.dropped);
    EXPECT_EQ(first.formats, QStringList{designFormat});
    EXPECT_EQ(first.appearance, design);

    ASSERT_TRUE(store
                    .saveLayout({QStringLiteral("user format")}, designFormat,
                                {true, 12, QStringLiteral("Mono"), 11, 255, 700})
                    .ok());
    RestoredLayout again = store.restoreLayout(designFormat, design);
    EXPECT_FALSE(again.dropped);
    EXPECT_EQ(again.formats, QStringList{QStringLiteral("user format")});
    EXPECT_EQ(again.appearance, (ListAppearance{true, 12, QStringLiteral("Mono"), 11, 255, 700}));
    EXPECT_EQ(ini.value(QStringLiteral("BrowseBugs"), QStringLiteral("XploreFormatString-?Browse:11")),
              QStringLiteral("user format"));

    RestoredLayout changed = store.restoreLayout(designFormat + QStringLiteral("x"), design);
    EXPECT_TRUE(changed.dropped);
    EXPECT_EQ(changed.appearance, design);
}

TEST_F(LayoutStoreTest, LongLayoutsAndSortsComeBackWholeByFieldName)
{
    ColumnStates many;
    for (int i = 0; i < 60; ++i)
        many.push_back(column(QStringLiteral("BUG:Field%1").arg(i),
                              QStringLiteral("A rather long column header %1").arg(i), 100 + i));
    const QString format = ListFormat::build(many);
    ASSERT_GT(format.size(), 1024); // wider than a fixed 1024-character field
    ASSERT_TRUE(store.saveLayout({format}, QStringLiteral("design"), design).ok());
    auto back = ListFormat::parse(store.restoreLayout(QStringLiteral("design"), design).formats.value(0));
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), many);

    std::vector<SortColumn> sort;
    for (int i = 0; i < 40; ++i)
        sort.push_back(SortColumn{QStringLiteral("BUG:Field%1").arg(i), i % 3 == 0});
    ASSERT_TRUE(store.saveSort(sort, true).ok());
    EXPECT_EQ(store.restoreSort(), sort);

    ASSERT_TRUE(store.saveSort({SortColumn{QStringLiteral("BUG:Status"), true}}, false).ok());
    EXPECT_EQ(ini.value(QStringLiteral("BrowseBugs"), QStringLiteral("XplorePrevCol-?Browse:1")),
              QStringLiteral("BUG:Status"));
    EXPECT_EQ(store.restoreSort(), (std::vector<SortColumn>{{QStringLiteral("BUG:Status"), true}}));
}

ColumnDefinitions sortableColumns()
{
    ColumnDefinitions defs;
    for (const char *name : {"A", "B", "C", "D"}) {
        ColumnDefinition d;
        d.field = QString::fromLatin1(name);
        d.picture = QStringLiteral("@s20");
        d.sortable = true;
        defs.push_back(d);
    }
    defs[2].picture = QStringLiteral("@n-14");
    defs[3].picture = QStringLiteral("@D017B");
    return defs;
}

TEST(XploreSort, TokensFollowSingleAndMultiColumnClicks)
{
    XploreSort single;
    single.toggle(QStringLiteral("A"));
    EXPECT_EQ(single.decoratedHeader(QStringLiteral("A"), QStringLiteral("A")), QStringLiteral(">A"));
    single.toggle(QStringLiteral("A"));
    EXPECT_EQ(single.token(QStringLiteral("A")), QStringLiteral("<"));
    single.toggle(QStringLiteral("B"));
    EXPECT_EQ(single.token(QStringLiteral("A")), QString());
    EXPECT_EQ(single.token(QStringLiteral("B")), QStringLiteral(">"));
    single.toggle(QStringLiteral("A"));
    EXPECT_EQ(single.token(QStringLiteral("A")), QStringLiteral(">"));

    XploreSort multi;
    multi.setMultiColumn(true);
    for (const char *f : {"A", "B", "D", "B"})
        multi.toggle(QString::fromLatin1(f));
    EXPECT_EQ(multi.token(QStringLiteral("B")), QStringLiteral("(2) <"));
    multi.remove(QStringLiteral("A"));
    EXPECT_EQ(multi.token(QStringLiteral("B")), QStringLiteral("(1) <"));
    EXPECT_EQ(multi.token(QStringLiteral("D")), QStringLiteral("(2) >"));

    XploreSort reverse;
    reverse.setMultiColumn(true);
    reverse.setReverse(true);
    reverse.toggle(QStringLiteral("A"));
    reverse.toggle(QStringLiteral("B"));
    EXPECT_EQ(reverse.token(QStringLiteral("B")), QStringLiteral("(1) >"));
    EXPECT_EQ(reverse.token(QStringLiteral("A")), QStringLiteral("(2) >"));
}

TEST(XploreSort, NumbersAndDatesSortAsNumbersAndRestoreSkipsUnknownColumns)
{
    XploreSort sort;
    sort.setMultiColumn(true);
    sort.restore({{QStringLiteral("A"), false},
                  {QStringLiteral("Gone"), false},
                  {QStringLiteral("C"), true},
                  {QStringLiteral("D"), false}},
                 sortableColumns());
    EXPECT_EQ(XploreSort::orderText(sort.keys(sortableColumns(), true)), QStringLiteral("UPPER(A),-C,D"));
    EXPECT_EQ(XploreSort::orderText(sort.keys(sortableColumns(), false)), QStringLiteral("A,-C,D"));
}

} // namespace
