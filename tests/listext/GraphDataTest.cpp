#include "listext/GraphData.h"

#include "listext/ColourNames.h"
#include "listext/GraphOptions.h"
#include "listext/MemoryRowSource.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tarvo::listext;

namespace {

tarvo::Result<GraphData> graphOf(const std::vector<QVariant> &values, const QString &picture)
{
    std::vector<QVariantList> rows;
    for (const QVariant &v : values)
        rows.push_back({v});
    MemoryRowSource source({QStringLiteral("F")}, rows);
    auto reader = tableRows(source, {{QStringLiteral("F"), QStringLiteral("F"), picture}});
    return GraphData::count(*reader, 0, columnKindOfPicture(picture), QStringLiteral("Field "));
}

TEST(GraphData, CountsEachValueOrderedAsItsKind)
{
    auto text =
        graphOf({QStringLiteral("open"), QStringLiteral("Open"), QStringLiteral("open"), QStringLiteral("b")},
                QStringLiteral("@s20"));
    ASSERT_TRUE(text.ok());
    ASSERT_EQ(text->categories().size(), 3u);
    EXPECT_EQ(text->categories()[0].name, QStringLiteral("Open"));
    EXPECT_EQ(text->categories()[2].count, 2);
    EXPECT_DOUBLE_EQ(text->categories()[2].percent, 50.0);
    EXPECT_EQ(text->records(), 4);

    auto numbers = graphOf({10, 9, 100, 9}, QStringLiteral("@n-14"));
    ASSERT_TRUE(numbers.ok());
    QStringList names;
    for (const auto &c : numbers->categories())
        names << c.name;
    EXPECT_EQ(names, (QStringList{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("100")}));
    EXPECT_DOUBLE_EQ(numbers->categories()[1].percent, 25.0);
}

TEST(GraphData, RefusesTooFewAndTooManyCategories)
{
    std::vector<QVariant> fifty;
    for (int i = 0; i < 50; ++i)
        fifty.push_back(i);
    EXPECT_TRUE(graphOf(fifty, QStringLiteral("@n3")).ok());
    fifty.push_back(50);
    auto tooMany = graphOf(fifty, QStringLiteral("@n3"));
    ASSERT_FALSE(tooMany.ok());
    EXPECT_EQ(tooMany.error().message,
              QStringLiteral("Too complex to graph - exceeds max number of categories: 50 - 'Field"));

    auto one = graphOf({QString(), QString()}, QStringLiteral("@s5"));
    ASSERT_FALSE(one.ok());
    EXPECT_EQ(one.error().message, QStringLiteral("There is only one category to Graph of 'Field'"));
    auto none = graphOf({}, QStringLiteral("@s5"));
    EXPECT_EQ(none.error().code, GraphData::ErrorNoCategories);
}

TEST(GraphData, BarLayoutAndLabels)
{
    EXPECT_EQ(graphBarLayout(1000, 6).gap, 4);
    EXPECT_EQ(graphBarLayout(1000, 6).barWidth, (1000 - 80) / 6 - 4);
    EXPECT_EQ(graphBarLayout(1000, 3).gap, (1000 - 160) / 3 / 5);
    EXPECT_EQ(graphBarLayout(1000, 3).barWidth, 4 * ((1000 - 160) / 3 / 5));
    EXPECT_EQ(graphBarLayout(300, 40).gap, 2);
    EXPECT_EQ(dayName(1), QStringLiteral(" 1 =Sunday"));
    EXPECT_EQ(dayName(8), QString());
    EXPECT_EQ(barLabel(dayName(7)), QStringLiteral("Saturday"));
    EXPECT_EQ(barLabel(QStringLiteral("Open")), QStringLiteral("Open"));
}

TEST(GraphOptions, DefaultsRoundTripAndColourNames)
{
    tarvo::test::TempDir dir;
    tarvo::IniFile ini(dir.file(QStringLiteral("User.ini")));
    GraphOptions graph = GraphOptions::readForGraph(ini);
    EXPECT_EQ(graph.colours.mid(0, 3),
              (QStringList{QStringLiteral("Maroon"), QStringLiteral("Olive"), QStringLiteral("Navy")}));
    EXPECT_EQ(graph.fontSize, 12);
    GraphOptions window = GraphOptions::readForWindow(ini);
    EXPECT_EQ(window.sampleText(), QStringLiteral("Arial8 pt Bold"));
    window.colours.move(15, 0);
    ASSERT_TRUE(window.write(ini).ok());
    graph = GraphOptions::readForGraph(ini);
    EXPECT_EQ(graph.colours.first(), QStringLiteral("Black"));
    EXPECT_EQ(graph.fontSize, 8);

    EXPECT_EQ(ColourNames::value(QStringLiteral("Navy")), 8388608);
    EXPECT_EQ(ColourNames::value(QStringLiteral("None")), -1);
    EXPECT_FALSE(ColourNames::value(QStringLiteral("navy")).has_value());
    EXPECT_EQ(ColourNames::name(16777215), QStringLiteral("White"));
    EXPECT_FALSE(ColourNames::name(42).has_value());
    EXPECT_EQ(ColourNames::names().size(), 17);
}

TEST(MemoryRowSource, SortsNumbersAndDatesAsNumbers)
{
    MemoryRowSource source({QStringLiteral("N"), QStringLiteral("T")},
                           {{10, QStringLiteral("b")}, {9, QStringLiteral("B")}, {100, QStringLiteral("a")}});
    ASSERT_TRUE(source.setOrder({{QStringLiteral("N"), false, false}}).ok());
    auto page = source.rowsAfter(nullptr, 10);
    ASSERT_TRUE(page.ok());
    EXPECT_EQ(page->at(0).values.at(0).toInt(), 9);
    EXPECT_EQ(page->at(2).values.at(0).toInt(), 100);
    ASSERT_TRUE(
        source.setOrder({{QStringLiteral("T"), true, true}, {QStringLiteral("N"), false, false}}).ok());
    page = source.rowsAfter(nullptr, 2);
    EXPECT_EQ(page->at(0).values.at(0).toInt(), 9);
    auto rest = source.rowsAfter(&page->back(), 2);
    ASSERT_EQ(rest->size(), 1u);
    EXPECT_EQ(rest->at(0).values.at(0).toInt(), 100);
}

} // namespace
