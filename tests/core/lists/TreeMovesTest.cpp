#include "core/lists/TreeMoves.h"

#include "core/dictionary/TarvoStoreTest.h"

#include <map>

namespace tarvo::core {

namespace {

// Programs 1..5: 1 (sort 1), 2 (sort 2), 3 (sort 3) at the top; 4 (sort 1) and 5 (sort 2)
// below 1; nothing below the others.
class TreeMovesTest : public tarvo::test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        const std::pair<int, int> parentAndSort[] = {{0, 1}, {0, 2}, {0, 3}, {1, 1}, {1, 2}};
        for (const auto &[parent, sort] : parentAndSort)
            add(QStringLiteral("Programs"), {{QStringLiteral("P"), parent}, {QStringLiteral("Sort"), sort}});
    }

    // Each program's (parent, sort), by ID.
    std::map<qint64, std::pair<qint64, qint64>> places()
    {
        std::map<qint64, std::pair<qint64, qint64>> result;
        for (qint64 id = 1; id <= 5; ++id) {
            const data::Record r = one(QStringLiteral("Programs"), {{QStringLiteral("ID"), id}});
            result[id] = {r.integer(QStringLiteral("P")), r.integer(QStringLiteral("Sort"))};
        }
        return result;
    }

    // Makes every later write of program 3 fail inside the store.
    void refuseWritesOfProgram3()
    {
        if (m_dict->store().kind() == data::StoreKind::Sqlite) {
            exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Programs\" WHEN OLD.\"ID\" = 3 "
                                "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        } else {
            exec(QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF OLD.\"ID\" = 3 THEN "
                                "RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql"));
            exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Programs\" FOR EACH ROW "
                                "EXECUTE FUNCTION refuse()"));
        }
    }

    TreeMoves moves() { return TreeMoves(session(), QStringLiteral("Programs"), QStringLiteral("PRG")); }
};

using Places = std::map<qint64, std::pair<qint64, qint64>>;
const Places Start = {{1, {0, 1}}, {2, {0, 2}}, {3, {0, 3}}, {4, {1, 1}}, {5, {1, 2}}};

} // namespace

TEST_P(TreeMovesTest, MovesSwapTwoNeighboursAndStopAtTheEnds)
{
    struct Case {
        qint64 id;
        int step;
        TreeMoves::Outcome outcome;
        Places after;
    };
    const Case cases[] = {
        {2, -1, TreeMoves::Outcome::Moved, {{1, {0, 2}}, {2, {0, 1}}, {3, {0, 3}}, {4, {1, 1}}, {5, {1, 2}}}},
        {2, +1, TreeMoves::Outcome::Moved, {{1, {0, 1}}, {2, {0, 3}}, {3, {0, 2}}, {4, {1, 1}}, {5, {1, 2}}}},
        {4, +1, TreeMoves::Outcome::Moved, {{1, {0, 1}}, {2, {0, 2}}, {3, {0, 3}}, {4, {1, 2}}, {5, {1, 1}}}},
        {1, -1, TreeMoves::Outcome::Unchanged, Start},
        {3, +1, TreeMoves::Outcome::Unchanged, Start},
        {5, +1, TreeMoves::Outcome::Unchanged, Start},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "program " << c.id << " step " << c.step);
        auto moved = moves().moveAmongSiblings(c.id, c.step);
        ASSERT_TRUE(moved.ok()) << moved.error().message.toStdString();
        EXPECT_EQ(*moved, c.outcome);
        EXPECT_EQ(places(), c.after);
        if (*moved == TreeMoves::Outcome::Moved) {
            auto back = moves().moveAmongSiblings(c.id, -c.step);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(places(), Start);
        }
    }
}

TEST_P(TreeMovesTest, ReparentPutsTheProgramLastAndClosesTheGap)
{
    struct Case {
        qint64 id;
        qint64 parent;
        TreeMoves::Outcome outcome;
        Places after;
    };
    const Case cases[] = {
        // below a program with children: last there; the old siblings after it move up
        {2, 1, TreeMoves::Outcome::Moved, {{1, {0, 1}}, {2, {1, 3}}, {3, {0, 2}}, {4, {1, 1}}, {5, {1, 2}}}},
        // to the top level, below a program without children
        {4, 0, TreeMoves::Outcome::Moved, {{1, {0, 1}}, {2, {0, 2}}, {3, {0, 3}}, {4, {0, 4}}, {5, {1, 1}}}},
        {4, 3, TreeMoves::Outcome::Moved, {{1, {0, 1}}, {2, {0, 2}}, {3, {0, 3}}, {4, {3, 1}}, {5, {1, 1}}}},
        // onto itself, onto its own descendant, onto its present parent: nothing is written
        {1, 1, TreeMoves::Outcome::Refused, Start},
        {1, 5, TreeMoves::Outcome::Refused, Start},
        {5, 1, TreeMoves::Outcome::Unchanged, Start},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "program " << c.id << " onto " << c.parent);
        for (const auto &[id, place] : Start)
            changeWithRules(QStringLiteral("Programs"), {{QStringLiteral("ID"), id}},
                            {{QStringLiteral("P"), place.first}, {QStringLiteral("Sort"), place.second}});
        auto moved = moves().reparent(c.id, c.parent);
        ASSERT_TRUE(moved.ok()) << moved.error().message.toStdString();
        EXPECT_EQ(*moved, c.outcome);
        EXPECT_EQ(places(), c.after);
    }
}

TEST_P(TreeMovesTest, ADescendantDeeperDownIsRefusedToo)
{
    ASSERT_TRUE(moves().reparent(3, 5).ok()); // 1 > 5 > 3
    const Places before = places();
    auto moved = moves().reparent(1, 3);
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(*moved, TreeMoves::Outcome::Refused);
    EXPECT_EQ(places(), before);
}

TEST_P(TreeMovesTest, ANewRowGoesAfterTheLastChildOfItsParent)
{
    const std::pair<qint64, qint64> parentAndNext[] = {{0, 4}, {1, 3}, {2, 1}};
    for (const auto &[parent, next] : parentAndNext) {
        auto sort = moves().nextSort(parent);
        ASSERT_TRUE(sort.ok());
        EXPECT_EQ(*sort, next) << "parent " << parent;
    }
}

TEST_P(TreeMovesTest, AMissingProgramIsAnErrorAndWritesNothing)
{
    EXPECT_FALSE(moves().moveAmongSiblings(9, -1).ok());
    EXPECT_FALSE(moves().reparent(9, 0).ok());
    EXPECT_FALSE(moves().reparent(2, 9).ok());
    EXPECT_EQ(places(), Start);
}

TEST_P(TreeMovesTest, AGapInTheSortNumbersDoesNotStopAMove)
{
    changeWithRules(QStringLiteral("Programs"), {{QStringLiteral("ID"), 3}}, {{QStringLiteral("Sort"), 7}});
    auto moved = moves().moveAmongSiblings(3, -1);
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(*moved, TreeMoves::Outcome::Moved);
    EXPECT_EQ(places(), (Places{{1, {0, 1}}, {2, {0, 7}}, {3, {0, 2}}, {4, {1, 1}}, {5, {1, 2}}}));
}

TEST_P(TreeMovesTest, AFailedWriteRollsBackTheWritesBeforeIt)
{
    refuseWritesOfProgram3();
    // Each move writes another program first and program 3 second.
    EXPECT_FALSE(moves().moveAmongSiblings(3, -1).ok());
    EXPECT_EQ(places(), Start);
    EXPECT_FALSE(moves().reparent(2, 1).ok());
    EXPECT_EQ(places(), Start);
}

// Web links of two programs share the top level (P 0): only the links of one program are siblings,
// and two links of one description swap although their program, sort and description are unique.
TEST_P(TreeMovesTest, WebLinksMoveAmongTheLinksOfTheirOwnProgram)
{
    struct Link {
        int program;
        int sort;
        const char *description;
    };
    const Link links[] = {{1, 1, "Home"}, {1, 2, "Home"}, {1, 3, "Docs"}, {2, 4, "Other"}};
    for (const Link &l : links)
        add(QStringLiteral("WebLinks"), {{QStringLiteral("PrgID"), l.program},
                                         {QStringLiteral("P"), 0},
                                         {QStringLiteral("Sort"), l.sort},
                                         {QStringLiteral("Description"), QLatin1String(l.description)}});
    const auto sorts = [this]() {
        std::map<qint64, qint64> result;
        for (qint64 id = 1; id <= 4; ++id)
            result[id] =
                one(QStringLiteral("WebLinks"), {{QStringLiteral("ID"), id}}).integer(QStringLiteral("Sort"));
        return result;
    };
    TreeMoves webLinks(session(), QStringLiteral("WebLinks"), QStringLiteral("WEB"), QStringLiteral("PrgID"));
    auto moved = webLinks.moveAmongSiblings(2, -1);
    ASSERT_TRUE(moved.ok()) << moved.error().message.toStdString();
    EXPECT_EQ(*moved, TreeMoves::Outcome::Moved);
    EXPECT_EQ(sorts(), (std::map<qint64, qint64>{{1, 2}, {2, 1}, {3, 3}, {4, 4}}));
    // The last link of program 1 has no sibling below, whatever program 2 holds.
    moved = webLinks.moveAmongSiblings(3, +1);
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(*moved, TreeMoves::Outcome::Unchanged);
    EXPECT_EQ(sorts(), (std::map<qint64, qint64>{{1, 2}, {2, 1}, {3, 3}, {4, 4}}));
}

TARVO_REAL_STORE_SUITE(TreeMovesTest);

} // namespace tarvo::core
