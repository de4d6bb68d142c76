#include "listext/ui/ListWindow.h"

#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/IssueFolder.h"
#include "listext/ui/ModelCheck.h"
#include "platform/data/Store.h"
#include "platform/runtime/ContextRegistry.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <gtest/gtest.h>

using namespace tarvo;
using namespace tarvo::listext;
using namespace tarvo::listext::ui;
using tarvo::listext::test::IssueFolder;

namespace {

constexpr int UpdateBugs = 5;

ColumnDefinition column(const char *field, const char *header, const char *picture)
{
    ColumnDefinition c;
    c.field = QLatin1String(field);
    c.header = c.description = QLatin1String(header);
    c.picture = QLatin1String(picture);
    c.sortable = true;
    c.viewField = true;
    return c;
}

// A stand-in for the issue form: opened under the caller's request, it inserts, changes the status
// of or deletes the issue it was given when OK is pressed.
class FakeIssueForm final : public tarvo::ui::WindowManager {
  public:
    FakeIssueForm(Context &context, data::FileManager &bugs, qint64 row, ListWindow &list)
        : WindowManager(context, QStringLiteral("UpdateBugs")), m_bugs(bugs), m_row(row), m_list(list)
    {
        setWindow(new QDialog);
    }

    void ok(const QString &status)
    {
        data::Record bug = m_bugs.newRecord();
        if (request() == Request::Insert) {
            bug.setValue(QStringLiteral("Description"), QStringLiteral("Inserted"));
            bug.setValue(QStringLiteral("Status"), status);
            ASSERT_TRUE(m_bugs.insert(bug).ok());
            m_list.followKey(bug.rowId());
        } else {
            ASSERT_TRUE(m_bugs.fetchRow(m_row, bug).ok());
            bug.setValue(QStringLiteral("Status"), status);
            ASSERT_TRUE((request() == Request::Delete ? m_bugs.remove(bug) : m_bugs.update(bug)).ok());
        }
        setResponse(Response::Completed);
        close();
    }

  private:
    data::FileManager &m_bugs;
    qint64 m_row;
    ListWindow &m_list;
};

// The sample list window: the issues of a data folder newest first or by status, a locator, and
// the issue form behind its record buttons.
class SampleIssueList final : public ListWindow {
  public:
    SampleIssueList(Context &context, data::FileManager &bugs)
        : ListWindow(context, QStringLiteral("BrowseBugs")), m_bugs(bugs),
          m_source(bugs, QStringLiteral("BUG:KeyID"))
    {
        addList({QStringLiteral("?Browse:1"),
                 {column("BUG:ID", "ID", "@n_7"), column("BUG:Status", "Status", "@s35"),
                  column("BUG:Description", "Description", "@s255")},
                 0x2E1FFEF7,
                 UpdateBugs,
                 QStringLiteral("|Bugs|"),
                 true,
                 25,
                 {}},
                m_source);
        setSortOrders({{QStringLiteral("Newest"), {}},
                       {QStringLiteral("By status"), {{QStringLiteral("BUG:Status"), false, true}}}});
        setProcedure(UpdateBugs, [this](std::function<void()> finished) {
            form = new FakeIssueForm(this->context(), m_bugs, list().currentKey(), *this);
            form->openModal(frame(), [finished](int) { finished(); });
        });
    }

    QPointer<FakeIssueForm> form;

  private:
    data::FileManager &m_bugs;
    ViewRowSource m_source;
};

// Says that the issues changed whenever a window asks.
class ChangedIssues final : public core::RefreshNotices {
  public:
    void sendRefresh(const QString &, int) override {}
    bool needsRefresh(int, qint32 &, qint32 &, const QString &watched) override
    {
        return watched.contains(QStringLiteral("|Bugs|"));
    }
};

// The sample window on a real data folder, on SQLite and on the PostgreSQL test server.
class SampleListWindow : public ::testing::TestWithParam<data::StoreKind> {
  protected:
    void SetUp() override
    {
        dir.useAsConfigHome();
        QString skipReason;
        const QString folder = tarvo::test::dataFolder(dir, GetParam(), skipReason);
        if (folder.isEmpty())
            GTEST_SKIP() << skipReason.toStdString();
        issues = std::make_unique<IssueFolder>(folder);
        ASSERT_TRUE(issues->ok()) << issues->error().toStdString();
        core::Services::setRefreshNotices(&notices);
        auto started = registry.start([this](Context &c) {
            window = new SampleIssueList(c, issues->file(QStringLiteral("Bugs")));
            window->setUserIni(IniFile(dir.file(QStringLiteral("User.ini"))));
            window->open();
        });
        ASSERT_TRUE(started.ok());
        tarvo::test::drainEvents();
        ASSERT_TRUE(window);
        window->frame()->resize(700, 500);
        check = std::make_unique<tarvo::listext::test::ModelCheck>(&model());
    }
    void TearDown() override
    {
        check.reset();
        if (window)
            registry.post(window->context().number(), Events::CloseWindow);
        tarvo::test::drainEvents();
        core::Services::setRefreshNotices(nullptr);
    }

    BrowseList &list() { return window->list(); }
    BrowseListModel &model() { return list().model(); }
    int currentId() { return model().rawValue(list().currentRow(), QStringLiteral("BUG:ID")).toInt(); }
    void press(const QString &control)
    {
        registry.post(window->context().number(), Events::Accepted, control);
        tarvo::test::drainEvents();
    }
    QVariantList newestIds()
    {
        return issues->column(QStringLiteral("SELECT \"ID\" FROM \"Bugs\" ORDER BY \"ID\" DESC"));
    }

    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    std::unique_ptr<IssueFolder> issues;
    ChangedIssues notices;
    ContextRegistry registry;
    QPointer<SampleIssueList> window;
    std::unique_ptr<tarvo::listext::test::ModelCheck> check;
};

// The list pages both ways through the toolbar's buttons and the keyboard, goes to the true last
// row, locates, and holds no more than its window of pages on the way.
TEST_P(SampleListWindow, PagesBothWaysJumpsToTheEndAndLocates)
{
    const QVariantList newest = newestIds();
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues);
    EXPECT_EQ(currentId(), newest.front().toInt());

    press(QStringLiteral("TOOLBAR:BOTTOM"));
    EXPECT_EQ(list().currentRow(), IssueFolder::Issues - 1);
    EXPECT_EQ(currentId(), newest.back().toInt());
    for (int i = 0; i < 3; ++i)
        press(QStringLiteral("TOOLBAR:PAGEUP"));
    const int row = list().currentRow();
    EXPECT_LT(row, IssueFolder::Issues - 3);
    EXPECT_EQ(currentId(), newest.at(row).toInt());
    press(QStringLiteral("TOOLBAR:UP"));
    EXPECT_EQ(currentId(), newest.at(row - 1).toInt());
    press(QStringLiteral("TOOLBAR:TOP"));
    EXPECT_EQ(currentId(), newest.front().toInt());
    press(QStringLiteral("TOOLBAR:PAGEDOWN"));
    EXPECT_EQ(currentId(), newest.at(list().currentRow()).toInt());

    QTest::keyClick(list().view(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(list().currentRow(), IssueFolder::Issues - 1);
    EXPECT_EQ(currentId(), newest.back().toInt());
    QTest::keyClick(list().view(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(currentId(), newest.front().toInt());
    EXPECT_LE(model().heldCount(), 25 * 10);

    // The locator searches the list's order: issue numbers newest first, then statuses.
    QTest::keyClicks(list().locator(), QStringLiteral("150"));
    EXPECT_EQ(currentId(), 150);
    window->tabs()->setCurrentIndex(1);
    EXPECT_EQ(currentId(), 150) << "the current row stays when the order changes";
    list().locator()->clear();
    QTest::keyClicks(list().locator(), QStringLiteral("in"));
    EXPECT_EQ(model().rawValue(list().currentRow(), QStringLiteral("BUG:Status")).toString(),
              QStringLiteral("In Work"));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// A record button calls the form under its request; when the form closes the list reads again
// and follows the issue it worked on. A refresh notice keeps the row the user is on.
TEST_P(SampleListWindow, RecordButtonsCallTheFormAndTheListFollowsIt)
{
    std::vector<core::RecordButtonStates> announced;
    QObject listening; // the window outlives this test's body
    QObject::connect(window, &ListWindow::recordButtonsChanged, &listening,
                     [&](const core::RecordButtonStates &disabled) { announced.push_back(disabled); });
    window->tabs()->setCurrentIndex(1); // by status
    list().goToRow(100);
    const int id = currentId();

    // Change: the issue moves to its new place in the order and stays current.
    list().button(Request::Change)->click();
    tarvo::test::drainEvents();
    ASSERT_TRUE(window->form);
    EXPECT_EQ(window->form->request(), Request::Change);
    ASSERT_FALSE(announced.empty());
    EXPECT_TRUE(announced.back()[0]) << "no second form while one runs";
    window->form->ok(QStringLiteral("zz Verified"));
    tarvo::test::drainEvents();
    EXPECT_EQ(currentId(), id);
    EXPECT_EQ(list().currentRow(), IssueFolder::Issues - 1);
    EXPECT_FALSE(announced.back()[0]);

    // Insert: the new issue is current.
    press(QStringLiteral("TOOLBAR:INSERT"));
    ASSERT_TRUE(window->form);
    EXPECT_EQ(window->form->request(), Request::Insert);
    window->form->ok(QStringLiteral("New"));
    tarvo::test::drainEvents();
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues + 1);
    EXPECT_EQ(model().rawValue(list().currentRow(), QStringLiteral("BUG:Description")).toString(),
              QStringLiteral("Inserted"));

    // Delete: the row that took its place is current.
    list().goToRow(40);
    const QVariant next = model().rawValue(41, QStringLiteral("BUG:ID"));
    press(QStringLiteral("TOOLBAR:DELETE"));
    ASSERT_TRUE(window->form);
    EXPECT_EQ(window->form->request(), Request::Delete);
    window->form->ok({});
    tarvo::test::drainEvents();
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues);
    EXPECT_EQ(list().currentRow(), 40);
    EXPECT_EQ(model().rawValue(40, QStringLiteral("BUG:ID")), next);

    // Another user adds issues that sort before the current one: a refresh notice keeps it current.
    const int kept = currentId();
    data::FileManager &bugs = issues->file(QStringLiteral("Bugs"));
    for (int i = 0; i < 3; ++i) {
        data::Record bug = bugs.newRecord();
        bug.setValue(QStringLiteral("Status"), QStringLiteral("Aaa"));
        ASSERT_TRUE(bugs.insert(bug).ok());
    }
    registry.post(window->context().number(), Events::Refresh);
    tarvo::test::drainEvents();
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues + 3);
    EXPECT_EQ(currentId(), kept);
    EXPECT_EQ(list().currentRow(), 43);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();

    // Closed, the window takes the toolbars' record buttons no longer.
    ASSERT_TRUE(window->close());
    EXPECT_TRUE(std::all_of(announced.back().begin(), announced.back().end(), [](bool off) { return off; }));
}

// A denied record button stays denied on every way to it: the toolbars show it off, and their
// press, the button's own name posted by a menu or key, and a double-click on a row call no form.
TEST_P(SampleListWindow, DeniedRecordButtonsCallNoFormOnAnyPath)
{
    std::vector<core::RecordButtonStates> announced;
    QObject listening;
    QObject::connect(window, &ListWindow::recordButtonsChanged, &listening,
                     [&](const core::RecordButtonStates &disabled) { announced.push_back(disabled); });
    window->denyControl(QStringLiteral("insert"));
    window->denyControl(QStringLiteral("Change"));
    list().goToRow(10);
    tarvo::test::drainEvents();
    ASSERT_FALSE(announced.empty());
    EXPECT_TRUE(announced.back()[0]) << "the toolbars' Insert is shown off";
    EXPECT_TRUE(announced.back()[1]) << "the toolbars' Change is shown off";
    EXPECT_FALSE(announced.back()[2]) << "Delete is not denied";

    for (const QString &control :
         {QStringLiteral("TOOLBAR:INSERT"), QStringLiteral("TOOLBAR:CHANGE"), QStringLiteral("Insert")}) {
        press(control);
        EXPECT_FALSE(window->form) << control.toStdString();
    }
    list().button(Request::Insert)->click();
    Q_EMIT list().view()->doubleClicked(model().index(10, 0));
    tarvo::test::drainEvents();
    EXPECT_FALSE(window->form);
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues);

    press(QStringLiteral("TOOLBAR:DELETE"));
    ASSERT_TRUE(window->form);
    EXPECT_EQ(window->form->request(), Request::Delete);
    window->form->close();
    tarvo::test::drainEvents();
}

INSTANTIATE_TEST_SUITE_P(Stores, SampleListWindow,
                         ::testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres),
                         [](const ::testing::TestParamInfo<data::StoreKind> &info) {
                             return info.param == data::StoreKind::Postgres ? std::string("PostgreSQL")
                                                                            : std::string("SQLite");
                         });

} // namespace
