#include "platform/data/View.h"

#include "DataTestSupport.h"
#include "platform/data/Cursor.h"

#include <algorithm>
#include <tuple>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
std::vector<qint64> range(qint64 from, qint64 to, qint64 step)
{
    std::vector<qint64> out;
    for (qint64 i = from; step > 0 ? i <= to : i >= to; i += step)
        out.push_back(i);
    return out;
}
} // namespace

class ViewTest : public TwentyFiveIssuesTest {};
TARVO_STORE_TEST_SUITE(ViewTest);

TEST_P(ViewTest, PagesForwardAndBackOverADescendingKey)
{
    View view(fm("Issue"), "BUG:KeyID");
    Cursor cursor(view);
    auto p1 = cursor.nextPage(10), p2 = cursor.nextPage(10), p3 = cursor.nextPage(10);
    ASSERT_TRUE(p1.ok() && p2.ok() && p3.ok());
    EXPECT_EQ(ids(*p1), range(25, 16, -1));
    EXPECT_EQ(ids(*p2), range(15, 6, -1));
    EXPECT_EQ(ids(*p3), range(5, 1, -1));
    EXPECT_TRUE(cursor.nextPage(10)->empty());
    EXPECT_EQ(ids(*cursor.previousPage(10)), range(11, 2, -1));

    EXPECT_EQ((*view.last())->integer("ID"), 1);
    EXPECT_EQ(*view.count(), 25);
    view.setReversed(true);
    EXPECT_EQ((*view.first())->integer("ID"), 1);
    EXPECT_EQ(ids(*view.rowsAfter(nullptr, 3)), range(1, 3, 1));
}

TEST_P(ViewTest, RangeFilterAndPositionNarrowTheRows)
{
    View view(fm("Issue"), "BUG:KeyPrgIDID");
    view.setRange({1});
    EXPECT_EQ(ids(*view.rowsAfter(nullptr, 100)), range(24, 2, -2));
    EXPECT_EQ(*view.count(), 12);

    Record at = fm("Issue").newRecord();
    at.setValue("PrgID", 1);
    at.setValue("ID", 13);
    Cursor cursor(view);
    cursor.setPosition(at);
    EXPECT_EQ((*cursor.next())->integer("ID"), 12);
    EXPECT_EQ((*cursor.next())->integer("ID"), 10);
    cursor.setPosition(at);
    EXPECT_EQ((*cursor.previous())->integer("ID"), 14);

    view.setFilter({QStringLiteral("\"Status\" = ?"), {QStringLiteral("closed")}});
    EXPECT_EQ(ids(*view.rowsAfter(nullptr, 100)), std::vector<qint64>({24, 18, 12, 6}));
    EXPECT_EQ(*view.count(), 4);

    View open(fm("Issue"), "BUG:KeyID");
    open.setRange({}, 20, 10); // descending: from 20 down to 10
    EXPECT_EQ(ids(*open.rowsAfter(nullptr, 100)), range(20, 10, -1));
}

TEST_P(ViewTest, WalkingOneByOneThroughTiesMatchesTheKeyOrderBothWays)
{
    // KeyGrayTitle: Gray descending, Title ascending, ties by row.
    std::vector<std::tuple<int, QString, qint64>> expected;
    for (int id = 1; id <= 25; ++id)
        expected.emplace_back(-(id % 2), QStringLiteral("T%1").arg(id % 4), id);
    std::sort(expected.begin(), expected.end());
    std::vector<qint64> want;
    for (const auto &e : expected)
        want.push_back(std::get<2>(e));

    View view(fm("Issue"), "BUG:KeyGrayTitle");
    Cursor cursor(view);
    std::vector<qint64> forward, backward;
    for (auto r = cursor.first(); r.ok() && r->has_value(); r = cursor.next())
        forward.push_back((**r).integer("ID"));
    for (auto r = cursor.last(); r.ok() && r->has_value(); r = cursor.previous())
        backward.push_back((**r).integer("ID"));
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(forward, want);
    EXPECT_EQ(backward, want);
}

TEST_P(ViewTest, DynamicIndexTakesItsOrderFilterAndPredicateAtRunTime)
{
    View view(fm("Issue"), "BUG:KeyDynamicIndex");
    view.setOrder({{"BUG:PrgID"}, {"BUG:Title", true}, {"BUG:ID"}});
    view.setFilter({QStringLiteral("\"Status\" <> ?"), {QStringLiteral("closed")}});
    view.setPredicate([](const Record &r) { return r.integer("ID") % 5 != 0; });

    std::vector<std::tuple<int, QString, qint64>> expected;
    for (int id = 1; id <= 25; ++id)
        if (id % 3 != 0 && id % 5 != 0)
            expected.emplace_back(id % 2 == 0 ? 1 : 2, QStringLiteral("T%1").arg(id % 4), id);
    std::sort(expected.begin(), expected.end(), [](const auto &a, const auto &b) {
        if (std::get<0>(a) != std::get<0>(b))
            return std::get<0>(a) < std::get<0>(b);
        if (std::get<1>(a) != std::get<1>(b))
            return std::get<1>(a) > std::get<1>(b);
        return std::get<2>(a) < std::get<2>(b);
    });
    std::vector<qint64> want;
    for (const auto &e : expected)
        want.push_back(std::get<2>(e));

    Cursor cursor(view);
    std::vector<qint64> got;
    for (auto page = cursor.nextPage(3); page.ok() && !page->empty(); page = cursor.nextPage(3))
        for (qint64 id : ids(*page))
            got.push_back(id);
    EXPECT_EQ(got, want);
    EXPECT_EQ(*view.count(), qint64(want.size()));
}

} // namespace tarvo::test
