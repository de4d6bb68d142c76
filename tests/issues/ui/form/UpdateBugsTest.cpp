#include "issues/ui/form/UpdateBugs.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/lists/UserQueue.h"
#include "core/services/MasterDataServices.h"
#include "core/services/Services.h"
#include "issues/IssueStoreTest.h"
#include "platform/data/RecordHolds.h"
#include "platform/desktop/Desktop.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/DayDate.h"
#include "platform/ui/FormList.h"
#include "support/RecordingDesktop.h"
#include "support/ScriptedMessages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QThread>
#include <QTreeWidget>
#include <QUrl>

#include <memory>
#include <tuple>

namespace tarvo::test {

using issues::NewIssueValues;
using issues::ui::UpdateBugs;

namespace {

constexpr char kHoldPeerFolder[] = "TARVO_ISSUE_HOLD_PEER_FOLDER";
constexpr char kHoldPeerIssue[] = "TARVO_ISSUE_HOLD_PEER_ISSUE";

QString holdMarker(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("issue-held"));
}

// Runs only as the other copy of the test below: holds the issue, as a copy with the issue's form
// open does, with a short lease, and waits to be killed.
TEST(IssueHoldPeer, Run)
{
    const QString folder = qEnvironmentVariable(kHoldPeerFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "only run as the peer process of UpdateBugsTest.IssueHeldByAnotherProcess";
    auto dict = data::Dictionary::open(core::tarvoDictionary(), folder);
    ASSERT_TRUE(dict.ok());
    auto session = (*dict)->createSession(1, nullptr);
    data::FileManager &bugs = *session->file(QStringLiteral("Bugs"));
    data::Record issue = bugs.newRecord();
    issue.setValue(QStringLiteral("BUG:ID"), qEnvironmentVariableIntValue(kHoldPeerIssue));
    ASSERT_TRUE(bugs.fetch(QStringLiteral("BUG:KeyID"), issue).ok());
    session->holds().setLeaseMilliseconds(1500);
    ASSERT_TRUE(session->holds().hold(bugs, issue).ok());
    (void)QFile(holdMarker(folder)).open(QIODevice::WriteOnly);
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50); // the lease is renewed meanwhile
    FAIL() << "not killed";
}

// The master data's forms as the issue form calls them: records what their buffers held.
class RecordingMasterData final : public core::MasterDataServices {
  public:
    explicit RecordingMasterData(data::Session &session) : m_session(session) {}
    QStringList releases;
    QStringList files;

    void paths(int) override {}
    void options() override {}
    void browseCustomer() override {}
    // What the user picks: nothing, or the list (1 customers, 2 contacts) after filling its buffers.
    std::function<int()> pick;
    int pickCustomer(int) override { return pick ? pick() : 0; }
    void browseReleaseNotes() override {}
    void accessAdministration(int) override {}
    QString programSelect(int, const QString &) override { return {}; }
    void updatePrograms(int, FormDone done) override { done(Response::Cancelled); }
    void updateProgramRelease(int, FormDone done) override
    {
        const data::Record &r = m_session.file(QStringLiteral("Releases"))->buffer();
        releases << QStringLiteral("%1:%2")
                        .arg(r.integer(QStringLiteral("PRGID")))
                        .arg(r.text(QStringLiteral("Release")));
        done(Response::Completed);
    }
    void updateProgramFiles(int, FormDone done) override
    {
        const data::Record &r = m_session.file(QStringLiteral("Programfiles"))->buffer();
        files << QStringLiteral("%1:%2")
                     .arg(r.integer(QStringLiteral("PRGID")))
                     .arg(r.text(QStringLiteral("FILE")));
        done(Response::Completed);
    }
    void updateWebLinks(int, qint32, FormDone done) override { done(Response::Cancelled); }

  private:
    data::Session &m_session;
};

// The issue form on a real data folder, driven through its controls as a user drives it.
class UpdateBugsTest : public IssueStoreTest {
  protected:
    void SetUp() override
    {
        IssueStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        setSettings({{QStringLiteral("ENABLEEMAIL"), 1}});
        m_context = std::make_shared<Context>(session().context());
        core::UserQueue::global().replace({{QStringLiteral("JDO"), QStringLiteral("Jane Doe"), QString()}});
        add(QStringLiteral("Programs"), {{QStringLiteral("PrgName"), QStringLiteral("Tarvo")}});
    }

    void TearDown() override
    {
        m_forms.clear();
        core::UserQueue::global().clear();
        IssueStoreTest::TearDown();
    }

    // Opens the form under the request; it stays the test's after it closes.
    UpdateBugs &openForm(int request, const NewIssueValues &values = {}, Context *context = nullptr,
                         data::Session *on = nullptr)
    {
        Context &ctx = context ? *context : *m_context;
        ctx.setThreadRequest(request);
        auto form = std::make_unique<UpdateBugs>(ctx, on ? *on : session(), settings(), values);
        form->setDeleteOnClose(false);
        m_opened = form->open();
        m_forms.push_back(std::move(form));
        return *m_forms.back();
    }

    qint32 storedIssue(const QString &description = QStringLiteral("Crash on start"))
    {
        const data::Record issue =
            add(QStringLiteral("Bugs"), {{QStringLiteral("Category"), 1},
                                         {QStringLiteral("PrgID"), 1},
                                         {QStringLiteral("Status"), QStringLiteral("Open")},
                                         {QStringLiteral("Description"), description}});
        bugBuffer() = issue;
        return qint32(issue.integer(QStringLiteral("ID")));
    }

    static NewIssueValues newIssue()
    {
        NewIssueValues values;
        values.prgId = 1;
        values.category = 1;
        return values;
    }

    // What a user does: types into the control and leaves it.
    static void enter(UpdateBugs &form, const QString &label, const QString &text)
    {
        const ui::FormField *field = form.fieldNamed(label);
        ASSERT_NE(field, nullptr) << label.toStdString();
        QWidget *c = field->control();
        if (auto *edit = qobject_cast<QLineEdit *>(c)) {
            edit->setText(text);
            Q_EMIT edit->editingFinished();
        } else if (auto *combo = qobject_cast<QComboBox *>(c); combo && combo->lineEdit()) {
            combo->lineEdit()->setText(text);
            Q_EMIT combo->lineEdit()->editingFinished();
        } else if (combo) {
            const int row = combo->findText(text);
            ASSERT_GE(row, 0) << text.toStdString();
            combo->setCurrentIndex(row);
            Q_EMIT combo->activated(row);
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(c)) {
            memo->setPlainText(text);
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(memo, &out);
        } else {
            FAIL() << "no way to enter " << label.toStdString();
        }
    }

    static QPushButton *button(UpdateBugs &form, const char *name)
    {
        return form.window()->findChild<QPushButton *>(QString::fromLatin1(name));
    }

    qint64 historyOf(qint32 id) { return count(QStringLiteral("History"), {{QStringLiteral("ID"), id}}); }

    ScriptedMessages m_messages;
    std::shared_ptr<Context> m_context;
    std::vector<std::unique_ptr<UpdateBugs>> m_forms;
    bool m_opened = false;
};

TEST_P(UpdateBugsTest, InsertShowsTheNineTabsAndStoresTheIssueWithRecordAddedAndItsMail)
{
    addRule(QStringLiteral("entered"), 99, QStringLiteral("Record entered"));
    const qint64 before = count(QStringLiteral("Bugs"));
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    ASSERT_TRUE(m_opened);
    QStringList captions;
    for (int i = 0; i < form.sheet()->count(); ++i)
        captions << form.sheet()->tabText(i);
    EXPECT_EQ(captions,
              (QStringList{"General", "Custom fields", "Hardware", "Steps to recreate", "Workaround",
                           "Steps to fix", "Verification", "Attachments", "Miscellaneous"}));
    EXPECT_FALSE(form.sheet()->isTabVisible(1)) << "no custom field is enabled";
    EXPECT_EQ(form.window()->windowTitle(), QStringLiteral("Tarvo - Add Bug..."));
    EXPECT_TRUE(form.createdLine().startsWith(QStringLiteral("Created by JDO at ")));
    const qint32 id = qint32(form.record().integer(QStringLiteral("ID")));

    enter(form, QStringLiteral("BUG:Description"), QStringLiteral("Crash on start"));
    enter(form, QStringLiteral("BUG:BugText"), QStringLiteral("It crashes."));
    button(form, "?OK")->click();

    EXPECT_FALSE(form.isOpen());
    EXPECT_EQ(m_context->threadResponse(), Response::Completed);
    EXPECT_EQ(count(QStringLiteral("Bugs")), before + 1);
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.text(QStringLiteral("Description")), QStringLiteral("Crash on start"));
    EXPECT_EQ(stored.text(QStringLiteral("BugText")), QStringLiteral("It crashes."));
    // An insert writes no entry per field, only "Record added".
    EXPECT_EQ(historyOf(id), 1);
    EXPECT_EQ(m_mail->sent, QStringList{QStringLiteral("entered")});
}

TEST_P(UpdateBugsTest, CustomFieldsAreBuiltFromTheSettingsAndStored)
{
    setSettings({{QStringLiteral("FIELD2ENABLED"), 1},
                 {QStringLiteral("FIELD2"), QStringLiteral("Contract")},
                 {QStringLiteral("FIELDTYPE2"), QStringLiteral("Drop list")},
                 {QStringLiteral("FIELDCHOICES2"), QStringLiteral("Basic\nPremium")},
                 {QStringLiteral("FIELD3ENABLED"), 1},
                 {QStringLiteral("FIELD3"), QStringLiteral("Remarks")},
                 {QStringLiteral("FIELDTYPE3"), QStringLiteral("Memo")}});
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    ASSERT_TRUE(m_opened);
    EXPECT_TRUE(form.sheet()->isTabVisible(1));
    auto *contract =
        qobject_cast<QComboBox *>(form.fieldNamed(QStringLiteral("BUG:CustomField2"))->control());
    ASSERT_NE(contract, nullptr);
    EXPECT_EQ(contract->findText(QStringLiteral("Premium")), 1);
    EXPECT_EQ(form.fieldNamed(QStringLiteral("BUG:CustomField1")), nullptr)
        << "a disabled field is not built";
    const qint32 id = qint32(form.record().integer(QStringLiteral("ID")));
    enter(form, QStringLiteral("BUG:CustomField2"), QStringLiteral("Premium"));
    enter(form, QStringLiteral("BUG:CustomField3"), QStringLiteral("Call first"));
    button(form, "?OK")->click();
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.text(QStringLiteral("CustomField2")), QStringLiteral("Premium"));
    EXPECT_EQ(stored.text(QStringLiteral("CustomField3")), QStringLiteral("Call first"));
}

// A release or program file the lists lack is offered to the master data's form for the
// issue's program, unless the settings forbid new releases.
TEST_P(UpdateBugsTest, TypedReleaseAndProgramFileGoToTheMasterDataForms)
{
    RecordingMasterData masterData(session());
    core::Services::setMasterData(&masterData);
    const std::shared_ptr<void> unregister(nullptr, [](void *) { core::Services::setMasterData(nullptr); });
    for (const bool disabled : {false, true}) {
        masterData.releases.clear();
        setSettings({{QStringLiteral("DISABLEVERSIONINSERT"), disabled ? 1 : 0}});
        UpdateBugs &form = openForm(Request::Insert, newIssue());
        ASSERT_TRUE(m_opened);
        enter(form, QStringLiteral("BUG:Version"), QStringLiteral("2.0"));
        EXPECT_EQ(masterData.releases, disabled ? QStringList{} : QStringList{QStringLiteral("1:2.0")});
        button(form, "?Cancel")->click();
    }
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    enter(form, QStringLiteral("BUG:Programfile"), QStringLiteral("main.c"));
    EXPECT_EQ(masterData.files, QStringList{QStringLiteral("1:main.c")});
    button(form, "?Cancel")->click();
}

// The reporter's web address is opened only as a web page or a mail address.
// The picker leaves the customer, and the contact picked from its lists, in the buffers of the form's
// context. A new reporter's name goes to the history; another contact of the same customer keeps
// the name, writes no history and still goes with the issue.
TEST_P(UpdateBugsTest, APickedCustomerOrContactBecomesTheReporterAndOnlyANewNameGoesToTheHistory)
{
    RecordingMasterData masterData(session());
    core::Services::setMasterData(&masterData);
    const std::shared_ptr<void> unregister(nullptr, [](void *) { core::Services::setMasterData(nullptr); });
    int from = 1;
    masterData.pick = [&]() {
        data::FileManager &customers = *session().file(QStringLiteral("Customer"));
        customers.buffer() = customers.newRecord();
        customers.buffer().setValue(QStringLiteral("ID"), 7);
        customers.buffer().setValue(QStringLiteral("Searchname"), QStringLiteral("Nordwind"));
        data::FileManager &contacts = *session().file(QStringLiteral("CustomerContacts"));
        contacts.buffer() = contacts.newRecord();
        contacts.buffer().setValue(QStringLiteral("ID"), 7);
        contacts.buffer().setValue(QStringLiteral("CID"), 3);
        contacts.buffer().setValue(QStringLiteral("Firstname"), QStringLiteral("Ole"));
        contacts.buffer().setValue(QStringLiteral("Lastname"), QStringLiteral("Brandt"));
        return from;
    };
    const qint32 id = storedIssue();
    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    button(form, "?CustomerPick")->click();
    EXPECT_EQ(historyOf(id), 1);
    from = 2;
    button(form, "?CustomerPick")->click();
    EXPECT_EQ(historyOf(id), 1);
    button(form, "?OK")->click();
    EXPECT_FALSE(form.isOpen());
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.text(QStringLiteral("ReportedBy")), QStringLiteral("Nordwind"));
    EXPECT_EQ(stored.integer(QStringLiteral("ReportedByID")), 7);
    EXPECT_EQ(stored.integer(QStringLiteral("ReportedByCID")), 3);
    EXPECT_EQ(historyOf(id), 1);
}

TEST_P(UpdateBugsTest, SurfTheWebOpensOnlyWebAndMailAddresses)
{
    RecordingDesktop desktop;
    const std::pair<const char *, const char *> cases[] = {
        {"www.example.org", "http://www.example.org"},
        {"https://example.org/x", "https://example.org/x"},
        {"mailto:help@example.org", "mailto:help@example.org"},
        {"file:///etc/passwd", nullptr},
        {"/usr/bin/xterm", nullptr},
        {"", nullptr}};
    for (const auto &[web, opened] : cases) {
        desktop.opened.clear();
        m_messages.clear();
        const data::Record customer =
            add(QStringLiteral("Customer"), {{QStringLiteral("Searchname"), QStringLiteral("ACME")},
                                             {QStringLiteral("Web"), QString::fromLatin1(web)}});
        storedIssue();
        bugBuffer().setValue(QStringLiteral("ReportedByID"), customer.integer(QStringLiteral("ID")));
        changeWithRules(QStringLiteral("Bugs"),
                        {{QStringLiteral("ID"), bugBuffer().integer(QStringLiteral("ID"))}},
                        {{QStringLiteral("ReportedByID"), customer.integer(QStringLiteral("ID"))}});
        UpdateBugs &form = openForm(Request::Change);
        ASSERT_TRUE(m_opened);
        button(form, "?ReporterWeb")->click();
        EXPECT_EQ(desktop.opened, opened ? QStringList{QString::fromLatin1(opened)} : QStringList{}) << web;
        EXPECT_EQ(m_messages.texts().size(), *web ? 0 : 1) << "an empty address is said so";
        button(form, "?Cancel")->click();
    }
}

TEST_P(UpdateBugsTest, SettingsRenameTheListButtonsAndTheIdentifier)
{
    setSettings({{QStringLiteral("OVERRIDEINSERT"), 1},
                 {QStringLiteral("INSERTTEXT"), QStringLiteral("Add")},
                 {QStringLiteral("OVERRIDEDELETE"), 1},
                 {QStringLiteral("DELETETEXT"), QStringLiteral("Remove")},
                 {QStringLiteral("CUSTOMIZE1"), QStringLiteral("Ticket:")}});
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    ASSERT_TRUE(m_opened);
    for (const char *name : {"?Insert", "?Insert:3"})
        EXPECT_EQ(button(form, name)->text(), QStringLiteral("Add")) << name;
    for (const char *name : {"?Delete", "?Delete:4", "?Delete:2"})
        EXPECT_EQ(button(form, name)->text(), QStringLiteral("Remove")) << name;
    EXPECT_EQ(button(form, "?ResponsibleInsert")->toolTip(), QStringLiteral("Add"));
    EXPECT_EQ(button(form, "?Change")->text(), QStringLiteral("&Change")) << "not overridden";
    QStringList prompts;
    for (const QLabel *label : form.window()->findChildren<QLabel *>())
        prompts << label->text();
    EXPECT_TRUE(prompts.contains(QStringLiteral("Ticket:")));
    EXPECT_FALSE(prompts.contains(QStringLiteral("Identifier:")));
}

TEST_P(UpdateBugsTest, CancelledInsertLeavesNothingBehind)
{
    const qint64 before = count(QStringLiteral("Bugs"));
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    ASSERT_TRUE(m_opened);
    const qint32 id = qint32(form.record().integer(QStringLiteral("ID")));
    enter(form, QStringLiteral("BUG:Description"), QStringLiteral("Never stored"));
    button(form, "?Cancel")->click();
    EXPECT_FALSE(form.isOpen());
    EXPECT_EQ(m_context->threadResponse(), Response::Cancelled);
    EXPECT_EQ(count(QStringLiteral("Bugs")), before);
    EXPECT_EQ(historyOf(id), 0);
    EXPECT_TRUE(m_mail->asked.isEmpty());
}

// The notes list runs the note form on the new issue; cancelling the issue takes the note too.
TEST_P(UpdateBugsTest, NoteEnteredThroughTheListGoesWithACancelledInsert)
{
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    ASSERT_TRUE(m_opened);
    const qint32 id = qint32(form.record().integer(QStringLiteral("ID")));
    form.notesList()->press(Request::Insert);
    QWidget *noteWindow = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("UpdateNotes") && w->isVisible())
            noteWindow = w;
    ASSERT_NE(noteWindow, nullptr) << "the note form opens over the issue form";
    noteWindow->findChild<QPlainTextEdit *>(QStringLiteral("NOTE:Note"))
        ->setPlainText(QStringLiteral("First note"));
    noteWindow->findChild<QPushButton *>(QStringLiteral("OK"))->click();
    EXPECT_EQ(count(QStringLiteral("Notes"), {{QStringLiteral("ID"), id}}), 1);
    ASSERT_TRUE(form.notesList()->isLoaded());
    EXPECT_EQ(form.notesList()->rowCount(), 1);
    EXPECT_EQ(form.notesList()->cells(0).value(3), QStringLiteral("First note"));

    button(form, "?Cancel")->click();
    EXPECT_EQ(count(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}), 0);
    EXPECT_EQ(count(QStringLiteral("Notes"), {{QStringLiteral("ID"), id}}), 0);
}

TEST_P(UpdateBugsTest, ListsShowTheIssuesRowsAndTheMailViewerFollowsTheFormat)
{
    const qint32 id = storedIssue();
    const qint64 day = DayDate::fromDate(QDate(2024, 3, 1));
    add(QStringLiteral("History"), {{QStringLiteral("ID"), id},
                                    {QStringLiteral("FIELD"), QStringLiteral("BUG:DueDate")},
                                    {QStringLiteral("FORMAT"), QStringLiteral("@D017B")},
                                    {QStringLiteral("DATE"), day},
                                    {QStringLiteral("Contents_Old"), QString::number(day)},
                                    {QStringLiteral("Contents_New"), QString()}});
    add(QStringLiteral("History"), {{QStringLiteral("ID"), id},
                                    {QStringLiteral("FIELD"), QStringLiteral("BUG:Status")},
                                    {QStringLiteral("FORMAT"), QStringLiteral("S255")},
                                    {QStringLiteral("DATE"), day - 1},
                                    {QStringLiteral("Contents_Old"), QString::number(day)}});
    add(QStringLiteral("EMails"), {{QStringLiteral("ID"), id},
                                   {QStringLiteral("DateSend"), day},
                                   {QStringLiteral("Format"), QStringLiteral("HTML")},
                                   {QStringLiteral("Text"), QStringLiteral("<b>bold</b>")}});
    add(QStringLiteral("EMails"), {{QStringLiteral("ID"), id},
                                   {QStringLiteral("DateSend"), day - 1},
                                   {QStringLiteral("Format"), QStringLiteral("Text")},
                                   {QStringLiteral("Text"), QStringLiteral("<b>plain</b>")}});
    // A mass mail of the same number is not the issue's.
    add(QStringLiteral("EMails"), {{QStringLiteral("ID"), id}, {QStringLiteral("Type"), 99}});
    for (const char *description : {"log.txt", "screen.png"})
        add(QStringLiteral("Attachments"),
            {{QStringLiteral("BUGID"), id},
             {QStringLiteral("Description"), QString::fromLatin1(description)}});

    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    ASSERT_TRUE(form.historyList()->reload().ok());
    ASSERT_EQ(form.historyList()->rowCount(), 2);
    EXPECT_EQ(form.historyList()->cells(0).value(1), QStringLiteral("03/01/2024"))
        << "a date shows as a date";
    EXPECT_EQ(form.historyList()->cells(1).value(1), QString::number(day)) << "a text shows as stored";

    ASSERT_TRUE(form.mailsList()->reload().ok());
    ASSERT_EQ(form.mailsList()->rowCount(), 2);
    auto *viewer = form.window()->findChild<QTextBrowser *>(QStringLiteral("Browser"));
    ASSERT_NE(viewer, nullptr);
    QTreeWidget *mails = form.mailsList()->view();
    mails->setCurrentItem(mails->topLevelItem(0));
    EXPECT_EQ(viewer->toPlainText(), QStringLiteral("bold"));
    mails->setCurrentItem(mails->topLevelItem(1));
    EXPECT_EQ(viewer->toPlainText(), QStringLiteral("<b>plain</b>"));

    ASSERT_TRUE(form.attachmentsList()->reload().ok());
    EXPECT_EQ(form.attachmentsList()->rowCount(), 2);
    EXPECT_EQ(form.record().integer(QStringLiteral("AttachCounter")), 2) << "the counter goes with the issue";
    EXPECT_EQ(qobject_cast<QLabel *>(form.fieldNamed(QStringLiteral("BUG:AttachCounter"))->control())->text(),
              QStringLiteral("2"));
}

TEST_P(UpdateBugsTest, ChangeWritesHistoryPerAcceptedEntryAndCancelTakesExactlyThatBack)
{
    const qint32 id = storedIssue();
    // Another form's entry of the same issue stays.
    add(QStringLiteral("History"),
        {{QStringLiteral("ID"), id}, {QStringLiteral("FIELD"), QStringLiteral("older")}});
    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    EXPECT_EQ(form.window()->windowTitle(), QStringLiteral("Tarvo - Change Bug..."));
    enter(form, QStringLiteral("BUG:Description"), QStringLiteral("Crash on exit"));
    enter(form, QStringLiteral("BUG:EstTime"), QStringLiteral("2h"));
    EXPECT_EQ(historyOf(id), 3) << "each accepted entry is written at once";
    ASSERT_TRUE(form.historyList()->reload().ok());
    EXPECT_EQ(form.historyList()->rowCount(), 3);

    button(form, "?Cancel")->click();
    EXPECT_FALSE(form.isOpen());
    EXPECT_EQ(historyOf(id), 1);
    EXPECT_EQ(count(QStringLiteral("History"), {{QStringLiteral("FIELD"), QStringLiteral("older")}}), 1);
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).text(QStringLiteral("Description")),
              QStringLiteral("Crash on start"));
    // The hold went with the cancel.
    auto other = m_dict->createSession(2, &m_errors);
    EXPECT_TRUE(other->holds().hold(*other->file(QStringLiteral("Bugs")), bugBuffer()).ok());
}

TEST_P(UpdateBugsTest, ChosenCategoryRenamesTheFormAndItsFixedGroupAndGoesToTheHistory)
{
    const qint32 id = storedIssue();
    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    auto *fixed = form.window()->findChild<QGroupBox *>(QStringLiteral("?Group:BUG:FixedBy"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->title(), QStringLiteral("Fixed"));
    form.window()->findChild<QAbstractButton *>(QStringLiteral("?BUG:Category:2"))->click();
    EXPECT_EQ(form.window()->windowTitle(), QStringLiteral("Tarvo - Change Feature..."));
    EXPECT_EQ(fixed->title(), QStringLiteral("Completed"));
    EXPECT_EQ(count(QStringLiteral("History"),
                    {{QStringLiteral("ID"), id}, {QStringLiteral("FIELD"), QStringLiteral("BUG:Category")}}),
              1);
    button(form, "?OK")->click();
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).integer(QStringLiteral("Category")),
              2);
}

TEST_P(UpdateBugsTest, ChangeSavedOnOkKeepsItsHistoryAndStampsTheChange)
{
    addRule(QStringLiteral("changed"), 99, QStringLiteral("Record changed"));
    const qint32 id = storedIssue();
    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    const auto changedLine = [](UpdateBugs &f) {
        return f.window()->findChild<QLabel *>(QStringLiteral("?ChangedLine"));
    };
    EXPECT_TRUE(changedLine(form)->isHidden())
        << "never changed: " << changedLine(form)->text().toStdString();
    enter(form, QStringLiteral("BUG:Description"), QStringLiteral("Crash on exit"));
    button(form, "?OK")->click();
    EXPECT_FALSE(form.isOpen());
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.text(QStringLiteral("Description")), QStringLiteral("Crash on exit"));
    EXPECT_EQ(stored.text(QStringLiteral("ChangedBy")), QStringLiteral("JDO"));
    EXPECT_EQ(historyOf(id), 1);
    EXPECT_EQ(m_mail->sent, QStringList{QStringLiteral("changed")});
    bugBuffer() = stored;
    UpdateBugs &again = openForm(Request::View);
    ASSERT_TRUE(m_opened);
    EXPECT_FALSE(changedLine(again)->isHidden());
    EXPECT_TRUE(changedLine(again)->text().startsWith(QStringLiteral("Changed by JDO at ")));
}

TEST_P(UpdateBugsTest, RequiredFieldAndRefusedPreviewKeepTheFormOpenWithNothingStored)
{
    add(QStringLiteral("FieldConfig"),
        {{QStringLiteral("FIELD"), QStringLiteral("BUG:Responsible")}, {QStringLiteral("REQUIRED"), 1}});
    addRule(QStringLiteral("changed"), 99, QStringLiteral("Record changed"));
    m_mail->answers.insert(QStringLiteral("changed"), 0);
    const qint32 id = storedIssue();
    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    EXPECT_TRUE(form.rules().isRequired(QStringLiteral("BUG:Responsible")));
    enter(form, QStringLiteral("BUG:Description"), QStringLiteral("Crash on exit"));

    button(form, "?OK")->click();
    EXPECT_TRUE(form.isOpen()) << "the empty required field stops OK";
    EXPECT_TRUE(m_mail->asked.isEmpty());

    enter(form, QStringLiteral("BUG:Responsible"), QStringLiteral("JDO"));
    button(form, "?OK")->click();
    EXPECT_TRUE(form.isOpen()) << "the cancelled preview stops OK";
    EXPECT_EQ(m_mail->asked, QStringList{QStringLiteral("changed")});
    EXPECT_TRUE(m_mail->sent.isEmpty());
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).text(QStringLiteral("Description")),
              QStringLiteral("Crash on start"));
}

TEST_P(UpdateBugsTest, WorkflowAssignsNewIssuesAndWantsAResponsiblePerson)
{
    setSettings({{QStringLiteral("WFENABLE"), 1}, {QStringLiteral("WFAssignIssue"), 1}});
    UpdateBugs &form = openForm(Request::Insert, newIssue());
    ASSERT_TRUE(m_opened);
    const qint32 id = qint32(form.record().integer(QStringLiteral("ID")));
    EXPECT_EQ(form.record().text(QStringLiteral("Status")), QStringLiteral("Assigned"));
    EXPECT_EQ(form.record().integer(QStringLiteral("StatusSort")), 2);
    EXPECT_FALSE(form.fieldNamed(QStringLiteral("BUG:Status"))->control()->isEnabled())
        << "under the workflow the status changes only through it";
    button(form, "?OK")->click();
    EXPECT_TRUE(form.isOpen());
    enter(form, QStringLiteral("BUG:Responsible"), QStringLiteral("JDO"));
    button(form, "?OK")->click();
    EXPECT_FALSE(form.isOpen());
    const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    EXPECT_EQ(stored.text(QStringLiteral("Status")), QStringLiteral("Assigned"));
    EXPECT_EQ(stored.text(QStringLiteral("AllResponsiblePersons")), QStringLiteral("JDO"));
}

TEST_P(UpdateBugsTest, IssueHeldByAnotherContextOpensForViewingAfterTheMessage)
{
    const qint32 id = storedIssue();
    auto other = m_dict->createSession(2, &m_errors);
    data::Record held = bugBuffer();
    ASSERT_TRUE(other->holds().hold(*other->file(QStringLiteral("Bugs")), held).ok());

    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_TRUE(m_messages.texts().front().contains(QStringLiteral("locked because someone else")));
    EXPECT_EQ(form.request(), Request::View);
    EXPECT_EQ(form.window()->windowTitle(), QStringLiteral("Tarvo - View Bug..."));
    EXPECT_TRUE(button(form, "?OK")->isHidden());
    EXPECT_EQ(button(form, "?Cancel")->text(), QStringLiteral("&Close"));
    EXPECT_FALSE(button(form, "?Duplicate")->isEnabled());
    EXPECT_TRUE(button(form, "?Help")->isEnabled());
    // The button and the help key ask for the form's page of the help, which is missing here.
    m_messages.clear();
    button(form, "?Help")->click();
    QTest::keyClick(form.fieldNamed(QStringLiteral("BUG:Description"))->control(), Qt::Key_F1);
    const QString missing =
        QStringLiteral(
            "The help page \"%1/help/Adding Bugs Features Support Requests.htm\" could not be found!")
            .arg(QCoreApplication::applicationDirPath());
    EXPECT_EQ(m_messages.texts(), (QStringList{missing, missing}));
    EXPECT_TRUE(form.fieldNamed(QStringLiteral("BUG:Description"))->control()->isEnabled() == false ||
                qobject_cast<QComboBox *>(form.fieldNamed(QStringLiteral("BUG:Description"))->control()) ==
                    nullptr);
    button(form, "?Cancel")->click();
    EXPECT_FALSE(form.isOpen());
    EXPECT_EQ(historyOf(id), 0);
}

// The same with a real second copy: while it runs, the form only shows the issue; once it has been
// killed, its hold runs out by itself and the issue can be changed again.
TEST_P(UpdateBugsTest, IssueHeldByAnotherProcessOpensForViewingUntilThatCopyIsGone)
{
    const qint32 id = storedIssue();
    QProcess peer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kHoldPeerFolder), m_dir.path());
    env.insert(QString::fromLatin1(kHoldPeerIssue), QString::number(id));
    peer.setProcessEnvironment(env);
    peer.setProcessChannelMode(QProcess::MergedChannels);
    peer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=IssueHoldPeer.Run")});
    ASSERT_TRUE(peer.waitForStarted());
    QDeadlineTimer started(30000);
    while (!QFile::exists(holdMarker(m_dir.path())) && !started.hasExpired() &&
           peer.state() == QProcess::Running)
        QThread::msleep(5);
    ASSERT_TRUE(QFile::exists(holdMarker(m_dir.path()))) << peer.readAll().toStdString();

    UpdateBugs &viewing = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_TRUE(m_messages.texts().front().contains(QStringLiteral("locked because someone else")));
    EXPECT_EQ(viewing.request(), Request::View);
    button(viewing, "?Cancel")->click();

    peer.kill();
    ASSERT_TRUE(peer.waitForFinished(30000));
    QThread::msleep(2000); // past the dead copy's lease
    UpdateBugs &changing = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    EXPECT_EQ(m_messages.texts().size(), 1) << m_messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(changing.request(), Request::Change);
    enter(changing, QStringLiteral("BUG:Description"), QStringLiteral("Crash after the other copy died"));
    button(changing, "?OK")->click();
    EXPECT_FALSE(changing.isOpen());
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).value(QStringLiteral("Description")),
              QVariant(QStringLiteral("Crash after the other copy died")));
}

TEST_P(UpdateBugsTest, DeleteRemovesTheIssueWithItsChildrenOnlyWhenConfirmed)
{
    const qint32 id = storedIssue();
    add(QStringLiteral("Notes"), {{QStringLiteral("ID"), id}, {QStringLiteral("Note"), QStringLiteral("n")}});
    m_messages.answer(Button::No);
    openForm(Request::Delete);
    EXPECT_EQ(m_context->threadResponse(), Response::Cancelled);
    EXPECT_EQ(count(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}), 1);

    bugBuffer() = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
    m_messages.answer(Button::Yes);
    openForm(Request::Delete);
    EXPECT_EQ(m_context->threadResponse(), Response::Completed);
    EXPECT_EQ(count(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}), 0);
    EXPECT_EQ(count(QStringLiteral("Notes"), {{QStringLiteral("ID"), id}}), 0);
}

TEST_P(UpdateBugsTest, DuplicateSavesTheChangeAndNamesTheIssueToCopy)
{
    const qint32 id = storedIssue();
    UpdateBugs &form = openForm(Request::Change);
    ASSERT_TRUE(m_opened);
    ASSERT_TRUE(button(form, "?Duplicate")->isEnabled());
    enter(form, QStringLiteral("BUG:EstTime"), QStringLiteral("3h"));
    button(form, "?Duplicate")->click();
    EXPECT_FALSE(form.isOpen());
    EXPECT_EQ(form.duplicateSource(), id);
    EXPECT_EQ(one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}}).text(QStringLiteral("EstTime")),
              QStringLiteral("3h"));

    NewIssueValues values = newIssue();
    values.duplicateSource = id;
    UpdateBugs &copy = openForm(Request::Insert, values);
    ASSERT_TRUE(m_opened);
    EXPECT_NE(copy.record().integer(QStringLiteral("ID")), id);
    EXPECT_EQ(copy.record().text(QStringLiteral("Description")), QStringLiteral("Crash on start"));
    EXPECT_EQ(copy.record().text(QStringLiteral("EstTime")), QStringLiteral("3h"));
}

// The quick status change of the browse: the form sets the status of a position of its list and
// presses OK with its window hidden; saving a resolved issue closes it when the user agrees.
TEST_P(UpdateBugsTest, QuickStatusChangeSavesUnseenAndClosesOnlyWhenTheUserAgrees)
{
    setSettings({{QStringLiteral("WFENABLE"), 1},
                 {QStringLiteral("WFCloseIssue"), 1},
                 {QStringLiteral("WFPromptBeforeClose"), 1}});
    // The user may set "Resolved" only: the list from "Assigned" holds that one status.
    m_access.values.insert(QStringLiteral("BEN:UserByte6"), QStringLiteral("1"));
    for (const auto &[answer, status, sort] :
         {std::tuple{Button::No, "Resolved", 5}, std::tuple{Button::Yes, "Closed", 8}}) {
        const data::Record issue =
            add(QStringLiteral("Bugs"), {{QStringLiteral("Category"), 1},
                                         {QStringLiteral("Status"), QStringLiteral("Assigned")},
                                         {QStringLiteral("StatusSort"), 2},
                                         {QStringLiteral("Responsible"), QStringLiteral("JDO")}});
        bugBuffer() = issue;
        const qint32 id = qint32(issue.integer(QStringLiteral("ID")));
        m_messages.clear();
        m_messages.answer(answer);
        m_context->setThreadRequest(Request::Change);
        auto form = std::make_unique<UpdateBugs>(*m_context, session(), settings(), NewIssueValues{}, 1);
        form->setDeleteOnClose(false);
        ASSERT_TRUE(form->open());
        EXPECT_FALSE(form->isOpen()) << status;
        EXPECT_FALSE(form->window()->isVisible());
        EXPECT_EQ(m_messages.texts().size(), 1) << "the close question";
        const data::Record stored = one(QStringLiteral("Bugs"), {{QStringLiteral("ID"), id}});
        EXPECT_EQ(stored.text(QStringLiteral("Status")), QString::fromLatin1(status));
        EXPECT_EQ(stored.integer(QStringLiteral("StatusSort")), sort);
    }
}

TARVO_REAL_STORE_SUITE(UpdateBugsTest);

} // namespace
} // namespace tarvo::test
