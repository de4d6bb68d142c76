#include "core/lists/FakeAccessServices.h"
#include "core/lists/FillStatusList.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace tarvo::core;

namespace {

class TableStatuses final : public StatusSource {
  public:
    std::vector<StatusRow> rows;
    int reads = 0;

    RowsRead<StatusRow> statuses() override
    {
        ++reads;
        return {rows, std::nullopt};
    }
};

// General statuses G1, G2; program 7 has A and B; program 8 has C; note statuses of the
// reserved program numbers are passed over. File order deliberately scrambled.
TableStatuses statusFile()
{
    TableStatuses file;
    file.rows = {{7, 2, "B", false, 22},           {0, 2, "G2", true, 2},  {8, 1, "C", false, 3},
                 {200000001, 1, "Note", false, 9}, {7, 1, "A", false, 11}, {0, 1, "G1", false, 1}};
    return file;
}

TEST(FillStatusList, WithoutWorkflowOwnStatusesThenEmptyThenGeneral)
{
    TableStatuses file = statusFile();
    StatusQueue queue{{"stale", 0, false, 0}};
    ASSERT_TRUE(FillStatusList(queue, 0, true, {7, "A"}, {}, file, {}).ok());
    const StatusQueue expected{
        {"A", 11, false, 1}, {"B", 22, false, 2}, {}, {"G1", 1, false, 1}, {"G2", 2, true, 2}};
    EXPECT_EQ(queue, expected);

    ASSERT_TRUE(FillStatusList(queue, 9, false, {7, "A"}, {}, file, {}).ok());
    EXPECT_EQ(queue, StatusQueue({{"G1", 1, false, 1}, {"G2", 2, true, 2}}))
        << "no own statuses: no empty entry";

    ASSERT_TRUE(FillStatusList(queue, 0, false, {}, {}, file, {}).ok());
    EXPECT_EQ(queue, StatusQueue({{"G1", 1, false, 1}, {"G2", 2, true, 2}, {}})) << "program 0";
}

struct Offered final {
    QString status;
    int sort;
    bool gray;
    bool operator==(const Offered &) const = default;
};

struct WorkflowCase final {
    const char *name;
    const char *status;
    int assignIssue;
    bool allowChange;
    QSet<int> rights; // the user's BEN:UserByte numbers
    std::vector<Offered> expected;
};

const QSet<int> kAll{2, 3, 4, 5, 6, 7, 8, 9};

class WorkflowTransitions : public testing::TestWithParam<WorkflowCase> {};

TEST_P(WorkflowTransitions, OffersAllowedStatusesTheUserMaySet)
{
    const WorkflowCase &c = GetParam();
    TableStatuses file = statusFile();
    tarvo::test::FakeAccessServices access;
    for (int right : c.rights)
        access.values[QString("BEN:UserByte%1").arg(right)] = "1";
    StatusQueue queue{{"stale", 0, false, 0}};
    ASSERT_TRUE(FillStatusList(queue, 0, true, {7, c.status}, {true, c.assignIssue, c.allowChange}, file,
                               accessWorkflowRights(access))
                    .ok());
    std::vector<Offered> offered;
    for (const auto &entry : queue) {
        offered.push_back({entry.status, entry.statusSort, entry.statusGray});
        EXPECT_EQ(entry.statusColor, 0);
    }
    EXPECT_EQ(offered, c.expected);
    EXPECT_EQ(file.reads, 0) << "the workflow never reads the status file";
}

const Offered kNew{"New", 1, false}, kAssigned{"Assigned", 2, false}, kPostponed{"Postponed", 3, false},
    kInvestigated{"Investigated", 4, false}, kResolved{"Resolved", 5, false}, kVerified{"Verified", 6, false},
    kFailed{"Failed", 7, false}, kClosed{"Closed", 8, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, WorkflowTransitions,
    testing::Values(
        WorkflowCase{"NewIssueAssignRequiredNeedsNoRight", "", 1, false, {}, {kAssigned}},
        WorkflowCase{"NewIssueAssignAllowed", "", 2, false, kAll, {kNew, kAssigned}},
        WorkflowCase{"NewIssueAssignAllowedOnlyNewRight", "", 2, false, {2}, {kNew}},
        WorkflowCase{"NewIssueAssignNotAllowed", "", 3, false, kAll, {kNew}},
        WorkflowCase{"NewIssueAssignNotAllowedWithoutRight", "", 3, false, {3}, {}},
        WorkflowCase{"BlankStatusIsANewIssue", "   ", 3, false, {2}, {kNew}},
        WorkflowCase{"NewWithoutChangesBeforeAssignment", "New", 1, false, kAll, {kAssigned, kPostponed}},
        WorkflowCase{"NewWithChangesBeforeAssignment",
                     "New",
                     1,
                     true,
                     kAll,
                     {kAssigned, kPostponed, kInvestigated, kResolved}},
        WorkflowCase{"Assigned", "Assigned", 1, false, kAll, {kPostponed, kInvestigated, kResolved}},
        WorkflowCase{
            "AssignedWithoutResolveRight", "Assigned", 1, false, {4, 5}, {kPostponed, kInvestigated}},
        WorkflowCase{"Postponed", "Postponed", 1, false, kAll, {kAssigned}},
        WorkflowCase{"Investigated", "Investigated", 1, false, kAll, {kPostponed, kResolved}},
        WorkflowCase{"Resolved", "Resolved", 1, false, kAll, {kVerified, kFailed}},
        WorkflowCase{"Verified", "Verified", 1, false, kAll, {kClosed}},
        WorkflowCase{"ClosedStaysClosable", "Closed", 1, false, {9}, {kClosed}},
        WorkflowCase{"FailedWithTwoRights", "Failed", 1, false, {3, 6}, {kAssigned, kResolved}},
        WorkflowCase{"TrailingBlanksDoNotCount", "Failed   ", 1, false, {3}, {kAssigned}},
        WorkflowCase{"OtherLetterCaseMatchesNothing", "failed", 1, false, kAll, {}},
        WorkflowCase{"UnknownStatus", "Whatever", 1, false, kAll, {}}),
    [](const testing::TestParamInfo<WorkflowCase> &info) { return std::string(info.param.name); });

TEST(FillStatusList, WorkflowComparesWithTheTranslatedWords)
{
    TableStatuses file = statusFile();
    const auto german = [](const QString &text) {
        if (text == "New")
            return QStringLiteral("Neu");
        if (text == "Assigned")
            return QStringLiteral("Zugewiesen");
        return text;
    };
    const auto everyRight = [](const QString &) { return true; };
    StatusQueue queue;
    ASSERT_TRUE(FillStatusList(queue, 0, true, {7, "New"}, {true, 1, false}, file, everyRight, german).ok());
    EXPECT_TRUE(queue.empty()) << "the English word stored in a German interface";

    ASSERT_TRUE(FillStatusList(queue, 0, true, {7, "Neu"}, {true, 1, false}, file, everyRight, german).ok());
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].status, "Zugewiesen");
}

TEST(FillStatusList, WorkflowWithoutCurrentIssueIsEmpty)
{
    TableStatuses file = statusFile();
    StatusQueue queue{{"stale", 0, false, 0}};
    ASSERT_TRUE(FillStatusList(queue, 7, false, {7, "New"}, {true, 1, true}, file, [](const QString &) {
                    return true;
                }).ok());
    EXPECT_TRUE(queue.empty());
}

} // namespace
