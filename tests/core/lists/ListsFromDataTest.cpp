#include "ListDataFixture.h"
#include "core/lists/FakeAccessServices.h"
#include "core/lists/FillPriorityList.h"
#include "core/lists/FillProgramTree.h"
#include "core/lists/FillReleaseList.h"
#include "core/lists/FillStatusList.h"
#include "core/lists/ReadKeyOrder.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"

#include <QStringList>

#include <functional>
#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::core;

namespace {

QString same(const QString &text)
{
    return text;
}

QStringList releaseTexts(const ReleaseQueue &queue)
{
    QStringList texts;
    for (const ReleaseQueueEntry &entry : queue)
        texts << entry.release;
    return texts;
}

using FillersFromData = test::ListDataFixture;

TEST_F(FillersFromData, ReleasesOfOneProgramHighestTextFirst)
{
    // Stored out of order and interleaved with other programs' releases.
    add("Releases", {{"REL:PRGID", 1}, {"REL:Release", "1.10"}, {"REL:ReleaseDate", 80000}});
    add("Releases", {{"REL:PRGID", 2}, {"REL:Release", "9.9"}, {"REL:ReleaseDate", 80100}});
    add("Releases", {{"REL:PRGID", 1}, {"REL:Release", "2.0"}, {"REL:ReleaseDate", 80200}});
    add("Releases", {{"REL:PRGID", 1}, {"REL:Release", "1.9"}, {"REL:ReleaseDate", 0}});
    add("Releases", {{"REL:PRGID", 3}, {"REL:Release", "0.1"}, {"REL:ReleaseDate", 1}});

    const struct {
        qint32 program;
        ReleaseQueue expected;
    } cases[] = {
        {1, {{"2.0", 80200}, {"1.9", 0}, {"1.10", 80000}}},
        {2, {{"9.9", 80100}}},
        {4, {}},
    };
    for (const auto &c : cases) {
        ReleaseQueue queue{{"stale", 1}};
        ASSERT_TRUE(FillReleaseList(queue, c.program, session()).ok());
        EXPECT_EQ(queue, c.expected) << "program " << c.program;
    }
}

TEST_F(FillersFromData, ReleasesBeyondOnePageComeCompleteAndInOrder)
{
    const int total = 2 * ListSourcePageRows + 1;
    for (int i = 0; i < total; ++i)
        add("Releases",
            {{"REL:PRGID", 5}, {"REL:Release", QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0'))}});
    add("Releases", {{"REL:PRGID", 6}, {"REL:Release", "R999"}});

    ReleaseQueue queue;
    ASSERT_TRUE(FillReleaseList(queue, 5, session()).ok());
    QStringList expected;
    for (int i = total - 1; i >= 0; --i)
        expected << QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(releaseTexts(queue), expected);
}

TEST_F(FillersFromData, PrioritiesInSortOrderWithTheirColours)
{
    add("Priority", {{"PRI:PRIORITY", "High"}, {"PRI:PRIORITYSORT", 3}, {"PRI:COLOR", 0x0000FF}});
    add("Priority", {{"PRI:PRIORITY", "Low"}, {"PRI:PRIORITYSORT", 1}, {"PRI:COLOR", 0x00FF00}});
    add("Priority", {{"PRI:PRIORITY", "Normal"}, {"PRI:PRIORITYSORT", 2}, {"PRI:COLOR", -1}});

    PriorityQueue queue;
    ASSERT_TRUE(FillPriorityList(session(), queue).ok());
    EXPECT_EQ(queue.rows(), std::vector<PriorityQueueEntry>(
                                {{"Low", 1, 0x00FF00}, {"Normal", 2, -1}, {"High", 3, 0x0000FF}}));
}

struct TreeRow final {
    qint32 id;
    qint32 level;
    QString name;
    QString status;
    qint32 colour; // text colour of both columns, normal
    bool operator==(const TreeRow &) const = default;
};

std::ostream &operator<<(std::ostream &out, const TreeRow &row)
{
    return out << row.id << '/' << row.level << '/' << row.name.toStdString() << '/'
               << row.status.toStdString() << '/' << std::hex << row.colour << std::dec;
}

TEST_F(FillersFromData, ProgramTreeFromProgramsUnderSecP)
{
    // IDs deliberately against the sort numbers: the tree follows parent and sort, not the ID.
    add("Programs", {{"PRG:ID", 1}, {"PRG:P", 0}, {"PRG:Sort", 2}, {"PRG:PrgName", "Alpha"}});
    add("Programs",
        {{"PRG:ID", 2}, {"PRG:P", 0}, {"PRG:Sort", 1}, {"PRG:PrgName", "Beta"}, {"PRG:Status", "Inactive"}});
    add("Programs",
        {{"PRG:ID", 3}, {"PRG:P", 2}, {"PRG:Sort", 2}, {"PRG:PrgName", "Gamma"}, {"PRG:Status", "inactive"}});
    add("Programs",
        {{"PRG:ID", 4}, {"PRG:P", 2}, {"PRG:Sort", 1}, {"PRG:PrgName", "Delta"}, {"PRG:Status", "Beta"}});
    add("Programs", {{"PRG:ID", 5}, {"PRG:P", 4}, {"PRG:Sort", 1}, {"PRG:PrgName", "Epsilon"}});

    const qint32 grey = ProgramTreeRootColor, off = ProgramTreeInactiveColor, none = -1;
    const TreeRow root{0, 0, "Programs", "", grey};
    const struct {
        const char *secP;
        std::vector<TreeRow> expected;
    } cases[] = {
        {"",
         {root,
          {2, -1, "Beta", "Inactive", off},
          {4, -2, "Delta", "Beta", none},
          {5, 3, "Epsilon", "", none},
          {3, 2, "Gamma", "inactive", none},
          {1, 1, "Alpha", "", none}}},
        // Delta's parent is hidden and its only sub-program too: still at its level, still contracted.
        {"|4|", {root, {4, -2, "Delta", "Beta", none}}},
        {"|5|1|", {root, {5, 3, "Epsilon", "", none}, {1, 1, "Alpha", "", none}}},
    };
    for (const auto &c : cases) {
        ProgramTreeQueue queue;
        ASSERT_TRUE(FillProgramTree(session(), c.secP, same, queue).ok());
        std::vector<TreeRow> shown;
        for (const ProgramTreeQueueEntry &row : queue.rows()) {
            EXPECT_EQ(row.col2NormalFg, row.col1NormalFg);
            EXPECT_EQ(row.col1SelectedBg, row.col1NormalFg);
            shown.push_back({row.id, row.level, row.prgName, row.status, row.col1NormalFg});
        }
        EXPECT_EQ(shown, c.expected) << "SecP " << c.secP;
    }
}

// General statuses G1 and G2 (closed); program 7 owns A and B, program 8 owns C; the program and
// note status lists hold texts that must never reach an issue.
class StatusFromData : public FillersFromData {
  protected:
    void SetUp() override
    {
        FillersFromData::SetUp();
        const struct {
            qint32 prgId;
            int sort;
            const char *status;
            int gray;
            qint32 colour;
        } rows[] = {{7, 2, "B", 0, 22},
                    {0, 2, "G2", 1, 2},
                    {8, 1, "C", 0, 3},
                    {200000000, 1, "Active", 0, 5},
                    {200000001, 1, "Open", 0, 9},
                    {7, 1, "A", 0, 11},
                    {0, 1, "G1", 0, 1}};
        for (const auto &r : rows)
            add("Status", {{"STA:PrgID", r.prgId},
                           {"STA:SORT", r.sort},
                           {"STA:STATUS", r.status},
                           {"STA:GRAY", r.gray},
                           {"STA:COLOR", r.colour}});
        m_access.values = {{"BEN:UserByte2", "1"}, {"BEN:UserByte3", "1"}, {"BEN:UserByte4", "1"},
                           {"BEN:UserByte5", "1"}, {"BEN:UserByte6", "1"}, {"BEN:UserByte7", "1"},
                           {"BEN:UserByte8", "1"}, {"BEN:UserByte9", "1"}};
    }

    test::FakeAccessServices m_access;
};

struct StatusCase final {
    const char *name;
    int wfEnable;
    int wfAssignIssue;
    int wfAllowChange;
    qint32 programId;
    bool forCurrentIssue;
    qint32 bugPrgId;
    const char *bugStatus;
    StatusQueue expected;
};

const StatusQueueEntry A{"A", 11, false, 1}, B{"B", 22, false, 2}, C{"C", 3, false, 1}, G1{"G1", 1, false, 1},
    G2{"G2", 2, true, 2}, Empty{};

TEST_F(StatusFromData, FallsBackAsTheWorkflowSettingsSay)
{
    const StatusCase cases[] = {
        {"own, empty, general", 0, 1, 0, 7, false, 8, "", {A, B, Empty, G1, G2}},
        {"no own statuses", 0, 1, 0, 9, false, 0, "", {G1, G2}},
        {"program 0: general, empty", 0, 1, 0, 0, false, 0, "", {G1, G2, Empty}},
        {"the issue's program", 0, 1, 0, 7, true, 8, "C", {C, Empty, G1, G2}},
        {"workflow, not for an issue", 1, 1, 0, 7, false, 7, "New", {}},
        {"workflow, new issue, assign required", 1, 1, 0, 0, true, 7, "", {{"Assigned", 0, false, 2}}},
        {"workflow, new issue, assign allowed",
         1,
         2,
         0,
         0,
         true,
         7,
         "",
         {{"New", 0, false, 1}, {"Assigned", 0, false, 2}}},
        {"workflow, New with changes allowed",
         1,
         1,
         1,
         0,
         true,
         7,
         "New",
         {{"Assigned", 0, false, 2},
          {"Postponed", 0, false, 3},
          {"Investigated", 0, false, 4},
          {"Resolved", 0, false, 5}}},
        {"workflow, Closed", 1, 1, 0, 0, true, 7, "Closed", {{"Closed", 0, true, 8}}},
    };
    data::Record &bug = session().file("Bugs")->buffer();
    for (const StatusCase &c : cases) {
        setSettings({{"PAR:WFENABLE", c.wfEnable},
                     {"PAR:WFAssignIssue", c.wfAssignIssue},
                     {"PAR:WFALLOWCHANGE", c.wfAllowChange}});
        bug.setValue("BUG:PrgID", c.bugPrgId);
        bug.setValue("BUG:Status", c.bugStatus);
        StatusQueue queue{{"stale", 1, true, 1}};
        ASSERT_TRUE(FillStatusList(queue, c.programId, c.forCurrentIssue, session(),
                                   accessWorkflowRights(m_access), same)
                        .ok());
        EXPECT_EQ(queue, c.expected) << c.name;
    }
}

TEST_F(StatusFromData, WithoutTheSettingsRecordTheWorkflowIsOff)
{
    StatusQueue queue;
    ASSERT_TRUE(FillStatusList(queue, 7, false, session(), accessWorkflowRights(m_access), same).ok());
    EXPECT_EQ(queue, StatusQueue({A, B, Empty, G1, G2}));
}

TEST_F(FillersFromData, ReadErrorsAreReturnedNotSwallowed)
{
    const struct {
        const char *table;
        std::function<Result<void>(data::Session &)> fill;
    } cases[] = {
        {"Releases",
         [](data::Session &s) {
             ReleaseQueue queue;
             return FillReleaseList(queue, 1, s);
         }},
        {"Priority",
         [](data::Session &s) {
             PriorityQueue queue;
             return FillPriorityList(s, queue);
         }},
        {"Programs",
         [](data::Session &s) {
             ProgramTreeQueue queue;
             Result<void> r = FillProgramTree(s, {}, same, queue);
             EXPECT_EQ(queue.size(), 1u) << "the root row stays";
             return r;
         }},
        {"Status",
         [](data::Session &s) {
             StatusQueue queue;
             return FillStatusList(queue, 7, false, s, {}, same);
         }},
    };
    for (const auto &c : cases) {
        dropTable(c.table);
        const Result<void> filled = c.fill(session());
        ASSERT_FALSE(filled.ok()) << c.table;
        EXPECT_FALSE(filled.error().message.isEmpty()) << c.table;
    }
}

} // namespace
