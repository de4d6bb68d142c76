#include "masterdata/programs/ReferenceOrder.h"

#include "core/dictionary/TarvoStoreTest.h"

#include <map>

namespace tarvo::masterdata {

namespace {

using Texts = std::map<qint64, QString>; // sort number -> text

// Program 7's statuses "New" 1, "Open" 2, "Done" 3 and severities "Low" 1, "High" 2; issues of
// program 7 in each status, and an "Open" issue of program 8 that shares the text.
class ReferenceOrderTest : public tarvo::test::TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        const char *statuses[] = {"New", "Open", "Done"};
        for (int i = 0; i < 3; ++i) {
            const QString text = QString::fromLatin1(statuses[i]);
            add(QStringLiteral("Status"), {{QStringLiteral("PrgID"), 7},
                                           {QStringLiteral("SORT"), i + 1},
                                           {QStringLiteral("STATUS"), text}});
            add(QStringLiteral("Bugs"), {{QStringLiteral("PrgID"), 7},
                                         {QStringLiteral("Status"), text},
                                         {QStringLiteral("StatusSort"), i + 1}});
        }
        add(QStringLiteral("Bugs"), {{QStringLiteral("PrgID"), 8},
                                     {QStringLiteral("Status"), QStringLiteral("Open")},
                                     {QStringLiteral("StatusSort"), 2}});
        add(QStringLiteral("Severity"), {{QStringLiteral("PrgID"), 7},
                                         {QStringLiteral("SORT"), 1},
                                         {QStringLiteral("SEVERITY"), QStringLiteral("Low")}});
        add(QStringLiteral("Severity"), {{QStringLiteral("PrgID"), 7},
                                         {QStringLiteral("SORT"), 2},
                                         {QStringLiteral("SEVERITY"), QStringLiteral("High")}});
    }

    Texts list(const QString &label, const QString &field)
    {
        Texts result;
        for (const data::Record &r : records(label))
            if (r.integer(QStringLiteral("PrgID")) == 7)
                result[r.integer(QStringLiteral("SORT"))] = r.text(field);
        return result;
    }

    // Every issue's status sort number, as its program's list now has it ("Open" of program 8: 2).
    bool issuesInStep()
    {
        const Texts statuses = list(QStringLiteral("Status"), QStringLiteral("STATUS"));
        for (const data::Record &bug : records(QStringLiteral("Bugs"))) {
            const qint64 sort = bug.integer(QStringLiteral("StatusSort"));
            if (bug.integer(QStringLiteral("PrgID")) == 8
                    ? sort != 2
                    : statuses.at(sort) != bug.text(QStringLiteral("Status")))
                return false;
        }
        return true;
    }

    ReferenceOrder statusOrder() { return ReferenceOrder(session(), ReferenceOrder::List::Status); }
};

const Texts StatusStart = {
    {1, QStringLiteral("New")}, {2, QStringLiteral("Open")}, {3, QStringLiteral("Done")}};

} // namespace

TEST_P(ReferenceOrderTest, AStatusMoveSwapsWithItsNeighbourAndTheIssuesFollow)
{
    struct Case {
        qint64 sort;
        int step;
        ReferenceOrder::Outcome outcome;
        Texts after;
    };
    const Case cases[] = {
        {2,
         -1,
         ReferenceOrder::Outcome::Moved,
         {{1, QStringLiteral("Open")}, {2, QStringLiteral("New")}, {3, QStringLiteral("Done")}}},
        {2,
         +1,
         ReferenceOrder::Outcome::Moved,
         {{1, QStringLiteral("New")}, {2, QStringLiteral("Done")}, {3, QStringLiteral("Open")}}},
        {1, -1, ReferenceOrder::Outcome::AtTheEnd, StatusStart},
        {3, +1, ReferenceOrder::Outcome::AtTheEnd, StatusStart},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "sort " << c.sort << " step " << c.step);
        auto moved = statusOrder().move(7, c.sort, c.step);
        ASSERT_TRUE(moved.ok()) << moved.error().message.toStdString();
        EXPECT_EQ(*moved, c.outcome);
        EXPECT_EQ(list(QStringLiteral("Status"), QStringLiteral("STATUS")), c.after);
        EXPECT_TRUE(issuesInStep());
        if (*moved == ReferenceOrder::Outcome::Moved) {
            ASSERT_TRUE(statusOrder().move(7, c.sort + c.step, -c.step).ok());
            EXPECT_EQ(list(QStringLiteral("Status"), QStringLiteral("STATUS")), StatusStart);
            EXPECT_TRUE(issuesInStep());
        }
    }
}

TEST_P(ReferenceOrderTest, ASeverityMoveWritesNoIssue)
{
    const qint64 issues = count(QStringLiteral("Bugs"), {{QStringLiteral("StatusSort"), 2}});
    auto moved = ReferenceOrder(session(), ReferenceOrder::List::Severity).move(7, 1, +1);
    ASSERT_TRUE(moved.ok());
    EXPECT_EQ(*moved, ReferenceOrder::Outcome::Moved);
    EXPECT_EQ(list(QStringLiteral("Severity"), QStringLiteral("SEVERITY")),
              (Texts{{1, QStringLiteral("High")}, {2, QStringLiteral("Low")}}));
    EXPECT_EQ(count(QStringLiteral("Bugs"), {{QStringLiteral("StatusSort"), 2}}), issues);
}

TEST_P(ReferenceOrderTest, AFailedIssueWriteLeavesTheListAsItWas)
{
    if (m_dict->store().kind() == data::StoreKind::Sqlite) {
        exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE UPDATE ON \"Bugs\" BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    } else {
        exec(QStringLiteral(
            "CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ "
            "LANGUAGE plpgsql"));
        exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE UPDATE ON \"Bugs\" FOR EACH ROW EXECUTE FUNCTION refuse()"));
    }
    EXPECT_FALSE(statusOrder().move(7, 2, -1).ok());
    EXPECT_EQ(list(QStringLiteral("Status"), QStringLiteral("STATUS")), StatusStart);
    EXPECT_TRUE(issuesInStep());
}

TARVO_REAL_STORE_SUITE(ReferenceOrderTest);

} // namespace tarvo::masterdata
