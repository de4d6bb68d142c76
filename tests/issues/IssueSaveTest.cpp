#include "issues/IssueSave.h"

#include "IssueStoreTest.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueFieldTable.h"
#include "issues/IssueStatus.h"
#include "issues/IssueWorkflow.h"
#include "platform/data/RecordHolds.h"
#include "platform/data/Store.h"
#include "platform/runtime/DayDate.h"

namespace tarvo::test {

using issues::IssueFieldRules;
using issues::IssueRequest;
using issues::IssueSave;
using issues::NewIssueValues;
using issues::SaveResult;
using Outcome = issues::SaveResult::Outcome;

namespace {

class IssueSaveTest : public IssueStoreTest {
  protected:
    void SetUp() override
    {
        IssueStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        setSettings({{QStringLiteral("ENABLEEMAIL"), 1}});
    }

    // A stored issue of category 2 with a status, made the current record of the Bugs buffer.
    qint32 storedIssue(const FieldValues &more = {})
    {
        FieldValues values = {{QStringLiteral("Category"), 2},
                              {QStringLiteral("Status"), QStringLiteral("Open")},
                              {QStringLiteral("ReportedBy"), QStringLiteral("ACME")}};
        values.insert(values.end(), more.begin(), more.end());
        const data::Record issue = add(QStringLiteral("Bugs"), values);
        bugBuffer() = issue;
        return qint32(issue.integer(QStringLiteral("ID")));
    }

    static NewIssueValues newIssue(qint32 prgId, int category, const QString &release = {},
                                   const QString &programFile = {})
    {
        NewIssueValues values;
        values.prgId = prgId;
        values.category = category;
        values.release = release;
        values.programFile = programFile;
        return values;
    }

    IssueFieldRules noRules(std::vector<issues::FieldConfigRow> config = {},
                            std::vector<issues::FieldRule> rules = {})
    {
        return IssueFieldRules(session(), std::move(config), std::move(rules));
    }

    SaveResult ok(IssueSave &save, const IssueFieldRules &rules) { return save.ok(rules, {}, {}); }

    SaveResult ok(IssueSave &save) { return ok(save, noRules()); }

    qint64 rowsOf(const QString &label, qint32 id, const QString &idField = QStringLiteral("ID"))
    {
        return count(label, {{idField, id}});
    }

    // Makes the next write of `label` fail inside the store.
    void refuseWritesTo(const QString &label)
    {
        ASSERT_TRUE(fm(label).open().ok());
        if (m_dict->store().kind() == data::StoreKind::Sqlite) {
            exec(
                QStringLiteral(
                    "CREATE TRIGGER refuse BEFORE INSERT ON \"%1\" BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    .arg(label));
        } else {
            exec(QStringLiteral(
                "CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; "
                "END $$ LANGUAGE plpgsql"));
            exec(QStringLiteral(
                     "CREATE TRIGGER refuse BEFORE INSERT ON \"%1\" FOR EACH ROW EXECUTE FUNCTION refuse()")
                     .arg(label));
        }
    }
};

TEST_P(IssueSaveTest, InsertStoresTheIssueAndRecordAddedTogetherThenSendsOnce)
{
    addRule(QStringLiteral("entered"), 99, QStringLiteral("Record entered"));
    IssueSave save(session(), settings());
    auto opened =
        save.open(IssueRequest::Insert, newIssue(3, 2, QStringLiteral("1.0"), QStringLiteral("main.c")));
    ASSERT_TRUE(opened.ok());
    const qint32 id = qint32(save.issue().integer(QStringLiteral("ID")));
    EXPECT_GT(id, 0);
    EXPECT_EQ(save.issue().text(QStringLiteral("CreatedBy")), QStringLiteral("JDO"));
    EXPECT_EQ(save.issue().integer(QStringLiteral("CreateDate")), DayDate::fromDate(QDate(2024, 3, 5)));
    save.issue().setValue(QStringLiteral("Description"), QStringLiteral("Crash on start"));
    EXPECT_TRUE(m_mail->asked.isEmpty());

    const SaveResult r = ok(save);
    ASSERT_EQ(r.outcome, Outcome::Saved) << r.error.message.toStdString();
    EXPECT_EQ(r.mailsSent, 1);
    EXPECT_EQ(m_mail->sent, QStringList{QStringLiteral("entered")});
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.text(QStringLiteral("Description")), QStringLiteral("Crash on start"));
    EXPECT_EQ(stored.integer(QStringLiteral("PrgID")), 3);
    EXPECT_EQ(stored.text(QStringLiteral("Version")), QStringLiteral("1.0"));
    EXPECT_EQ(count(QStringLiteral("History"),
                    {{QStringLiteral("ID"), id}, {QStringLiteral("FIELD"), QStringLiteral("Record added")}}),
              1);

    // The hold went with the commit: another context may now take the issue.
    auto other = m_dict->createSession(2, &m_errors);
    EXPECT_TRUE(other->holds().hold(*other->file(QStringLiteral("Bugs")), stored).ok());
}

TEST_P(IssueSaveTest, RefusedPreviewStoresAndSendsNothing)
{
    addRule(QStringLiteral("entered a"), 2, QStringLiteral("Record entered"));
    addRule(QStringLiteral("entered b"), 99, QStringLiteral("Record entered"));
    m_mail->answers.insert(QStringLiteral("entered b"), 0);
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Insert, newIssue(3, 2)).ok());
    const qint32 id = qint32(save.issue().integer(QStringLiteral("ID")));
    save.issue().setValue(QStringLiteral("Description"), QStringLiteral("Never stored"));
    EXPECT_EQ(ok(save).outcome, Outcome::Refused);
    EXPECT_EQ(m_mail->asked.size(), 2);
    EXPECT_TRUE(m_mail->sent.isEmpty());
    EXPECT_TRUE(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}})
                    .text(QStringLiteral("Description"))
                    .isEmpty());
    EXPECT_EQ(rowsOf(QStringLiteral("History"), id), 0);

    // A second OK asks again and, answered, sends each mail once.
    m_mail->answers.clear();
    EXPECT_EQ(ok(save).outcome, Outcome::Saved);
    EXPECT_EQ(m_mail->sent, (QStringList{QStringLiteral("entered a"), QStringLiteral("entered b")}));
}

TEST_P(IssueSaveTest, FailedCommitLeavesNothingAndSendsNothing)
{
    addRule(QStringLiteral("entered"), 99, QStringLiteral("Record entered"));
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Insert, newIssue(3, 2)).ok());
    const qint32 id = qint32(save.issue().integer(QStringLiteral("ID")));
    save.issue().setValue(QStringLiteral("Description"), QStringLiteral("Half written"));
    refuseWritesTo(QStringLiteral("History"));
    const SaveResult r = ok(save);
    EXPECT_EQ(r.outcome, Outcome::Failed);
    EXPECT_TRUE(m_mail->sent.isEmpty());
    // The issue row did not take the values whose "Record added" could not be written.
    EXPECT_TRUE(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}})
                    .text(QStringLiteral("Description"))
                    .isEmpty());
    ASSERT_TRUE(save.cancel().ok());
    EXPECT_EQ(rowsOf(QStringLiteral("Bugs"), id), 0);
}

TEST_P(IssueSaveTest, CancelledInsertRemovesItsRowAndEverythingWrittenUnderIt)
{
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Insert, newIssue(3, 1)).ok());
    const qint32 id = qint32(save.issue().integer(QStringLiteral("ID")));
    // What the sub-forms write while the new issue is open.
    add(QStringLiteral("Notes"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("Note"), QStringLiteral("a note")}});
    add(QStringLiteral("BugsResponsible"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("DEF")}});
    const data::Record att =
        add(QStringLiteral("Attachments"),
            {{QStringLiteral("BUGID"), id}, {QStringLiteral("Description"), QStringLiteral("log")}});
    add(QStringLiteral("AttachmentFiles"), {{QStringLiteral("ID"), att.value(QStringLiteral("ID"))},
                                            {QStringLiteral("ATTACHEDFILE"), QByteArray("bytes")}});
    add(QStringLiteral("EMails"), {{QStringLiteral("ID"), id}, {QStringLiteral("Type"), 0}});
    ASSERT_TRUE(save.cancel().ok());
    EXPECT_EQ(rowsOf(QStringLiteral("Bugs"), id), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("Notes"), id), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("BugsResponsible"), id), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("Attachments"), id, QStringLiteral("BUGID")), 0);
    EXPECT_EQ(count(QStringLiteral("AttachmentFiles")), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("EMails"), id), 0);
}

TEST_P(IssueSaveTest, ChangeStampsAndSendsOnlyWhenSomethingChanged)
{
    addRule(QStringLiteral("changed"), 99, QStringLiteral("Record changed"));
    const qint32 id = storedIssue({{QStringLiteral("Version"), QStringLiteral("1.0")}});
    {
        IssueSave save(session(), settings());
        ASSERT_EQ(*save.open(IssueRequest::Change), IssueRequest::Change);
        const SaveResult r = save.ok(noRules(), {}, {}, QStringLiteral("1.0"));
        EXPECT_EQ(r.outcome, Outcome::Saved);
        EXPECT_FALSE(r.versionChanged);
        EXPECT_TRUE(m_mail->asked.isEmpty());
        EXPECT_EQ(
            one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).integer(QStringLiteral("ChangedDate")),
            0);
    }
    setNow(m_now.addDays(1));
    bugBuffer() = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Change).ok());
    save.issue().setValue(QStringLiteral("Version"), QStringLiteral("1.1"));
    save.issue().setValue(QStringLiteral("Priority"), QStringLiteral("High"));
    const SaveResult r =
        save.ok(noRules(), {QStringLiteral("DEF")}, {{QStringLiteral("High"), 3, 0}}, QStringLiteral("1.0"));
    ASSERT_EQ(r.outcome, Outcome::Saved);
    EXPECT_TRUE(r.versionChanged);
    EXPECT_EQ(m_mail->sent, QStringList{QStringLiteral("changed")});
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.integer(QStringLiteral("ChangedDate")), DayDate::fromDate(QDate(2024, 3, 6)));
    EXPECT_EQ(stored.text(QStringLiteral("ChangedBy")), QStringLiteral("JDO"));
    EXPECT_EQ(stored.integer(QStringLiteral("PrioritySort")), 3);
    EXPECT_EQ(stored.text(QStringLiteral("AllResponsiblePersons")), QStringLiteral("|DEF"));
}

TEST_P(IssueSaveTest, CancelledChangeTakesBackItsHistoryAndStoresNothing)
{
    const qint32 id = storedIssue();
    add(QStringLiteral("History"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("FIELD"), QStringLiteral("earlier")}});
    setNow(QDateTime(QDate(2024, 3, 5), QTime(23, 50)));
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Change).ok());
    IssueFieldRules rules = noRules();
    setNow(QDateTime(QDate(2024, 3, 5), QTime(23, 55)));
    save.issue().setValue(QStringLiteral("Status"), QStringLiteral("Closed"));
    ASSERT_TRUE(rules
                    .applyChange(save.issue(), QStringLiteral("BUG:Status"), QStringLiteral("@s35"),
                                 QStringLiteral("Open"), QStringLiteral("Closed"), true, save.history())
                    .ok());
    setNow(QDateTime(QDate(2024, 3, 6), QTime(0, 5)));
    save.issue().setValue(QStringLiteral("Priority"), QStringLiteral("Low"));
    ASSERT_TRUE(rules
                    .applyChange(save.issue(), QStringLiteral("BUG:Priority"), QStringLiteral("@s35"),
                                 QString(), QStringLiteral("Low"), true, save.history())
                    .ok());
    EXPECT_EQ(rowsOf(QStringLiteral("History"), id), 3);
    setNow(QDateTime(QDate(2024, 3, 6), QTime(0, 10)));
    ASSERT_TRUE(save.cancel().ok());
    EXPECT_EQ(rowsOf(QStringLiteral("History"), id), 1);
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).text(QStringLiteral("Status")),
              QStringLiteral("Open"));
}

TEST_P(IssueSaveTest, AnIssueHeldByAnotherContextOpensForViewingAndIsNotDeleted)
{
    const qint32 id = storedIssue();
    IssueSave first(session(), settings());
    ASSERT_EQ(*first.open(IssueRequest::Change), IssueRequest::Change);

    auto other = m_dict->createSession(2, &m_errors);
    other->file(QStringLiteral("Bugs"))->buffer() = bugBuffer();
    IssueSave second(*other, settings());
    auto opened = second.open(IssueRequest::Change);
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(*opened, IssueRequest::View);
    ASSERT_FALSE(m_messages.texts().isEmpty());
    EXPECT_EQ(m_messages.texts().last(), QStringLiteral("This record is locked because someone else is "
                                                        "editing it!||It will be opened in view-only mode."));
    EXPECT_EQ(second.ok(noRules(), {}, {}).outcome, Outcome::Stopped); // no OK in view mode

    IssueSave remover(*other, settings());
    EXPECT_EQ(remover.remove([] { return true; }).outcome, Outcome::Held);
    EXPECT_EQ(rowsOf(QStringLiteral("Bugs"), id), 1);
}

TEST_P(IssueSaveTest, AHoldOfAnotherProcessCountsWhileItsLeaseRuns)
{
    storedIssue();
    const qint64 row = bugBuffer().rowId();
    // The hold row another running copy writes; an expired lease is the one of a copy that crashed.
    const auto holdOfAnotherProcess = [&](qint64 expiresInMs) {
        exec(QStringLiteral("DELETE FROM \"_tarvo_holds\""));
        exec(QStringLiteral(
                 "INSERT INTO \"_tarvo_holds\" (\"tablename\", \"rid\", \"host\", \"pid\", \"context\", "
                 "\"expires\") VALUES ('%1', %2, 'elsewhere', 424242, 1, %3)")
                 .arg(fm(QStringLiteral("Bugs")).layout().table())
                 .arg(row)
                 .arg(QDateTime::currentMSecsSinceEpoch() + expiresInMs));
    };
    holdOfAnotherProcess(60000);
    {
        IssueSave save(session(), settings());
        EXPECT_EQ(*save.open(IssueRequest::Change), IssueRequest::View);
    }
    holdOfAnotherProcess(-1000);
    IssueSave save(session(), settings());
    EXPECT_EQ(*save.open(IssueRequest::Change), IssueRequest::Change);
}

TEST_P(IssueSaveTest, DeleteCascadesAfterItsPreviewsAndSendsAfterTheCommit)
{
    addRule(QStringLiteral("deleted"), 99, QStringLiteral("Record deleted"));
    const qint32 id = storedIssue();
    add(QStringLiteral("History"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("FIELD"), QStringLiteral("x")}});
    add(QStringLiteral("Notes"), {{QStringLiteral("ID"), id}});
    add(QStringLiteral("BugsResponsible"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("DEF")}});
    const data::Record att = add(QStringLiteral("Attachments"), {{QStringLiteral("BUGID"), id}});
    add(QStringLiteral("AttachmentFiles"), {{QStringLiteral("ID"), att.value(QStringLiteral("ID"))}});
    add(QStringLiteral("EMails"), {{QStringLiteral("ID"), id}, {QStringLiteral("Type"), 0}});
    const qint32 kept = storedIssue();
    bugBuffer() = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});

    m_mail->answers.insert(QStringLiteral("deleted"), 0);
    IssueSave refused(session(), settings());
    EXPECT_EQ(refused.remove([] { return true; }).outcome, Outcome::Refused);
    EXPECT_EQ(rowsOf(QStringLiteral("Bugs"), id), 1);

    m_mail->answers.clear();
    IssueSave save(session(), settings());
    bool asked = false;
    const SaveResult r = save.remove([&] { return asked = true; });
    ASSERT_EQ(r.outcome, Outcome::Saved) << r.error.message.toStdString();
    EXPECT_TRUE(asked);
    EXPECT_EQ(m_mail->sent, QStringList{QStringLiteral("deleted")});
    EXPECT_EQ(m_mail->issues.last(), QStringLiteral("%1:deleted").arg(id));
    for (const QString &child : {QStringLiteral("Bugs"), QStringLiteral("History"), QStringLiteral("Notes"),
                                 QStringLiteral("BugsResponsible"), QStringLiteral("EMails")})
        EXPECT_EQ(rowsOf(child, id), 0) << child.toStdString();
    EXPECT_EQ(rowsOf(QStringLiteral("Attachments"), id, QStringLiteral("BUGID")), 0);
    EXPECT_EQ(count(QStringLiteral("AttachmentFiles")), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("Bugs"), kept), 1);
}

TEST_P(IssueSaveTest, DuplicateCopiesByTheUsersChoicesAndAllEighteenMemos)
{
    FieldValues source = {{QStringLiteral("Hardware"), QStringLiteral("PC")},
                          {QStringLiteral("Reproducible"), QStringLiteral("Always")},
                          {QStringLiteral("Resolution"), QStringLiteral("Fixed")},
                          {QStringLiteral("AttachCounter"), 1},
                          {QStringLiteral("ChangedBy"), QStringLiteral("ABC")},
                          {QStringLiteral("ChangedDate"), 80000}};
    for (const QString &memo : issues::IssueFieldTable::memos())
        source.emplace_back(memo, QVariant(memo + QStringLiteral(" text")));
    const qint32 id = storedIssue(source);
    add(QStringLiteral("BugsResponsible"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("RESPONSIBLE"), QStringLiteral("DEF")}});
    const data::Record att =
        add(QStringLiteral("Attachments"),
            {{QStringLiteral("BUGID"), id}, {QStringLiteral("Description"), QStringLiteral("log")}});
    add(QStringLiteral("AttachmentFiles"),
        {{QStringLiteral("ID"), att.value(QStringLiteral("ID"))},
         {QStringLiteral("ATTACHEDFILE"), QByteArray("\x01\x02\x00\x03", 4)}});
    add(QStringLiteral("Notes"), {{QStringLiteral("ID"), id}, {QStringLiteral("Note"), QStringLiteral("n")}});

    NewIssueValues byDefault = newIssue(1, 1);
    byDefault.duplicateSource = id;
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Insert, byDefault).ok());
    const data::Record &copy = save.issue();
    const qint32 copyId = qint32(copy.integer(QStringLiteral("ID")));
    EXPECT_NE(copyId, id);
    for (const QString &memo : {QStringLiteral("BugText"), QStringLiteral("EnvironmentText"),
                                QStringLiteral("CustomField1"), QStringLiteral("CustomField10")})
        EXPECT_EQ(copy.text(memo), memo + QStringLiteral(" text")) << memo.toStdString();
    for (const QString &cleared :
         {QStringLiteral("RecreateText"), QStringLiteral("WorkaroundText"), QStringLiteral("ResolutionText"),
          QStringLiteral("ReleaseNotes"), QStringLiteral("TestingText"), QStringLiteral("VerifiedText"),
          QStringLiteral("Reproducible"), QStringLiteral("Resolution"), QStringLiteral("ChangedBy")})
        EXPECT_TRUE(copy.text(cleared).isEmpty()) << cleared.toStdString();
    EXPECT_EQ(copy.text(QStringLiteral("Hardware")), QStringLiteral("PC"));
    EXPECT_EQ(copy.integer(QStringLiteral("AttachCounter")), 0);
    EXPECT_EQ(copy.integer(QStringLiteral("ChangedDate")), 0);
    EXPECT_EQ(copy.text(QStringLiteral("CreatedBy")), QStringLiteral("JDO"));
    EXPECT_EQ(rowsOf(QStringLiteral("BugsResponsible"), copyId), 1);
    EXPECT_EQ(rowsOf(QStringLiteral("Attachments"), copyId, QStringLiteral("BUGID")), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("Notes"), copyId), 0);
    ASSERT_TRUE(save.cancel().ok());

    NewIssueValues everything = byDefault;
    everything.duplicate = {false, false, true, true, true, true, true, true};
    bugBuffer() = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    IssueSave all(session(), settings());
    ASSERT_TRUE(all.open(IssueRequest::Insert, everything).ok());
    const qint32 allId = qint32(all.issue().integer(QStringLiteral("ID")));
    EXPECT_TRUE(all.issue().text(QStringLiteral("CustomField1")).isEmpty());
    EXPECT_TRUE(all.issue().text(QStringLiteral("Hardware")).isEmpty());
    EXPECT_EQ(all.issue().text(QStringLiteral("TestingText")), QStringLiteral("TestingText text"));
    EXPECT_EQ(rowsOf(QStringLiteral("Notes"), allId), 1);
    const data::Record copiedAtt = one(QStringLiteral("Attachments"), {{QStringLiteral("BUGID"), allId}});
    EXPECT_NE(copiedAtt.integer(QStringLiteral("ID")), att.integer(QStringLiteral("ID")));
    EXPECT_EQ(one(QStringLiteral("AttachmentFiles"),
                  {{QStringLiteral("ID"), copiedAtt.value(QStringLiteral("ID"))}})
                  .bytes(QStringLiteral("ATTACHEDFILE")),
              QByteArray("\x01\x02\x00\x03", 4));
    EXPECT_EQ(ok(all).outcome, Outcome::Saved);
}

TEST_P(IssueSaveTest, AssignedOnInsertIsSavedOnceSomeoneIsResponsible)
{
    setSettings({{QStringLiteral("WFENABLE"), 1}, {QStringLiteral("WFAssignIssue"), 1}});
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Insert, newIssue(3, 1)).ok());
    save.issue().setValue(QStringLiteral("Status"), QStringLiteral("Open")); // a field default yields
    issues::IssueStatus::settleNew(save.issue(), issues::IssueWorkflow(settings()), {}, {});
    EXPECT_EQ(save.issue().text(QStringLiteral("Status")), QStringLiteral("Assigned"));
    EXPECT_EQ(save.issue().integer(QStringLiteral("StatusSort")), 2);
    const SaveResult stoppedAt = ok(save);
    EXPECT_EQ(stoppedAt.outcome, Outcome::Stopped);
    EXPECT_EQ(stoppedAt.select, QStringLiteral("BUG:RESPONSIBLE"));
    save.issue().setValue(QStringLiteral("Responsible"), QStringLiteral("DEF"));
    EXPECT_EQ(ok(save).outcome, Outcome::Saved);
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), save.issue().value(QStringLiteral("ID"))}})
                  .text(QStringLiteral("AllResponsiblePersons")),
              QStringLiteral("DEF"));
}

TEST_P(IssueSaveTest, ClosingOnSaveAsksFirstWhenTheSettingsSaySo)
{
    setSettings({{QStringLiteral("WFENABLE"), 1},
                 {QStringLiteral("WFCloseIssue"), 1},
                 {QStringLiteral("WFPromptBeforeClose"), 1}});
    const qint32 id = storedIssue();
    for (const int answer : {Button::No, Button::Yes}) {
        bugBuffer() = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
        IssueSave save(session(), settings());
        ASSERT_TRUE(save.open(IssueRequest::Change).ok());
        save.issue().setValue(QStringLiteral("Status"), QStringLiteral("Resolved"));
        m_messages.answer(answer);
        ASSERT_EQ(ok(save).outcome, Outcome::Saved);
        EXPECT_EQ(m_messages.texts().last(), QStringLiteral("Do you want to close this Feature now?"));
        const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
        const bool closed = answer == Button::Yes;
        EXPECT_EQ(stored.text(QStringLiteral("Status")),
                  closed ? QStringLiteral("Closed") : QStringLiteral("Resolved"));
        EXPECT_EQ(stored.integer(QStringLiteral("Gray")), closed ? 1 : 0);
    }
}

TEST_P(IssueSaveTest, RequiredChecksSelectTheirControlAndKeepTheHold)
{
    const qint32 id =
        storedIssue({{QStringLiteral("ReportedBy"), QString()}, {QStringLiteral("Category"), 0}});
    std::vector<issues::FieldConfigRow> config = {{QStringLiteral("BUG:Category"), true, false, {}},
                                                  {QStringLiteral("BUG:ReportedBy"), true, false, {}},
                                                  {QStringLiteral("BUG:DueDate"), true, false, {}}};
    IssueFieldRules rules = noRules(config);
    IssueSave save(session(), settings());
    ASSERT_TRUE(save.open(IssueRequest::Change).ok());
    rules.configure(save.issue(), false);
    EXPECT_EQ(ok(save, rules).select, QStringLiteral("BUG:CATEGORY"));
    save.issue().setValue(QStringLiteral("Category"), 1);
    EXPECT_EQ(ok(save, rules).select, QStringLiteral("BUG:REPORTEDBY"));
    save.issue().setValue(QStringLiteral("ReportedBy"), QStringLiteral("ACME"));
    EXPECT_EQ(ok(save, rules).select, QStringLiteral("BUG:DUEDATE"));
    auto other = m_dict->createSession(2, &m_errors);
    EXPECT_FALSE(other->holds().hold(*other->file(QStringLiteral("Bugs")), save.issue()).ok());
    save.issue().setValue(QStringLiteral("DueDate"), 80000);
    EXPECT_EQ(ok(save, rules).outcome, Outcome::Saved);
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).integer(QStringLiteral("DueDate")),
              80000);
}

} // namespace

TARVO_REAL_STORE_SUITE(IssueSaveTest);

} // namespace tarvo::test
