#include "issues/NotificationTrigger.h"

#include "IssueStoreTest.h"
#include "core/dictionary/TarvoDictionary.h"
#include "issues/IssueSnapshot.h"
#include "platform/runtime/DayDate.h"

namespace tarvo::test {

using issues::IssueEvent;
using issues::NotificationTrigger;
using issues::TriggerCaller;

namespace {

class NotificationTriggerTest : public IssueStoreTest {
  protected:
    void SetUp() override
    {
        IssueStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        setSettings({{QStringLiteral("ENABLEEMAIL"), 1}});
        data::Record &bug = bugBuffer();
        bug = fm(QStringLiteral("Bugs")).newRecord();
        bug.setValue(QStringLiteral("ID"), 7);
        bug.setValue(QStringLiteral("Category"), 2);
        bug.setValue(QStringLiteral("Status"), QStringLiteral("Open"));
        m_before = bug;
    }

    issues::PendingNotifications decide(IssueEvent event, bool userHasEMail = true)
    {
        NotificationTrigger trigger(session(), settings());
        trigger.setUserHasEMail(userHasEMail);
        auto pending = trigger.decide(TriggerCaller::Form, event, m_before);
        EXPECT_TRUE(pending.ok()) << (pending ? "" : pending.error().message.toStdString());
        return pending ? *pending : issues::PendingNotifications{};
    }

    data::Record m_before;
};

TEST_P(NotificationTriggerTest, NothingIsAskedWithoutMailOrWithNotificationsOff)
{
    addRule(QStringLiteral("deleted"), 99, QStringLiteral("Record deleted"));
    EXPECT_FALSE(decide(IssueEvent::Deleted, false).cancelled());
    setSettings({});
    EXPECT_FALSE(decide(IssueEvent::Deleted).cancelled());
    EXPECT_TRUE(m_mail->asked.isEmpty());
}

TEST_P(NotificationTriggerTest, MassUpdateAnswersToItsOwnSwitch)
{
    addRule(QStringLiteral("changed"), 99, QStringLiteral("Record changed"));
    const auto decideFor = [&](TriggerCaller caller) {
        NotificationTrigger trigger(session(), settings());
        return trigger.decide(caller, IssueEvent::Changed, m_before).ok();
    };
    EXPECT_TRUE(decideFor(TriggerCaller::MassUpdate));
    EXPECT_TRUE(m_mail->asked.isEmpty());
    setSettings({{QStringLiteral("ENABLEEMAILMASSUPDATE"), 1}});
    EXPECT_TRUE(decideFor(TriggerCaller::Form));
    EXPECT_TRUE(m_mail->asked.isEmpty());
    EXPECT_TRUE(decideFor(TriggerCaller::MassUpdate));
    EXPECT_EQ(m_mail->asked, QStringList{QStringLiteral("changed")});
}

TEST_P(NotificationTriggerTest, SnapshotKeepsWhatItHeldWhileNotificationsAreOff)
{
    issues::IssueSnapshot snapshot;
    snapshot.take(issues::IssueSnapshot::Copy, bugBuffer(), settings());
    EXPECT_EQ(snapshot.issue().text(QStringLiteral("Status")), QStringLiteral("Open"));
    bugBuffer().setValue(QStringLiteral("Status"), QStringLiteral("Closed"));
    setSettings({});
    snapshot.take(issues::IssueSnapshot::Copy, bugBuffer(), settings());
    snapshot.take(issues::IssueSnapshot::Clear, bugBuffer(), settings());
    EXPECT_EQ(snapshot.issue().text(QStringLiteral("Status")), QStringLiteral("Open"));
    setSettings({{QStringLiteral("ENABLEEMAIL"), 1}});
    snapshot.take(issues::IssueSnapshot::Clear, bugBuffer(), settings());
    EXPECT_TRUE(snapshot.issue().text(QStringLiteral("Status")).isEmpty());
    EXPECT_EQ(snapshot.issue().integer(QStringLiteral("ID")), 0);
}

TEST_P(NotificationTriggerTest, DeleteFiresOnlyRecordRulesOfItsCategory)
{
    addRule(QStringLiteral("deleted all"), 99, QStringLiteral("Record deleted"));
    addRule(QStringLiteral("deleted feature"), 2, QStringLiteral("Record deleted"));
    addRule(QStringLiteral("deleted bug"), 1, QStringLiteral("Record deleted"));
    addRule(QStringLiteral("status"), 99, QStringLiteral("BUG:Status changed"), QStringLiteral("Any"));
    bugBuffer().setValue(QStringLiteral("Status"), QStringLiteral("Gone"));
    decide(IssueEvent::Deleted);
    EXPECT_EQ(m_mail->asked, (QStringList{QStringLiteral("deleted feature"), QStringLiteral("deleted all")}));
}

TEST_P(NotificationTriggerTest, EnteredIssueFiresFieldRulesMarkedForInserts)
{
    addRule(QStringLiteral("entered"), 2, QStringLiteral("Record entered"));
    addRule(QStringLiteral("open on insert"), 99, QStringLiteral("BUG:Status changed"),
            QStringLiteral("Open"), true);
    addRule(QStringLiteral("open not on insert"), 99, QStringLiteral("BUG:Status changed"),
            QStringLiteral("Open"));
    addRule(QStringLiteral("closed on insert"), 99, QStringLiteral("BUG:Status changed"),
            QStringLiteral("Closed"), true);
    issues::IssueSnapshot snapshot;
    snapshot.take(issues::IssueSnapshot::Clear, bugBuffer(), settings());
    m_before = snapshot.issue();
    decide(IssueEvent::Entered);
    EXPECT_EQ(m_mail->asked, (QStringList{QStringLiteral("entered"), QStringLiteral("open on insert")}));
    EXPECT_EQ(m_mail->issues.first(), QStringLiteral("7:entered"));
}

TEST_P(NotificationTriggerTest, ChangedFieldsFireMatchingValuesAndAny)
{
    addRule(QStringLiteral("any responsible"), 99, QStringLiteral("BUG:Responsible changed"),
            QStringLiteral("Any"));
    addRule(QStringLiteral("status closed"), 2, QStringLiteral("BUG:Status changed"),
            QStringLiteral("Closed"));
    addRule(QStringLiteral("status closed bugs"), 1, QStringLiteral("BUG:Status changed"),
            QStringLiteral("Closed"));
    addRule(QStringLiteral("long text"), 99, QStringLiteral("BUG:BugText changed"), QStringLiteral("Any"));
    addRule(QStringLiteral("due"), 99, QStringLiteral("BUG:DueDate changed"), QStringLiteral("Any"));
    m_before.setValue(QStringLiteral("Responsible"), QStringLiteral("ABC"));
    m_before.setValue(QStringLiteral("BugText"), QString(300, QLatin1Char('x')));
    m_before.setValue(QStringLiteral("DueDate"), 80000);
    data::Record &bug = bugBuffer();
    bug = m_before;
    bug.setValue(QStringLiteral("Responsible"), QString());           // emptied
    bug.setValue(QStringLiteral("Status"), QStringLiteral("Closed")); // category 2 only
    bug.setValue(QStringLiteral("BugText"),
                 QString(QString(299, QLatin1Char('x')) + QLatin1Char('y'))); // beyond 255
    bug.setValue(QStringLiteral("DueDate"), 0);
    EXPECT_EQ(NotificationTrigger::valueText(bug, QStringLiteral("BUG:DueDate")), QString());
    EXPECT_EQ(NotificationTrigger::valueText(bug, QStringLiteral("BUG:BugText")),
              QString(255, QLatin1Char('x')));
    decide(IssueEvent::Changed);
    EXPECT_EQ(m_mail->asked, (QStringList{QStringLiteral("status closed"), QStringLiteral("any responsible"),
                                          QStringLiteral("due"), QStringLiteral("long text")}));
}

TEST_P(NotificationTriggerTest, CancelledRecordPreviewStillAsksTheOthersButNoFieldRule)
{
    addRule(QStringLiteral("changed a"), 2, QStringLiteral("Record changed"));
    addRule(QStringLiteral("changed b"), 99, QStringLiteral("Record changed"));
    addRule(QStringLiteral("status"), 99, QStringLiteral("BUG:Status changed"), QStringLiteral("Any"));
    m_mail->answers.insert(QStringLiteral("changed a"), 0);
    bugBuffer().setValue(QStringLiteral("Status"), QStringLiteral("Closed"));
    auto pending = decide(IssueEvent::Changed);
    EXPECT_TRUE(pending.cancelled());
    EXPECT_EQ(m_mail->asked, (QStringList{QStringLiteral("changed a"), QStringLiteral("changed b")}));
    EXPECT_EQ(pending.send(1, *m_mail), 0);
    EXPECT_TRUE(m_mail->sent.isEmpty());
}

TEST_P(NotificationTriggerTest, CancelledFieldPreviewEndsTheEvaluation)
{
    addRule(QStringLiteral("status 1"), 2, QStringLiteral("BUG:Status changed"), QStringLiteral("Any"));
    addRule(QStringLiteral("status 2"), 99, QStringLiteral("BUG:Status changed"), QStringLiteral("Any"));
    addRule(QStringLiteral("priority"), 99, QStringLiteral("BUG:Priority changed"), QStringLiteral("Any"));
    m_mail->answers.insert(QStringLiteral("status 1"), 0);
    bugBuffer().setValue(QStringLiteral("Status"), QStringLiteral("Closed"));
    bugBuffer().setValue(QStringLiteral("Priority"), QStringLiteral("High"));
    EXPECT_TRUE(decide(IssueEvent::Changed).cancelled());
    EXPECT_EQ(m_mail->asked, QStringList{QStringLiteral("status 1")});
}

TEST_P(NotificationTriggerTest, DecidedMailsGoOutOnceAndNotChosenOnesNever)
{
    addRule(QStringLiteral("send"), 99, QStringLiteral("Record changed"));
    addRule(QStringLiteral("skip"), 2, QStringLiteral("Record changed"));
    m_mail->answers.insert(QStringLiteral("skip"), 2);
    auto pending = decide(IssueEvent::Changed);
    EXPECT_FALSE(pending.cancelled());
    EXPECT_TRUE(m_mail->sent.isEmpty()); // deciding sends nothing
    EXPECT_EQ(pending.send(1, *m_mail), 1);
    EXPECT_EQ(pending.send(1, *m_mail), 0);
    EXPECT_EQ(m_mail->sent, QStringList{QStringLiteral("send")});
}

struct ValueTextCase {
    const char *label;
    QVariant value;
    const char *text;
};

class ValueTextTest : public ::testing::TestWithParam<ValueTextCase> {};

TEST_P(ValueTextTest, FormatsAsTheRuleValuesAreWritten)
{
    static const auto layout = data::RecordLayout::make(core::bugsFile());
    data::Record bug(layout);
    ASSERT_TRUE(bug.setValue(QString::fromLatin1(GetParam().label), GetParam().value));
    EXPECT_EQ(NotificationTrigger::valueText(bug, QString::fromLatin1(GetParam().label)),
              QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ValueTextTest,
    ::testing::Values(ValueTextCase{"BUG:ID", 1234567, "1234567"}, ValueTextCase{"BUG:PrgID", 1234, "1,234"},
                      ValueTextCase{"BUG:PrgID", -5, "-5"}, ValueTextCase{"BUG:Category", 3, "3"},
                      ValueTextCase{"BUG:Status", QStringLiteral("  Open"), "Open"},
                      ValueTextCase{"BUG:StartTime", 0, ""}, ValueTextCase{"BUG:ReportedDate", 0, ""},
                      ValueTextCase{"BUG:AttachCounter", 0, "0"}));

} // namespace

TARVO_REAL_STORE_SUITE(NotificationTriggerTest);

} // namespace tarvo::test
