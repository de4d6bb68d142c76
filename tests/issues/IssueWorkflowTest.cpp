#include "issues/IssueWorkflow.h"

#include "core/dictionary/TarvoDictionary.h"
#include "issues/IssueStatus.h"
#include "platform/data/RecordLayout.h"

#include <gtest/gtest.h>

namespace tarvo::test {

using issues::IssueWorkflow;
using issues::WorkflowGroups;

namespace {

core::SettingsValues settingsWith(std::initializer_list<std::pair<const char *, int>> values)
{
    static const auto layout = data::RecordLayout::make(core::parameterFile());
    data::Record settings(layout);
    settings.setValue(QStringLiteral("WFENABLE"), 1);
    for (const auto &[name, value] : values)
        settings.setValue(QString::fromLatin1(name), value);
    return core::SettingsValues(settings);
}

data::Record issueIn(const QString &status)
{
    static const auto layout = data::RecordLayout::make(core::bugsFile());
    data::Record issue(layout);
    issue.setValue(QStringLiteral("Status"), status);
    issue.setValue(QStringLiteral("Category"), 2);
    return issue;
}

struct GroupCase {
    const char *status;
    int closeRule;
    WorkflowGroups groups;
};

class WorkflowGroupsTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(WorkflowGroupsTest, StatusOpensItsGroups)
{
    const IssueWorkflow workflow(settingsWith({{"WFCloseIssue", GetParam().closeRule}}));
    EXPECT_EQ(workflow.groupsFor(QString::fromLatin1(GetParam().status)), GetParam().groups);
}

INSTANTIATE_TEST_SUITE_P(Statuses, WorkflowGroupsTest,
                         ::testing::Values(GroupCase{"Assigned", 1, {true, false, false}},
                                           GroupCase{"Verified  ", 1, {false, false, true}},
                                           GroupCase{"Verified", 2, {false, true, true}},
                                           GroupCase{"Closed", 1, {false, true, false}},
                                           GroupCase{"Resolved", 0, {false, true, true}},
                                           GroupCase{"New", 1, {}}, GroupCase{"assigned", 1, {}}));

TEST(IssueWorkflowTest, PersonListsFollowTheUsersOptions)
{
    const IssueWorkflow workflow(settingsWith({}));
    const std::vector<core::UserQueueEntry> users = {
        {QStringLiteral("NEW"), QStringLiteral("New and verify"), {}},
        {QStringLiteral("ALL"), QStringLiteral("Everything"), {}},
        {QStringLiteral("NON"), QStringLiteral("Nothing"), {}}};
    const auto options = [](const QString &user) {
        if (user == QStringLiteral("NEW"))
            return QStringLiteral("10000100");
        if (user == QStringLiteral("ALL"))
            return QStringLiteral("11111111");
        return QStringLiteral("1"); // too short for any option but the first... and the first is New only
    };
    issues::WorkflowLists lists;
    workflow.fillLists(users, QStringLiteral("New"), {true, true, true}, options, lists);
    ASSERT_EQ(lists.assign.size(), 3u);
    ASSERT_EQ(lists.verified.size(), 2u);
    EXPECT_EQ(lists.verified[0].userMak, QStringLiteral("NEW"));
    ASSERT_EQ(lists.fixed.size(), 1u);
    EXPECT_EQ(lists.fixed[0].userMak, QStringLiteral("ALL"));

    workflow.fillLists(users, QStringLiteral("Assigned"), {true, false, false}, options, lists);
    ASSERT_EQ(lists.assign.size(), 1u);
    EXPECT_EQ(lists.assign[0].userMak, QStringLiteral("ALL"));
    EXPECT_EQ(lists.verified.size(), 2u); // a disabled group keeps its list

    workflow.fillLists(users, QStringLiteral("Assigned"), {}, options, lists);
    EXPECT_EQ(lists.assign.size(), 1u);
}

TEST(IssueWorkflowTest, NewIssuesStartAsNewOrAssigned)
{
    data::Record issue = issueIn(QString());
    IssueWorkflow(settingsWith({})).primeNew(issue);
    EXPECT_EQ(issue.text(QStringLiteral("Status")), QStringLiteral("New"));
    EXPECT_EQ(issue.integer(QStringLiteral("StatusSort")), 1);
    IssueWorkflow(settingsWith({{"WFAssignIssue", 1}})).primeNew(issue);
    EXPECT_EQ(issue.text(QStringLiteral("Status")), QStringLiteral("Assigned"));
    EXPECT_EQ(issue.integer(QStringLiteral("StatusSort")), 2);
    data::Record untouched = issueIn(QStringLiteral("Open"));
    IssueWorkflow(settingsWith({{"WFENABLE", 0}})).primeNew(untouched);
    EXPECT_EQ(untouched.text(QStringLiteral("Status")), QStringLiteral("Open"));
}

TEST(IssueWorkflowTest, SavingClosesResolvedOrVerifiedIssuesByTheSettings)
{
    EXPECT_TRUE(
        IssueWorkflow(settingsWith({{"WFCloseIssue", 1}})).closesOnSave(issueIn(QStringLiteral("Resolved"))));
    EXPECT_FALSE(
        IssueWorkflow(settingsWith({{"WFCloseIssue", 1}})).closesOnSave(issueIn(QStringLiteral("Verified"))));
    EXPECT_TRUE(
        IssueWorkflow(settingsWith({{"WFCloseIssue", 2}})).closesOnSave(issueIn(QStringLiteral("Verified"))));
    EXPECT_FALSE(
        IssueWorkflow(settingsWith({{"WFCloseIssue", 3}})).closesOnSave(issueIn(QStringLiteral("Resolved"))));
    data::Record issue = issueIn(QStringLiteral("Resolved"));
    IssueWorkflow::close(issue);
    EXPECT_EQ(issue.text(QStringLiteral("Status")), QStringLiteral("Closed"));
    EXPECT_EQ(issue.integer(QStringLiteral("StatusSort")), 8);
    EXPECT_EQ(issue.integer(QStringLiteral("Gray")), 1);
    EXPECT_EQ(IssueWorkflow::closeQuestion(issue), QStringLiteral("Do you want to close this Feature now?"));
}

TEST(IssueWorkflowTest, AllResponsiblePersonsJoinsAndCutsAtTheFieldWidth)
{
    EXPECT_EQ(IssueWorkflow::allResponsiblePersons(QStringLiteral("JDO"),
                                                   {QStringLiteral("DEF"), QStringLiteral("GHI")}),
              QStringLiteral("JDO|DEF|GHI"));
    EXPECT_EQ(IssueWorkflow::allResponsiblePersons(QString(), {QStringLiteral("DEF")}),
              QStringLiteral("|DEF"));
    QStringList nine;
    for (int i = 1; i <= 9; ++i)
        nine << QStringLiteral("P%1%1").arg(i);
    const QString all = IssueWorkflow::allResponsiblePersons(QStringLiteral("JDO"), nine);
    EXPECT_EQ(all.size(), 35);
    EXPECT_TRUE(all.endsWith(QStringLiteral("|P88")));
}

TEST(IssueStatusTest, ListRowsBringTheirSortAndGreyFlag)
{
    const core::StatusQueue statuses = {{QStringLiteral("Open"), 0, false, 3},
                                        {QStringLiteral("Done"), 0, true, 9}};
    data::Record issue = issueIn(QStringLiteral("Done"));
    issues::IssueStatus::settleNew(issue, IssueWorkflow(settingsWith({{"WFENABLE", 0}})), statuses,
                                   {{QStringLiteral("2.0"), 0}, {QStringLiteral("1.0"), 80000}});
    EXPECT_EQ(issue.integer(QStringLiteral("StatusSort")), 9);
    EXPECT_EQ(issue.integer(QStringLiteral("Gray")), 1);
    EXPECT_EQ(issue.text(QStringLiteral("Version")), QStringLiteral("1.0")); // the first with a date

    EXPECT_TRUE(issues::IssueStatus::takePosition(issue, statuses, 1));
    EXPECT_EQ(issue.text(QStringLiteral("Status")), QStringLiteral("Open"));
    EXPECT_EQ(issue.integer(QStringLiteral("Gray")), 0);
    EXPECT_FALSE(issues::IssueStatus::takePosition(issue, statuses, 3)); // beyond the list: unchanged
    EXPECT_EQ(issue.text(QStringLiteral("Status")), QStringLiteral("Open"));
}

} // namespace

} // namespace tarvo::test
