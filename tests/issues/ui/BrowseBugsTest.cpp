#include "issues/ui/BrowseBugs.h"

#include "core/frame/FrameGlobals.h"
#include "core/services/AccessStandIn.h"
#include "core/services/MasterDataStandIn.h"
#include "core/services/ReportServices.h"
#include "core/services/Services.h"
#include "core/startup/SettingsRecord.h"
#include "core/ui/WindowOpening.h"
#include "issues/BugTagQueue.h"
#include "issues/ui/VoidFilters.h"
#include "listext/ViewRowSource.h"
#include "listext/ui/IssueFolder.h"
#include "listext/ui/MassUpdateWindow.h"
#include "listext/ui/RelationTree.h"
#include "listext/ui/RelationTreeView.h"
#include "listext/ui/XploreClass.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Store.h"
#include "platform/desktop/Desktop.h"
#include "platform/query/SavedQueries.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Events.h"
#include "platform/runtime/IniFile.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTreeView>

#include <gtest/gtest.h>
#include <tuple>

using namespace tarvo;
using tarvo::issues::ui::BrowseBugs;
using tarvo::issues::ui::BrowseBugsUser;
using tarvo::listext::test::IssueFolder;

namespace {

// The browse on a real data folder, on SQLite and on the PostgreSQL test server. Some issues are
// fixed, some name responsible persons and some a program file, so that every filter leaves out
// rows.
class BrowseBugsWindow : public ::testing::TestWithParam<data::StoreKind> {
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
        for (const char *sql :
             {"UPDATE \"Bugs\" SET \"Gray\"=1 WHERE \"ID\" % 5 = 0",
              "UPDATE \"Bugs\" SET \"AllResponsiblePersons\"='XY|ABC' WHERE \"ID\" % 3 = 0",
              "UPDATE \"Bugs\" SET \"AllResponsiblePersons\"='ABCE' WHERE \"ID\" % 7 = 0",
              "UPDATE \"Bugs\" SET \"Programfile\"='alpha.exe' WHERE \"PrgID\"=1 AND \"ID\" % 2 = 0"})
            issues->column(QLatin1String(sql));
        user.mak = QStringLiteral("ABCD");
        user.userIniPath = dir.file(QStringLiteral("User.ini"));
        user.programIniPath = dir.file(QStringLiteral("Tarvo.INI"));
    }
    void TearDown() override { closeBrowse(); }

    void openBrowse()
    {
        auto started = registry.start([this](Context &c) {
            browse = new BrowseBugs(c, issues->session(), user);
            browse->open();
        });
        ASSERT_TRUE(started.ok());
        tarvo::test::drainEvents();
        ASSERT_TRUE(browse);
        browse->frame()->resize(1200, 800);
        tarvo::test::drainEvents();
    }
    void closeBrowse()
    {
        if (browse)
            registry.post(browse->context().number(), Events::CloseWindow);
        tarvo::test::drainEvents();
    }

    // The issue IDs the list shows, in its order.
    QVariantList shownIds()
    {
        auto &model = browse->issueList().model();
        while (model.canFetchMore({}))
            model.fetchMore({});
        QVariantList ids;
        for (int r = 0; r < model.rowCount(); ++r)
            ids << model.rawValue(r, QStringLiteral("BUG:ID")).toLongLong();
        return ids;
    }
    QVariantList expectedIds(const QString &where)
    {
        const QVariantList raw = issues->column(
            QStringLiteral("SELECT \"ID\" FROM \"Bugs\" WHERE %1 ORDER BY \"ID\" DESC").arg(where));
        QVariantList ids;
        for (const QVariant &v : raw)
            ids << v.toLongLong();
        return ids;
    }

    struct Link {
        qint64 program;
        qint64 parent;
        int sort;
        const char *description;
        const char *link;
    };
    void addWebLinks(std::initializer_list<Link> rows)
    {
        data::FileManager &links = issues->file(QStringLiteral("WebLinks"));
        for (const Link &l : rows) {
            data::Record r = links.newRecord();
            r.setValue(QStringLiteral("PrgID"), l.program);
            r.setValue(QStringLiteral("P"), l.parent);
            r.setValue(QStringLiteral("Sort"), l.sort);
            r.setValue(QStringLiteral("Description"), QLatin1String(l.description));
            r.setValue(QStringLiteral("Link"), QLatin1String(l.link));
            ASSERT_TRUE(links.insert(r).ok());
        }
    }
    void showWebLinks()
    {
        browse->sheet()->setCurrentWidget(browse->sheet()->findChild<QWidget *>(QStringLiteral("?TAB8")));
        tarvo::test::drainEvents();
        browse->webLinkView()->expandAll();
    }

    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    std::unique_ptr<IssueFolder> issues;
    BrowseBugsUser user;
    ContextRegistry registry;
    QPointer<BrowseBugs> browse;
};

// A selection in the tree and the switches of the list, and the rows it must show.
struct SelectionCase {
    const char *name;
    const char *program; // empty: no selection
    const char *release;
    const char *file;
    int tab;
    bool fixed;
    const char *where;
};

const SelectionCase selectionCases[] = {
    {"AllWithFixed", "", "", "", 5, true, "1=1"},
    {"BugReportsOpen", "", "", "", 1, false, "\"Category\"=1 AND \"Gray\"=0"},
    {"FeatureRequestsWithFixed", "", "", "", 2, true, "\"Category\"=2"},
    {"ProgramAll", "Alpha", "", "", 5, true, "\"PrgID\"=1"},
    {"ProgramToDoOpen", "Gamma", "", "", 4, false, "\"PrgID\"=3 AND \"Category\"=4 AND \"Gray\"=0"},
    {"Release", "Alpha", "1.1", "", 5, true, "\"PrgID\"=1 AND \"Version\"='1.1'"},
    {"ReleaseBugReportsOpen", "Gamma", "3.2", "", 1, false,
     "\"PrgID\"=3 AND \"Version\"='3.2' AND \"Category\"=1 AND \"Gray\"=0"},
    {"ProgramFile", "Alpha", "", "alpha.exe", 5, true, "\"PrgID\"=1 AND \"Programfile\"='alpha.exe'"},
    {"ProgramFileOpen", "Alpha", "", "alpha.exe", 5, false,
     "\"PrgID\"=1 AND \"Programfile\"='alpha.exe' AND \"Gray\"=0"},
};

// Every selection of the tree, category tab and "Display fixed records" shows exactly the issues
// of that selection, newest first.
TEST_P(BrowseBugsWindow, SelectionTabAndFixedShowTheirIssuesNewestFirst)
{
    openBrowse();
    ASSERT_TRUE(browse);
    for (const SelectionCase &c : selectionCases) {
        if (!*c.program)
            continue;
        SCOPED_TRACE(c.name);
        browse->setShowFixed(c.fixed);
        browse->selectCategory(c.tab);
        ASSERT_TRUE(browse->selectTreeRow(issues->programId(QLatin1String(c.program)),
                                          QLatin1String(c.release), QLatin1String(c.file)));
        EXPECT_EQ(browse->filter().prgId, issues->programId(QLatin1String(c.program)));
        EXPECT_EQ(shownIds(), expectedIds(QLatin1String(c.where)));
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// Without a selection the list follows the tabs and the switches alone, under the program limit
// and "only my issues"; a user code longer than the stored one still finds its issues.
TEST_P(BrowseBugsWindow, WithoutSelectionTheLimitsAndOnlyMineApply)
{
    user.secP = QStringLiteral("|2|3|");
    // A last program that is gone leaves the tree without a selection.
    ASSERT_TRUE(
        IniFile(user.userIniPath)
            .setValue(QStringLiteral("BrowseBugs"), QStringLiteral("Last Program"), QStringLiteral("99"))
            .ok());
    openBrowse();
    EXPECT_EQ(browse->filter().prgId, 0);
    ASSERT_TRUE(browse);
    for (const SelectionCase &c : selectionCases) {
        if (*c.program)
            continue;
        SCOPED_TRACE(c.name);
        browse->setShowFixed(c.fixed);
        browse->selectCategory(c.tab);
        EXPECT_EQ(shownIds(),
                  expectedIds(QLatin1String(c.where) + QStringLiteral(" AND \"PrgID\" IN (2,3)")));
    }
    browse->setOnlyMine(true);
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral("\"ID\" % 3 = 0 AND \"PrgID\" IN (2,3)") +
                                      QStringLiteral(" AND \"Category\"=2")));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// The tab, the switches and the selection come back in the next session; a program that is gone
// leaves no selection and the program limit on.
TEST_P(BrowseBugsWindow, StateComesBackAndAStaleProgramResetsTheSelection)
{
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(3);
    browse->setShowFixed(false);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Gamma")), QStringLiteral("3.1")));
    closeBrowse();
    ASSERT_FALSE(browse);

    openBrowse();
    ASSERT_TRUE(browse);
    EXPECT_EQ(browse->categoryTabs()->currentIndex(), 2);
    EXPECT_FALSE(browse->frame()->findChild<QCheckBox *>(QStringLiteral("?F"))->isChecked());
    EXPECT_EQ(browse->filter().prgId, issues->programId(QStringLiteral("Gamma")));
    EXPECT_EQ(browse->filter().release, QStringLiteral("3.1"));
    EXPECT_TRUE(browse->programTreeView()->currentIndex().isValid());
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral(
                              "\"PrgID\"=3 AND \"Version\"='3.1' AND \"Category\"=3 AND \"Gray\"=0")));
    closeBrowse();

    IniFile ini(user.userIniPath);
    ASSERT_TRUE(
        ini.setValue(QStringLiteral("BrowseBugs"), QStringLiteral("Last Program"), QStringLiteral("99"))
            .ok());
    user.secP = QStringLiteral("|2|99|");
    openBrowse();
    ASSERT_TRUE(browse);
    EXPECT_EQ(browse->filter().prgId, 0);
    EXPECT_EQ(shownIds(),
              expectedIds(QStringLiteral("\"PrgID\" IN (2,99) AND \"Category\"=3 AND \"Gray\"=0")));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// The window is laid out as its users know it, its bars where they left them.
TEST_P(BrowseBugsWindow, OpensWithTreeSheetTabsAndListAndKeepsTheBars)
{
    IniFile tarvoIni(user.programIniPath);
    ASSERT_TRUE(
        tarvoIni.setValue(QStringLiteral("BrowseBugs"), QStringLiteral("VSplitA Pos"), QStringLiteral("380"))
            .ok());
    openBrowse();
    ASSERT_TRUE(browse);
    for (const char *name : {"?ULTRATREE", "?SHEET2", "?TAB6", "?TAB7", "?SH", "?F", "?R", "?HSPLIT",
                             "?VSPLIT", "?VSPLITA", "?INSERT:4"})
        EXPECT_TRUE(browse->frame()->findChild<QWidget *>(QLatin1String(name))) << name;
    EXPECT_EQ(browse->categoryTabs()->count(), 5);
    EXPECT_EQ(browse->categoryTabs()->tabText(4), QStringLiteral("All"));
    // A first start shows the first program's issues of the first tab, fixed ones included.
    EXPECT_EQ(browse->filter().prgId, issues->programId(QStringLiteral("Alpha")));
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral("\"PrgID\"=1 AND \"Category\"=1")));
    // The "Programs" row holds the programs without a parent.
    const auto &tree = browse->programTree();
    ASSERT_EQ(tree.rowCount(), 1);
    const QModelIndex top = tree.index(0, 0);
    EXPECT_EQ(top.data().toString(), QStringLiteral("Programs"));
    EXPECT_EQ(tree.rowCount(top), 4);
    EXPECT_EQ(tree.index(0, 0, top).data().toString(), QStringLiteral("Alpha"));
    auto *vsplitA = browse->frame()->findChild<QSplitter *>(QStringLiteral("?VSPLITA"));
    EXPECT_EQ(vsplitA->sizes().front(), 380);
    vsplitA->setSizes({420, vsplitA->sizes().value(1) + vsplitA->sizes().front() - 420});
    Q_EMIT vsplitA->splitterMoved(420, 1);
    EXPECT_EQ(IniFile(user.programIniPath).value(QStringLiteral("BrowseBugs"), QStringLiteral("VSplitA Pos")),
              QStringLiteral("420"));
}

// Tagging marks the row, counts the tags, tags exactly the issues the list shows and untags all.
TEST_P(BrowseBugsWindow, TagsTheCurrentRowAndEveryShownIssue)
{
    issues::BugTagQueue::global().clear();
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Gamma"))));
    auto &list = browse->issueList();
    ASSERT_GT(list.model().rowCount(), 2);
    list.goToRow(1);
    const qint64 id = list.model().rawValue(1, QStringLiteral("BUG:ID")).toLongLong();
    registry.post(browse->context().number(), Events::Accepted, QStringLiteral("?DASTAG"));
    tarvo::test::drainEvents();
    EXPECT_EQ(list.model().rawValue(1, QStringLiteral("TagField")), QVariant(QStringLiteral("*")));
    EXPECT_EQ(list.model().rawValue(0, QStringLiteral("TagField")), QVariant(QString()));
    EXPECT_EQ(issues::BugTagQueue::global().ids(), std::vector<qint64>{id});
    EXPECT_FALSE(browse->frame()->findChild<QLabel *>(QStringLiteral("?STR"))->text().isEmpty());

    browse->tagAll();
    std::vector<qint64> shown;
    for (const QVariant &v : shownIds())
        shown.push_back(v.toLongLong());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(issues::BugTagQueue::global().ids(), shown);
    browse->untagAll();
    EXPECT_TRUE(issues::BugTagQueue::global().isEmpty());
    EXPECT_TRUE(browse->frame()->findChild<QLabel *>(QStringLiteral("?STR"))->text().isEmpty());
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// The text search tags what it finds and shows only that; a search that finds nothing (a blank
// one included) untags all, shows the whole list and says so.
TEST_P(BrowseBugsWindow, TextSearchTagsAndShowsOnlyWhatItFinds)
{
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Delta"))));
    const QVariantList delta = shownIds();
    ASSERT_EQ(delta.size(), IssueFolder::DeltaIssues);
    const QVariantList smith = expectedIds(QStringLiteral("\"Description\" LIKE '%Smith%'"));
    ASSERT_EQ(smith.size(), 1);
    auto *onlyTagged = browse->frame()->findChild<QCheckBox *>(QStringLiteral("?SFLFILTER"));

    struct Search {
        const char *text;
        bool ignoreCase;
        bool found;
    };
    const Search searches[] = {{"smith", true, true},   {"smith", false, false},
                               {"Smith;", false, true}, {"", true, false},
                               {"  ", false, false},    {"\u00f6\u00dfe", false, true}};
    for (const Search &search : searches) {
        SCOPED_TRACE(search.text);
        messages.clear();
        issues::BugTagQueue::global().add(1); // an earlier tag, which every search drops
        browse->searchText(QString::fromUtf8(search.text), search.ignoreCase);
        tarvo::test::drainEvents();
        EXPECT_EQ(onlyTagged->isChecked(), search.found);
        EXPECT_EQ(messages.texts().size(), search.found ? 0 : 1);
        if (search.found) {
            EXPECT_EQ(shownIds().size(), 1);
            EXPECT_EQ(issues::BugTagQueue::global().size(), 1);
        } else {
            EXPECT_EQ(shownIds(), delta);
            EXPECT_TRUE(issues::BugTagQueue::global().isEmpty());
        }
    }
    EXPECT_EQ(browse->filter().prgId, issues->programId(QStringLiteral("Delta")));
    browse->searchText(QStringLiteral("smith"), true);
    EXPECT_EQ(shownIds(), smith);
    // Untagging the last shown issue shows the whole list again.
    browse->issueList().goToRow(0);
    browse->tagCurrent();
    EXPECT_FALSE(onlyTagged->isChecked());
    EXPECT_EQ(shownIds(), delta);
}

// The mass update writes the dialog's values into the tagged issues only, with one history entry
// per changed field, and the list shows the new values.
TEST_P(BrowseBugsWindow, MassUpdateChangesTheTaggedIssuesWithTheirHistory)
{
    issues::BugTagQueue::global().clear();
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Gamma"))));
    const QVariantList gamma = shownIds();
    ASSERT_GT(gamma.size(), 3);
    // The second issue already has the new description: only its time changes.
    issues->column(QStringLiteral("UPDATE \"Bugs\" SET \"Description\"='Checked' WHERE \"ID\"=%1")
                       .arg(gamma.at(1).toLongLong()));
    for (int row : {0, 1, 2}) {
        browse->issueList().goToRow(row);
        browse->tagCurrent();
    }
    int offered = -1;
    listext::ui::MassUpdateWindow::setAsker([&](QWidget *, query::MassUpdate &update, int tagged) {
        offered = tagged;
        EXPECT_FALSE(update.setValue(QStringLiteral("BUG:ID"), QStringLiteral("1")).ok());
        EXPECT_TRUE(update.setValue(QStringLiteral("BUG:Description"), QStringLiteral("Checked")).ok());
        EXPECT_TRUE(update.setValue(QStringLiteral("BUG:EstTime"), QStringLiteral("2h")).ok());
        return true;
    });
    registry.post(browse->context().number(), Events::Accepted, QStringLiteral("?AKTUALISIEREN"));
    tarvo::test::drainEvents();
    listext::ui::MassUpdateWindow::setAsker({});
    EXPECT_EQ(offered, 3);
    const QString tagged = QStringLiteral("%1,%2,%3")
                               .arg(gamma.at(0).toLongLong())
                               .arg(gamma.at(1).toLongLong())
                               .arg(gamma.at(2).toLongLong());
    EXPECT_EQ(expectedIds(QStringLiteral("\"Description\"='Checked' AND \"EstTime\"='2h'")),
              expectedIds(QStringLiteral("\"ID\" IN (%1)").arg(tagged)));
    EXPECT_EQ(
        issues->column(QStringLiteral("SELECT COUNT(*) FROM \"History\" WHERE \"ID\" IN (%1)").arg(tagged))
            .value(0)
            .toInt(),
        5);
    EXPECT_EQ(browse->issueList().model().rawValue(0, QStringLiteral("BUG:Description")).toString(),
              QStringLiteral("Checked"));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// The export writes the tagged issues that still exist, quoted as CSV needs, through the file the
// user chose.
TEST_P(BrowseBugsWindow, ExportWritesTheTaggedIssuesThatExist)
{
    openBrowse();
    ASSERT_TRUE(browse);
    const QVariantList quoted = expectedIds(QStringLiteral("\"Description\" LIKE '12%disk'"));
    ASSERT_EQ(quoted.size(), 1);
    issues::BugTagQueue &tags = issues::BugTagQueue::global();
    tags.clear();
    tags.add(quoted.front().toLongLong());
    tags.add(7);
    tags.add(999999);
    const QString path = dir.file(QStringLiteral("out.csv"));
    BrowseBugs::setExportPathAsker([&](QWidget *) { return path; });
    registry.post(browse->context().number(), Events::Accepted, QStringLiteral("?EXPORTS"));
    tarvo::test::drainEvents();
    BrowseBugs::setExportPathAsker({});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).contains(QStringLiteral("Description")));
    EXPECT_TRUE(lines.at(1).contains(QStringLiteral("Issue number 7")));
    EXPECT_TRUE(lines.at(2).contains(QStringLiteral("\"12\"\" disk\""))) << lines.at(2).toStdString();
    EXPECT_EQ(browse->exportTagged(dir.file(QStringLiteral("missing/out.csv"))).ok(), false);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// An issue dropped on a program, release or program-file row moves there, or its copy goes there;
// a header row takes no issue.
TEST_P(BrowseBugsWindow, DroppedIssuesMoveOrCopyToTheTreeRow)
{
    openBrowse();
    ASSERT_TRUE(browse);
    auto row = [&](const char *program, const char *release, const char *file) {
        EXPECT_TRUE(browse->selectTreeRow(issues->programId(QLatin1String(program)), QLatin1String(release),
                                          QLatin1String(file)));
        return browse->programTreeView()->currentIndex();
    };
    auto where = [&](qint64 id) {
        return issues
            ->column(QStringLiteral("SELECT \"PrgID\" || '/' || \"Version\" || '/' || \"Programfile\" FROM "
                                    "\"Bugs\" WHERE \"ID\"=%1")
                         .arg(id))
            .value(0)
            .toString();
    };
    ASSERT_EQ(where(1), QStringLiteral("1/1.0/"));
    auto moved = browse->dropIssue(1, row("Beta", "", ""), false);
    ASSERT_TRUE(moved.ok()) << moved.error().message.toStdString();
    EXPECT_EQ(*moved, 1);
    EXPECT_EQ(where(1), QStringLiteral("2/1.0/"));
    moved = browse->dropIssue(1, row("Gamma", "3.2", ""), false);
    EXPECT_EQ(where(1), QStringLiteral("3/3.2/"));
    // The issue moved into the list of the selected release.
    EXPECT_TRUE(shownIds().contains(QVariant(qint64(1))));

    const QVariantList before = expectedIds(QStringLiteral("1=1"));
    auto copied = browse->dropIssue(1, row("Alpha", "", "alpha.dll"), true);
    ASSERT_TRUE(copied.ok()) << copied.error().message.toStdString();
    EXPECT_GT(*copied, before.front().toLongLong());
    EXPECT_EQ(where(*copied), QStringLiteral("1/3.2/alpha.dll"));
    EXPECT_EQ(where(1), QStringLiteral("3/3.2/"));

    // The "Releases" header under Alpha.
    const QModelIndex alpha = row("Alpha", "", "");
    browse->programTreeView()->expand(alpha);
    auto &tree = browse->programTree();
    if (tree.canFetchMore(alpha))
        tree.fetchMore(alpha);
    QModelIndex header;
    for (int r = 0; r < tree.rowCount(alpha) && !header.isValid(); ++r)
        if (tree.isHeaderRow(tree.index(r, 0, alpha)))
            header = tree.index(r, 0, alpha);
    ASSERT_TRUE(header.isValid());
    auto refused = browse->dropIssue(1, header, false);
    ASSERT_TRUE(refused.ok());
    EXPECT_EQ(*refused, 0);
    EXPECT_EQ(where(1), QStringLiteral("3/3.2/"));
    EXPECT_EQ(expectedIds(QStringLiteral("1=1")).size(), before.size() + 1);
}

// Move Up and Move Down swap the selected program with its neighbour, which the tree shows at
// once; dragging a program onto another makes it the last child there, never below itself.
TEST_P(BrowseBugsWindow, TreeRowsMoveAmongSiblingsAndUnderOtherPrograms)
{
    openBrowse();
    ASSERT_TRUE(browse);
    auto &tree = browse->programTree();
    auto stored = [&](const char *parent) {
        QStringList names;
        for (const QVariant &v : issues->column(
                 QStringLiteral(
                     "SELECT \"PrgName\" || ':' || \"Sort\" FROM \"Programs\" WHERE \"P\"=%1 ORDER BY "
                     "\"Sort\", \"ID\"")
                     .arg(*parent ? issues->programId(QLatin1String(parent)) : 0)))
            names << v.toString().trimmed();
        return names.join(QLatin1Char(' ')).toStdString();
    };
    auto shownTop = [&] {
        QStringList names;
        const QModelIndex top = tree.index(0, 0);
        for (int r = 0; r < tree.rowCount(top); ++r)
            names << tree.index(r, 0, top).data().toString().trimmed();
        return names.join(QLatin1Char(' ')).toStdString();
    };
    auto press = [&](const char *button) {
        auto *b = browse->frame()->findChild<QPushButton *>(QLatin1String(button));
        ASSERT_TRUE(b);
        b->click();
        tarvo::test::drainEvents();
    };
    auto row = [&](const char *program) {
        EXPECT_TRUE(browse->selectTreeRow(issues->programId(QLatin1String(program))));
        return QPersistentModelIndex(browse->programTreeView()->currentIndex());
    };
    auto current = [&] {
        return browse->programTreeView()->currentIndex().data().toString().trimmed().toStdString();
    };

    row("Beta");
    press("?TREEUP");
    EXPECT_EQ(stored(""), "Beta:1 Alpha:2 Gamma:3 Delta:5");
    EXPECT_EQ(shownTop(), "Beta Alpha Gamma Delta");
    EXPECT_EQ(current(), "Beta");
    press("?TREEUP"); // already first
    EXPECT_EQ(stored(""), "Beta:1 Alpha:2 Gamma:3 Delta:5");
    // Down to the end and once more; the gap before Delta does not stop it.
    for (int i = 0; i < 4; ++i)
        press("?TREEDOWN");
    EXPECT_EQ(stored(""), "Alpha:1 Gamma:2 Delta:3 Beta:5");
    EXPECT_EQ(shownTop(), "Alpha Gamma Delta Beta");
    EXPECT_EQ(current(), "Beta");

    // Gamma below Alpha Pro; its old siblings close up.
    ASSERT_TRUE(browse->dropTreeRow(row("Gamma"), row("Alpha Pro")).ok());
    EXPECT_EQ(stored(""), "Alpha:1 Delta:2 Beta:4");
    EXPECT_EQ(stored("Alpha Pro"), "Gamma:1");
    EXPECT_EQ(shownTop(), "Alpha Delta Beta");
    EXPECT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Gamma"))));

    // Onto itself or its own descendant: a beep, and nothing is written.
    const std::string before = stored("") + "/" + stored("Alpha") + "/" + stored("Alpha Pro");
    messages.clear();
    ASSERT_TRUE(browse->dropTreeRow(row("Alpha"), row("Gamma")).ok());
    ASSERT_TRUE(browse->dropTreeRow(row("Alpha"), row("Alpha")).ok());
    EXPECT_EQ(stored("") + "/" + stored("Alpha") + "/" + stored("Alpha Pro"), before);
    EXPECT_EQ(messages.beeps().size(), 2u);

    // Onto no row: a top-level program, last.
    ASSERT_TRUE(browse->dropTreeRow(row("Alpha Pro"), QModelIndex()).ok());
    EXPECT_EQ(stored(""), "Alpha:1 Delta:2 Beta:4 Alpha Pro:5");
    EXPECT_EQ(shownTop(), "Alpha Delta Beta Alpha Pro");
    EXPECT_EQ(stored("Alpha"), "");

    // A write the store refuses: the user is told, and the other program keeps its place too.
    auto exec = [&](const char *sql) {
        QSqlQuery q((*issues->session().connection())->database());
        ASSERT_TRUE(q.exec(QLatin1String(sql))) << q.lastError().text().toStdString();
    };
    if (GetParam() == data::StoreKind::Sqlite) {
        exec("CREATE TRIGGER refuse BEFORE UPDATE ON \"Programs\" WHEN NEW.\"PrgName\" = 'Beta' BEGIN SELECT "
             "RAISE(ABORT, 'refused'); END");
    } else {
        exec("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF rtrim(NEW.\"PrgName\") = 'Beta' THEN "
             "RAISE "
             "EXCEPTION 'refused'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
        exec("CREATE TRIGGER refuse BEFORE UPDATE ON \"Programs\" FOR EACH ROW EXECUTE FUNCTION refuse()");
    }
    messages.clear();
    row("Alpha Pro");
    press("?TREEUP");
    EXPECT_EQ(stored(""), "Alpha:1 Delta:2 Beta:4 Alpha Pro:5");
    EXPECT_EQ(shownTop(), "Alpha Delta Beta Alpha Pro");
    EXPECT_EQ(messages.texts().size(), 1);
}

// The detail panel shows the current issue of the list and follows the list's moves.
TEST_P(BrowseBugsWindow, DetailPanelFollowsTheCurrentIssue)
{
    issues->column(QStringLiteral("UPDATE \"Bugs\" SET \"BugText\"='It crashes.', \"CreatedBy\"='AB', "
                                  "\"CreateDate\"=81453, \"CreateTime\"=3600001 WHERE \"PrgID\"=2"));
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Beta"))));
    tarvo::test::drainEvents();
    auto *panel = browse->detailPanel();
    auto *text = panel->findChild<QPlainTextEdit *>(QStringLiteral("?BUG:BUGTEXT:2"));
    const QVariantList beta = shownIds();
    EXPECT_EQ(panel->shownId(), beta.front().toLongLong());
    EXPECT_EQ(text->toPlainText(), QStringLiteral("It crashes."));
    EXPECT_EQ(panel->createdText(), QStringLiteral("Created by AB at 01/01/2024 - 10:00:00"));
    EXPECT_TRUE(panel->changedText().isEmpty());
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Gamma"))));
    tarvo::test::drainEvents();
    EXPECT_EQ(panel->shownId(), shownIds().front().toLongLong());
    EXPECT_TRUE(text->toPlainText().isEmpty());
    EXPECT_TRUE(panel->createdText().isEmpty());
    EXPECT_TRUE(panel->isEnabled());
}

// An issue entered through the list's Insert becomes its current row, also when the list shows it
// above the row that was current.
TEST_P(BrowseBugsWindow, AnEnteredIssueBecomesTheCurrentRow)
{
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Alpha"))));
    tarvo::test::drainEvents();
    const qint64 before = browse->issueList().currentKey();
    browse->issueList().button(Request::Insert)->click();
    tarvo::test::drainEvents();
    QWidget *form = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("UpdateBugs") && w->isVisible())
            form = w;
    ASSERT_TRUE(form);
    form->findChild<QPushButton *>(QStringLiteral("?OK"))->click();
    tarvo::test::drainEvents();
    const QVariantList newest = issues->column(QStringLiteral("SELECT MAX(\"ID\") FROM \"Bugs\""));
    EXPECT_EQ(shownIds().front().toLongLong(), newest.front().toLongLong());
    EXPECT_NE(browse->issueList().currentKey(), before);
    EXPECT_EQ(browse->detailPanel()->shownId(), newest.front().toLongLong());
}

// A saved query narrows the list within the selection until it is voided; one that no longer
// fits the issue file is refused and leaves the list as it was.
TEST_P(BrowseBugsWindow, SavedQueryNarrowsTheListUntilVoided)
{
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Alpha"))));
    const QVariantList alpha = shownIds();
    query::SavedQueries queries(issues->session().dictionary().dataFolder(), QStringLiteral("BROWSEBUGS"));
    listext::ViewRowSource names(issues->file(QStringLiteral("Bugs")), QStringLiteral("BUG:KeyID"));
    ASSERT_TRUE(
        queries.save({QStringLiteral("High ones"), QStringLiteral("BUG:Priority = 'High'")}, names.names())
            .ok());
    auto applied = browse->applyQuery(QStringLiteral("High ones"));
    ASSERT_TRUE(applied.ok()) << applied.error().message.toStdString();
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral("\"PrgID\"=1 AND \"Priority\"='High'")));
    EXPECT_TRUE(browse->frame()->windowTitle().contains(QStringLiteral("High ones")));
    EXPECT_TRUE(browse->frame()->findChild<QPushButton *>(QStringLiteral("?RESET"))->isEnabled());
    EXPECT_FALSE(browse->applyQuery(QStringLiteral("No such query")).ok());
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral("\"PrgID\"=1 AND \"Priority\"='High'")));
    registry.post(browse->context().number(), Events::Accepted, QStringLiteral("?RESET"));
    tarvo::test::drainEvents();
    EXPECT_EQ(shownIds(), alpha);
    EXPECT_TRUE(browse->queryFilter().isEmpty());
    EXPECT_FALSE(browse->frame()->findChild<QPushButton *>(QStringLiteral("?RESET"))->isEnabled());
}

namespace {

// Writes down the addresses that would have been opened.
class RecordingDesktop final : public Desktop {
  public:
    bool openUrl(const QUrl &url) override
    {
        urls << url.toString();
        return true;
    }
    bool openFile(const QString &path) override
    {
        urls << path;
        return true;
    }
    QStringList urls;
};

// The rows of a tree under a parent row: each row's first column, and "/" and its children's.
QStringList treeTexts(const QAbstractItemModel &tree, const QModelIndex &parent = {})
{
    QStringList texts;
    for (int r = 0; r < tree.rowCount(parent); ++r) {
        const QModelIndex row = tree.index(r, 0, parent);
        QString text = row.data().toString().trimmed();
        if (const QStringList below = treeTexts(tree, row); !below.isEmpty())
            text += QLatin1Char('/') + below.join(QLatin1Char(','));
        texts << text;
    }
    return texts;
}

} // namespace

// The tab "Web Links" shows the selected program's links under their folders, in sort order; a
// link moves among its siblings (staying selected) and opens with the desktop's program.
TEST_P(BrowseBugsWindow, WebLinksTreeShowsMovesAndFollowsTheProgramsLinks)
{
    const qint64 alpha = issues->programId(QStringLiteral("Alpha"));
    const qint64 beta = issues->programId(QStringLiteral("Beta"));
    addWebLinks({{alpha, 0, 1, "Home", "https://alpha.example/"},
                 {alpha, 0, 2, "Docs", ""},
                 {alpha, 2, 1, "Manual", "https://alpha.example/manual"},
                 {alpha, 0, 3, "Blog", "https://alpha.example/blog"},
                 {beta, 0, 1, "Other", "https://beta.example/"}});
    RecordingDesktop desktop;
    Desktop::setInstance(&desktop);
    openBrowse();
    ASSERT_TRUE(browse);
    ASSERT_TRUE(browse->selectTreeRow(alpha));
    showWebLinks();
    QAbstractItemModel &tree = browse->webLinkTree();
    QTreeView *view = browse->webLinkView();
    EXPECT_EQ(treeTexts(tree), QStringList{QStringLiteral("Web Links/Home,Docs/Manual,Blog")});

    const auto entry = [&tree](int row) { return tree.index(row, 0, tree.index(0, 0)); };
    // The moves and Follow Link go with the selected row: "up,down,follow" enabled.
    const auto buttons = [this]() {
        QStringList on;
        for (const char *name : {"?WLTREEUP", "?WLTREEDOWN", "?LINK"})
            on << QString::number(
                browse->frame()->findChild<QPushButton *>(QLatin1String(name))->isEnabled());
        return on.join(QLatin1Char(','));
    };
    EXPECT_EQ(buttons(), QStringLiteral("0,0,0")) << "no row selected";
    const std::pair<QModelIndex, const char *> rows[] = {{tree.index(0, 0), "0,0,0"},
                                                         {entry(0), "0,1,1"},
                                                         {entry(1), "1,1,0"},
                                                         {tree.index(0, 0, entry(1)), "0,0,1"},
                                                         {entry(2), "1,0,1"}};
    for (const auto &[row, expected] : rows) {
        view->setCurrentIndex(row);
        EXPECT_EQ(buttons(), QLatin1String(expected)) << row.data().toString().toStdString();
    }

    // The caption row is read anew after each move, which reloads the tree.
    view->setCurrentIndex(entry(0));
    ASSERT_TRUE(browse->moveWebLink(+1).ok());
    view->expandAll();
    EXPECT_EQ(treeTexts(tree), QStringList{QStringLiteral("Web Links/Docs/Manual,Home,Blog")});
    EXPECT_EQ(view->currentIndex().data().toString().trimmed(), QStringLiteral("Home"));
    EXPECT_EQ(
        issues->column(QStringLiteral("SELECT \"Sort\" FROM \"WebLinks\" WHERE \"P\"=0 AND \"PrgID\"=%1 "
                                      "ORDER BY \"ID\"")
                           .arg(alpha)),
        (QVariantList{2, 1, 3}));
    // The first link cannot move up; the last entry cannot move down.
    view->setCurrentIndex(entry(0));
    ASSERT_TRUE(browse->moveWebLink(-1).ok());
    view->setCurrentIndex(entry(2));
    ASSERT_TRUE(browse->moveWebLink(+1).ok());
    view->expandAll();
    EXPECT_EQ(treeTexts(tree), QStringList{QStringLiteral("Web Links/Docs/Manual,Home,Blog")});
    view->setCurrentIndex(entry(1));
    browse->followLink();
    EXPECT_EQ(desktop.urls, QStringList{QStringLiteral("https://alpha.example/")});

    ASSERT_TRUE(browse->selectTreeRow(beta));
    tarvo::test::drainEvents();
    view->expandAll();
    EXPECT_EQ(treeTexts(tree), QStringList{QStringLiteral("Web Links/Other")});
    Desktop::setInstance(nullptr);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// The access library refusing some keys of the browse, as a user's rights do.
class RefusingAccess final : public core::AccessStandIn {
  public:
    bool checkControl(const QString &rightsKey) override
    {
        return !refused.contains(rightsKey, Qt::CaseInsensitive);
    }
    QStringList refused;
};

// The trees' rows and moves have rights of their own, applied as the window opens like those of
// every control: a refused one switches its action off for that kind of row only.
TEST_P(BrowseBugsWindow, TreeRowsAndMovesFollowTheirOwnRights)
{
    const qint64 alpha = issues->programId(QStringLiteral("Alpha"));
    addWebLinks(
        {{alpha, 0, 1, "Home", "https://alpha.example/"}, {alpha, 0, 2, "Blog", "https://b.example/"}});
    RefusingAccess access;
    access.refused = {QStringLiteral("BrowseBugs:?InsertWL"), QStringLiteral("BrowseBugs:?MoveDownWL"),
                      QStringLiteral("BrowseBugs:?DeletePUT"), QStringLiteral("BrowseBugs:?Print"),
                      QStringLiteral("BrowseBugs:?Delete")};
    core::Services::setAccess(&access);
    core::ui::WindowOpening::install();
    openBrowse();
    core::ui::WindowOpening::uninstall();
    core::Services::setAccess(nullptr);
    ASSERT_TRUE(browse);
    const auto enabled = [this](const char *button) {
        auto *b = browse->frame()->findChild<QPushButton *>(QLatin1String(button));
        return b && b->isEnabled();
    };
    // A control named as the window declares it is asked under its key.
    EXPECT_FALSE(enabled("?PRINT"));

    QTreeView *tree = browse->programTreeView();
    ASSERT_TRUE(browse->selectTreeRow(alpha));
    tarvo::test::drainEvents();
    EXPECT_TRUE(enabled("?INSERT:4"));
    EXPECT_TRUE(enabled("?CHANGE:4"));
    EXPECT_FALSE(enabled("?DELETE:4")) << "a program row may not be deleted";
    tree->expand(tree->currentIndex());
    tarvo::test::drainEvents();
    const QModelIndex releases = browse->programTree().index(0, 0, tree->currentIndex());
    tree->expand(releases);
    tarvo::test::drainEvents();
    ASSERT_GT(browse->programTree().rowCount(releases), 0);
    tree->setCurrentIndex(browse->programTree().index(0, 0, releases));
    tarvo::test::drainEvents();
    EXPECT_TRUE(enabled("?DELETE:4")) << "a release row still may";

    showWebLinks();
    QAbstractItemModel &links = browse->webLinkTree();
    QTreeView *view = browse->webLinkView();
    view->setCurrentIndex(links.index(0, 0));
    tarvo::test::drainEvents();
    EXPECT_FALSE(enabled("?INSERT:5")) << "no link may be added on the caption row";
    const QModelIndex home = links.index(0, 0, links.index(0, 0));
    view->setCurrentIndex(home);
    tarvo::test::drainEvents();
    EXPECT_FALSE(enabled("?INSERT:5")) << "nor under a link";
    EXPECT_TRUE(enabled("?CHANGE:5"));
    EXPECT_TRUE(enabled("?DELETE:5"));
    EXPECT_FALSE(enabled("?WLTREEDOWN")) << "refused, though Blog lies below";
    view->setCurrentIndex(links.index(1, 0, links.index(0, 0)));
    tarvo::test::drainEvents();
    EXPECT_TRUE(enabled("?WLTREEUP"));
    view->setCurrentIndex(home);
    tarvo::test::drainEvents();
    // The popup follows the tree's rights, not those of the issue list's buttons of one name.
    listext::ui::RelationTreeView *linkUi = nullptr;
    for (auto *ui : browse->findChildren<listext::ui::RelationTreeView *>())
        if (ui->view() == view)
            linkUi = ui;
    ASSERT_TRUE(linkUi);
    linkUi->setPopupState();
    EXPECT_FALSE(linkUi->popupItem(QStringLiteral("Insert"))->isEnabled());
    EXPECT_TRUE(linkUi->popupItem(QStringLiteral("Delete"))->isEnabled());
    EXPECT_FALSE(enabled("Delete")) << "the issue list's Delete is refused";
    ASSERT_TRUE(browse->moveWebLink(+1).ok());
    EXPECT_EQ(
        issues->column(QStringLiteral("SELECT \"Sort\" FROM \"WebLinks\" WHERE \"PrgID\"=%1 ORDER BY \"ID\"")
                           .arg(alpha)),
        (QVariantList{1, 2}))
        << "a refused move moves nothing";
}

// The program tree shows only the top-level programs of the user's program limit, each with its
// sub-programs; without a limit it shows them all.
TEST_P(BrowseBugsWindow, ProgramTreeKeepsToTheProgramLimit)
{
    const auto topRows = [this]() {
        QStringList names;
        QAbstractItemModel &tree = browse->programTree();
        const QModelIndex top = tree.index(0, 0);
        for (int r = 0; r < tree.rowCount(top); ++r)
            names << tree.index(r, 0, top).data().toString().trimmed();
        return names;
    };
    openBrowse();
    ASSERT_TRUE(browse);
    const QStringList all = topRows();
    EXPECT_TRUE(all.contains(QStringLiteral("Beta")));
    closeBrowse();
    user.secP = QStringLiteral("|%1|").arg(issues->programId(QStringLiteral("Alpha")));
    openBrowse();
    ASSERT_TRUE(browse);
    EXPECT_EQ(topRows(), QStringList{QStringLiteral("Alpha")});
    // The sub-program is not in the limit and still shows under its program.
    EXPECT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Alpha Pro"))));
    EXPECT_FALSE(browse->selectTreeRow(issues->programId(QStringLiteral("Beta"))));
}

namespace {

// Writes down what the browse hands to the report module.
class RecordingReports final : public core::ReportServices {
  public:
    void browseReports(int, int reportType, const data::View *view, const QString &queryDescription) override
    {
        calls << QStringLiteral("%1 %2 %3")
                     .arg(reportType)
                     .arg(view ? QStringLiteral("view") : QStringLiteral("none"), queryDescription);
    }
    QStringList calls;
};

} // namespace

// An import adds the good lines in one go and reports the refused ones; print hands the list's
// view (or the programs) with the query's description to the report module.
TEST_P(BrowseBugsWindow, ImportReportsRefusedLinesAndPrintHandsTheListOver)
{
    openBrowse();
    ASSERT_TRUE(browse);
    const qint64 beta = issues->programId(QStringLiteral("Beta"));
    const QString csv = dir.file(QStringLiteral("import.csv"));
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QStringLiteral("BUG:Description,BUG:PrgID,BUG:Category\r\n"
                             "Imported one,%1,1\r\n"
                             "Imported two,%1,2\r\n"
                             "Refused,%1,not a number\r\n")
                  .arg(beta)
                  .toUtf8());
    out.close();
    const qint64 before =
        issues->column(QStringLiteral("SELECT COUNT(*) FROM \"Bugs\"")).value(0).toLongLong();
    browse->setImportPathAsker([&csv](QWidget *) { return csv; });
    browse->takeAccepted(QStringLiteral("?IMPORTS"));
    browse->setImportPathAsker({});
    EXPECT_EQ(issues->column(QStringLiteral("SELECT COUNT(*) FROM \"Bugs\"")).value(0).toLongLong(),
              before + 2);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().front().contains(QStringLiteral("2")))
        << messages.texts().front().toStdString();
    EXPECT_TRUE(messages.texts().front().contains(QStringLiteral("4")))
        << messages.texts().front().toStdString();

    RecordingReports reports;
    core::Services::setReports(&reports);
    browse->takeAccepted(QStringLiteral("?PRINT"));
    browse->window()->findChild<QPushButton *>(QStringLiteral("?PRINTTREE"))->click();
    core::Services::setReports(nullptr);
    EXPECT_EQ(reports.calls, (QStringList{QStringLiteral("1 view "), QStringLiteral("3 none ")}));
}

// Settings changed elsewhere (1024) take effect at once: captions, field rules entered meanwhile,
// the colour mode; 12007 drops the several-column sort; 12006 demonstrates a feature.
TEST_P(BrowseBugsWindow, SettingsSortAndDemoEventsTakeEffectWithoutARestart)
{
    openBrowse();
    ASSERT_TRUE(browse);
    const int number = browse->context().number();
    EXPECT_TRUE(browse->fieldRules().empty());

    data::Record settings = issues->file(QStringLiteral("Parameter")).newRecord();
    core::SettingsRecord::instance().set(settings);
    core::SettingsRecord::instance().updateValues([](core::SettingsValues &v) {
        v.setOverrideInsert(true);
        v.setInsertText(QStringLiteral("Add"));
    });
    data::Record config = issues->file(QStringLiteral("FieldConfig")).newRecord();
    config.setValue(QStringLiteral("FIELD"), QStringLiteral("BUG:Status"));
    ASSERT_TRUE(issues->file(QStringLiteral("FieldConfig")).insert(config).ok());
    data::Record condition = issues->file(QStringLiteral("FieldConditions")).newRecord();
    condition.setValue(QStringLiteral("FIELD"), QStringLiteral("BUG:Status"));
    condition.setValue(QStringLiteral("CONDITION"), QStringLiteral("Fixed"));
    ASSERT_TRUE(issues->file(QStringLiteral("FieldConditions")).insert(condition).ok());
    data::Record set = issues->file(QStringLiteral("FieldSetValue")).newRecord();
    set.setValue(QStringLiteral("ID"), condition.value(QStringLiteral("ID")));
    set.setValue(QStringLiteral("FIELD"), QStringLiteral("BUG:FixedVersion"));
    set.setValue(QStringLiteral("REQUIRED"), 1);
    ASSERT_TRUE(issues->file(QStringLiteral("FieldSetValue")).insert(set).ok());
    ASSERT_TRUE(
        IniFile(user.userIniPath)
            .setValue(QStringLiteral("User Settings"), QStringLiteral("Color Mode"), QStringLiteral("3"))
            .ok());
    registry.post(number, Events::SettingsChanged);
    tarvo::test::drainEvents();
    EXPECT_EQ(browse->issueList().button(1)->text(), QStringLiteral("Add"));
    EXPECT_EQ(browse->notesList().button(1)->text(), QStringLiteral("Add"));
    ASSERT_EQ(browse->fieldRules().size(), 1U);
    EXPECT_EQ(browse->fieldRules().front().targetLabel, QStringLiteral("BUG:FixedVersion"));
    EXPECT_EQ(browse->rowLook().colorMode, 3);
    core::SettingsRecord::instance().clear();

    auto &xplore = browse->issueList().xplore();
    xplore.headerClicked(browse->issueList().model().columnOf(QStringLiteral("BUG:Description")));
    ASSERT_FALSE(xplore.sort().isEmpty());
    registry.post(number, Events::SortOrderSettingsChanged);
    tarvo::test::drainEvents();
    EXPECT_TRUE(xplore.sort().isEmpty());

    RecordingReports reports;
    core::Services::setReports(&reports);
    core::FrameGlobals::instance().setDemoFeature(1);
    registry.post(number, Events::ShowDemoFeature);
    tarvo::test::drainEvents();
    core::FrameGlobals::instance().setDemoFeature(99);
    registry.post(number, Events::ShowDemoFeature);
    tarvo::test::drainEvents();
    core::Services::setReports(nullptr);
    EXPECT_EQ(reports.calls, QStringList{QStringLiteral("1 view ")});
    EXPECT_EQ(core::FrameGlobals::instance().demoFeature(), 0);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// A field accepted in the detail panel is written at once, stamped and shown; a user without the
// change right gets read-only fields.
TEST_P(BrowseBugsWindow, DetailPanelWritesAnAcceptedFieldAtOnce)
{
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    browse->setShowFixed(true);
    browse->issueList().view()->setCurrentIndex(browse->issueList().model().index(0, 0));
    tarvo::test::drainEvents();
    const qint64 id = browse->detailPanel()->shownId();
    ASSERT_GT(id, 0);
    auto *estTime = browse->detailPanel()->findChild<QLineEdit *>(QStringLiteral("?BUG:ESTTIME:2"));
    ASSERT_TRUE(estTime && !estTime->isReadOnly());
    estTime->setText(QStringLiteral("2 days"));
    estTime->setModified(true);
    Q_EMIT estTime->editingFinished();
    EXPECT_EQ(issues->column(QStringLiteral("SELECT \"EstTime\" FROM \"Bugs\" WHERE \"ID\"=%1").arg(id)),
              QVariantList{QStringLiteral("2 days")});
    EXPECT_TRUE(browse->detailPanel()->changedText().startsWith(QStringLiteral("Changed by ABC at ")))
        << browse->detailPanel()->changedText().toStdString();
    EXPECT_EQ(browse->detailPanel()->shownId(), id);

    browse->detailPanel()->setEditable(false);
    EXPECT_TRUE(estTime->isReadOnly());
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// The frame may not shrink below the browse's upper area and its issue list's change button; a
// lower bar asks for a taller frame.
TEST_P(BrowseBugsWindow, FrameMinimumFollowsTheBarAndTheChangeButton)
{
    openBrowse();
    ASSERT_TRUE(browse);
    auto *hsplit = browse->window()->findChild<QSplitter *>(QStringLiteral("?HSPLIT"));
    ASSERT_TRUE(hsplit);
    const QSize before = browse->frameMinimumSize();
    const int change = browse->issueList().button(2)->mapTo(browse->window(), QPoint(0, 0)).x();
    EXPECT_EQ(before.width(), change + 196);
    const QList<int> sizes = hsplit->sizes();
    hsplit->setSizes({sizes[0] + 50, sizes[1] - 50});
    EXPECT_EQ(browse->frameMinimumSize().height(), before.height() + 50);
}

// The attachments of an issue are offered each by its own number, so that two of one description
// each open their own in the attachment form; "Send EMail" without an address says so.
TEST_P(BrowseBugsWindow, AttachmentsOpenByNumberAndAMissingAddressIsSaid)
{
    openBrowse();
    ASSERT_TRUE(browse);
    data::FileManager &attachments = issues->file(QStringLiteral("Attachments"));
    for (const char *description : {"Screenshot", "Log", "Screenshot"}) {
        data::Record r = attachments.newRecord();
        r.setValue(QStringLiteral("BUGID"), 7);
        r.setValue(QStringLiteral("Description"), QLatin1String(description));
        ASSERT_TRUE(attachments.insert(r).ok());
    }
    auto offered = browse->attachmentsOf(7);
    ASSERT_TRUE(offered.ok());
    QStringList texts;
    for (const auto &[id, description] : *offered)
        texts << description;
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Log"), QStringLiteral("Screenshot"),
                                  QStringLiteral("Screenshot")}));

    qint64 opened = 0;
    int request = 0;
    browse->setProcedure(BrowseBugs::UpdateAttachments, [&](std::function<void()> finished) {
        opened =
            issues->session().file(QStringLiteral("Attachments"))->buffer().integer(QStringLiteral("ID"));
        request = browse->context().threadRequest();
        finished();
    });
    const qint64 third = offered->at(2).first;
    browse->openAttachment(third);
    EXPECT_EQ(opened, third);
    EXPECT_EQ(request, 2);
    EXPECT_NE(offered->at(1).first, third);

    browse->sendEMail(QString(), QPoint());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("No address specified!")});
}

// A filter from the popup shows "Filter active!" and "Void Filters..."; the filters come back with
// the next session; voiding one of two keeps the mark, voiding the last removes it.
TEST_P(BrowseBugsWindow, ColumnFiltersAreMarkedKeptAndVoided)
{
    user.secP.clear();
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    browse->setShowFixed(true);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Alpha"))));
    auto &xplore = browse->issueList().xplore();
    auto &model = browse->issueList().model();
    auto *voidButton = browse->window()->findChild<QPushButton *>(QStringLiteral("?VOIDFILTER"));
    ASSERT_TRUE(voidButton);
    EXPECT_TRUE(browse->filterActiveText().isEmpty());
    EXPECT_FALSE(voidButton->isVisibleTo(browse->window()));

    const auto filterCell = [&](const char *field, int event) {
        const QModelIndex cell = model.index(0, model.columnOf(QLatin1String(field)));
        browse->issueList().view()->setCurrentIndex(cell);
        xplore.prepareCell(cell);
        xplore.popupItem(QStringLiteral("ADDF%1").arg(event - listext::ui::XploreEvent::FilterEqual + 1))
            ->trigger();
    };
    const QString status = model.rawValue(0, QStringLiteral("BUG:Status")).toString();
    const QString reporter = model.rawValue(0, QStringLiteral("BUG:ReportedDate")).toString();
    filterCell("BUG:Status", listext::ui::XploreEvent::FilterEqual);
    filterCell("BUG:ReportedDate", listext::ui::XploreEvent::FilterEqual);
    const QString both = QStringLiteral("\"PrgID\"=%1 AND \"Status\"='%2' AND \"ReportedDate\"=%3")
                             .arg(issues->programId(QStringLiteral("Alpha")))
                             .arg(status, reporter);
    EXPECT_EQ(shownIds(), expectedIds(both));
    EXPECT_EQ(browse->filterActiveText(), QStringLiteral("Filter active!"));
    EXPECT_TRUE(voidButton->isVisibleTo(browse->window()));

    closeBrowse();
    openBrowse();
    ASSERT_TRUE(browse);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Alpha"))));
    voidButton = browse->window()->findChild<QPushButton *>(QStringLiteral("?VOIDFILTER"));
    EXPECT_EQ(shownIds(), expectedIds(both));
    EXPECT_EQ(browse->filterActiveText(), QStringLiteral("Filter active!"));

    // The window lists both; voiding one keeps the mark.
    std::vector<issues::ActiveFilter> listed;
    issues::ui::VoidFilters::setAsker([&listed](QWidget *, std::vector<issues::ActiveFilter> &filters) {
        listed = filters;
        return filters.front().field;
    });
    browse->takeAccepted(QStringLiteral("?VOIDFILTER"));
    ASSERT_EQ(listed.size(), 2U);
    EXPECT_EQ(listed[0].field, QStringLiteral("BUG:STATUS"));
    EXPECT_EQ(listed[0].value, status.trimmed());
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral("\"PrgID\"=%1 AND \"ReportedDate\"=%2")
                                          .arg(issues->programId(QStringLiteral("Alpha")))
                                          .arg(reporter)));
    EXPECT_EQ(browse->filterActiveText(), QStringLiteral("Filter active!"));
    browse->voidColumnFilters(issues::ui::VoidFilters::VoidAll);
    issues::ui::VoidFilters::setAsker({});
    EXPECT_TRUE(browse->filterActiveText().isEmpty());
    EXPECT_FALSE(voidButton->isVisibleTo(browse->window()));
    EXPECT_EQ(shownIds(),
              expectedIds(QStringLiteral("\"PrgID\"=%1").arg(issues->programId(QStringLiteral("Alpha")))));
    closeBrowse();
    EXPECT_TRUE(
        IniFile(user.userIniPath).value(QStringLiteral("BrowseBugs"), QStringLiteral("Last Sort")).isEmpty());
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// "Less than" and "greater than" on the status column compare the statuses' sort numbers; on the
// popup the statuses of the program can be set on the issue, all but the one it has.
TEST_P(BrowseBugsWindow, StatusFiltersByOrderAndChangesFromThePopup)
{
    issues->column(QStringLiteral("UPDATE \"Bugs\" SET \"StatusSort\" = (\"ID\" / 7) % 4"));
    data::FileManager &statuses = issues->file(QStringLiteral("Status"));
    const std::pair<int, const char *> rows[] = {{1, "New"}, {2, "Open"}, {3, "Fixed"}};
    for (const auto &[sort, text] : rows) {
        data::Record r = statuses.newRecord();
        r.setValue(QStringLiteral("PrgID"), 0);
        r.setValue(QStringLiteral("SORT"), sort);
        r.setValue(QStringLiteral("STATUS"), QLatin1String(text));
        ASSERT_TRUE(statuses.insert(r).ok());
    }
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    browse->setShowFixed(true);
    ASSERT_TRUE(browse->selectTreeRow(issues->programId(QStringLiteral("Alpha"))));
    auto &model = browse->issueList().model();
    auto &xplore = browse->issueList().xplore();
    // A row whose status sorts in the middle.
    const qint64 alphaId = issues->programId(QStringLiteral("Alpha"));
    const qint64 middle =
        issues
            ->column(
                QStringLiteral("SELECT MAX(\"ID\") FROM \"Bugs\" WHERE \"PrgID\"=%1 AND \"StatusSort\"=2")
                    .arg(alphaId))
            .value(0)
            .toLongLong();
    ASSERT_GT(middle, 0);
    const int row = int(shownIds().indexOf(QVariant(middle)));
    ASSERT_GE(row, 0);
    const QModelIndex cell = model.index(row, model.columnOf(QStringLiteral("BUG:Status")));
    browse->issueList().view()->setCurrentIndex(cell);
    xplore.prepareCell(cell);
    xplore.popupItem(QStringLiteral("ADDF2"))->trigger();
    const qint64 alpha = issues->programId(QStringLiteral("Alpha"));
    EXPECT_EQ(shownIds(), expectedIds(QStringLiteral("\"PrgID\"=%1 AND \"StatusSort\"<2").arg(alpha)));
    EXPECT_EQ(browse->filterActiveText(), QStringLiteral("Filter active!"));
    browse->voidColumnFilters(issues::ui::VoidFilters::VoidAll);

    // The popup lists the statuses last to first; the issue's own is disabled.
    browse->issueList().view()->setCurrentIndex(model.index(0, 0));
    const qint64 id = model.rawValue(0, QStringLiteral("BUG:ID")).toLongLong();
    issues->column(QStringLiteral("UPDATE \"Bugs\" SET \"Status\"='Open' WHERE \"ID\"=%1").arg(id));
    ASSERT_TRUE(browse->issueList().reload().ok());
    browse->issueList().view()->setCurrentIndex(model.index(0, 0));
    browse->buildStatusPopup();
    QAction *setStatus = xplore.popupItem(QStringLiteral("SetStatus"));
    ASSERT_TRUE(setStatus && setStatus->menu());
    QStringList items;
    for (QAction *a : setStatus->menu()->actions())
        items << a->objectName() + QLatin1Char(':') + a->text() +
                     (a->isEnabled() ? QString() : QStringLiteral("!"));
    // The program's statuses, an empty entry, then the general ones: the popup shows them reversed.
    EXPECT_TRUE(items.startsWith(QStringLiteral("20000:Fixed")))
        << items.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("20001:Open!"))) << items.join(QLatin1Char(' ')).toStdString();
    setStatus->menu()->findChild<QAction *>(QStringLiteral("20000"))->trigger();
    EXPECT_EQ(issues->column(QStringLiteral("SELECT \"Status\" FROM \"Bugs\" WHERE \"ID\"=%1").arg(id)),
              QVariantList{QStringLiteral("Fixed")});
    EXPECT_EQ(issues->column(QStringLiteral("SELECT \"StatusSort\" FROM \"Bugs\" WHERE \"ID\"=%1").arg(id))
                  .value(0)
                  .toInt(),
              3);
    // Rebuilt, the popup holds one "Set Status" part only.
    browse->buildStatusPopup();
    EXPECT_EQ(xplore.popup()->findChildren<QAction *>(QStringLiteral("SetStatus")).size(), 1);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
}

// A master-data side that records which form the tree called, on what record.
class RecordingForms final : public core::MasterDataStandIn {
  public:
    explicit RecordingForms(ContextRegistry &registry) : m_registry(registry) {}
    void updatePrograms(int contextNumber, FormDone done) override { take(contextNumber, "Programs", done); }
    void updateProgramRelease(int contextNumber, FormDone done) override
    {
        take(contextNumber, "Releases", done);
    }
    void updateProgramFiles(int contextNumber, FormDone done) override
    {
        take(contextNumber, "Programfiles", done);
    }
    // (form, request, the record's program or, for a program, its ID and parent)
    std::vector<std::tuple<QString, int, qint64>> calls;
    data::Session *session = nullptr;

  private:
    void take(int contextNumber, const char *label, const FormDone &done)
    {
        Context *context = m_registry.context(contextNumber);
        const data::Record &buffer = session->file(QLatin1String(label))->buffer();
        const QString form = QLatin1String(label);
        const qint64 key = form == QLatin1String("Programs")
                               ? buffer.integer(context->threadRequest() == 1 ? QStringLiteral("PRG:P")
                                                                              : QStringLiteral("PRG:ID"))
                           : form == QLatin1String("Releases") ? buffer.integer(QStringLiteral("REL:PRGID"))
                                                               : buffer.integer(QStringLiteral("PFIL:PRGID"));
        calls.emplace_back(form, context->threadRequest(), key);
        // A note made on the program form stays though the form is cancelled.
        if (form == QLatin1String("Programs") && context->threadRequest() == 2) {
            data::FileManager &notes = *session->file(QStringLiteral("Notes"));
            data::Record note = notes.newRecord();
            note.setValue(QStringLiteral("NOTE:PrgID"), key);
            note.setValue(QStringLiteral("NOTE:Note"), QStringLiteral("made on the form"));
            EXPECT_TRUE(notes.insert(note).ok());
        }
        done(2);
    }
    ContextRegistry &m_registry;
};

TEST_P(BrowseBugsWindow, TreeButtonsOpenTheFormOfTheRowWithItsRecord)
{
    RecordingForms forms(registry);
    forms.session = &issues->session();
    core::Services::setMasterData(&forms);
    openBrowse();
    ASSERT_TRUE(browse);
    QTreeView *view = browse->programTreeView();
    auto press = [&](const char *button) {
        auto *b = browse->frame()->findChild<QPushButton *>(QLatin1String(button));
        ASSERT_TRUE(b);
        b->click();
        tarvo::test::drainEvents();
    };
    const qint64 alpha = issues->programId(QStringLiteral("Alpha"));
    ASSERT_TRUE(browse->selectTreeRow(alpha));
    const int before = browse->context().threadRequest();
    const int notesBefore = browse->notesList().model().rowCount();
    press("?CHANGE:4");
    EXPECT_EQ(browse->notesList().model().rowCount(), notesBefore + 1);
    // A program row's Insert adds a sub-program of it.
    press("?INSERT:4");
    view->expand(view->currentIndex());
    tarvo::test::drainEvents();
    // The first child rows of a program: its releases, then its program files.
    const QModelIndex releases = browse->programTree().index(0, 0, view->currentIndex());
    ASSERT_EQ(releases.data().toString().trimmed(), QStringLiteral("Releases"));
    view->setCurrentIndex(releases);
    tarvo::test::drainEvents();
    press("?INSERT:4");
    view->expand(releases);
    tarvo::test::drainEvents();
    view->setCurrentIndex(browse->programTree().index(0, 0, releases));
    tarvo::test::drainEvents();
    press("?DELETE:4");
    // The "Programs" row adds a top-level program.
    view->setCurrentIndex(browse->programTree().index(0, 0));
    tarvo::test::drainEvents();
    press("?INSERT:4");
    core::Services::setMasterData(nullptr);
    using Call = std::tuple<QString, int, qint64>;
    EXPECT_EQ(forms.calls, (std::vector<Call>{{QStringLiteral("Programs"), 2, alpha},
                                              {QStringLiteral("Programs"), 1, alpha},
                                              {QStringLiteral("Releases"), 1, alpha},
                                              {QStringLiteral("Releases"), 3, alpha},
                                              {QStringLiteral("Programs"), 1, 0}}));
    EXPECT_EQ(browse->context().threadRequest(), before);
}

// The release form, adding the release it is given as a user completes it.
class AddingReleases final : public core::MasterDataStandIn {
  public:
    explicit AddingReleases(ContextRegistry &registry, data::Session &session)
        : m_registry(registry), m_session(session)
    {
    }
    void updateProgramRelease(int contextNumber, FormDone done) override
    {
        data::FileManager &releases = *m_session.file(QStringLiteral("Releases"));
        data::Record added = releases.buffer();
        EXPECT_TRUE(releases.insert(added).ok());
        m_registry.context(contextNumber)->setThreadResponse(Response::Completed);
        done(Response::Completed);
    }

  private:
    ContextRegistry &m_registry;
    data::Session &m_session;
};

// A column filter and its voiding read the list anew with the issue the user was on still current;
// a sort with its first row current.
TEST_P(BrowseBugsWindow, FiltersKeepTheCurrentIssue)
{
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    browse->setShowFixed(true);
    listext::ui::BrowseList &list = browse->issueList();
    auto &model = list.model();
    list.goToRow(3);
    const qint64 chosen = list.currentKey();
    const QModelIndex cell = model.index(3, model.columnOf(QStringLiteral("BUG:Status")));
    list.view()->setCurrentIndex(cell);
    list.xplore().prepareCell(cell);
    list.xplore().popupItem(QStringLiteral("ADDF1"))->trigger();
    tarvo::test::drainEvents();
    ASSERT_LT(model.rowCount(), int(expectedIds(QStringLiteral("1=1")).size()));
    EXPECT_EQ(list.currentKey(), chosen);
    browse->voidColumnFilters(issues::ui::VoidFilters::VoidAll);
    tarvo::test::drainEvents();
    EXPECT_EQ(list.currentKey(), chosen);
    // A header sort leaves its first row current.
    list.xplore().headerClicked(model.columnOf(QStringLiteral("BUG:Description")));
    tarvo::test::drainEvents();
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(browse->detailPanel()->shownId(), list.currentKey());
}

// An issue whose version the form changes leaves the shown release: the row that took its place
// is the next one a step forward goes to. A release the form added shows in the tree at once,
// with the selection kept.
TEST_P(BrowseBugsWindow, TheIssueFormsChangesReachTheTreeAndTheNextStep)
{
    const qint64 alpha = issues->programId(QStringLiteral("Alpha"));
    RefusingAccess access;
    AddingReleases releaseForm(registry, issues->session());
    core::Services::setAccess(&access);
    core::Services::setMasterData(&releaseForm);
    openBrowse();
    ASSERT_TRUE(browse);
    browse->selectCategory(5);
    browse->setShowFixed(true);
    ASSERT_TRUE(browse->selectTreeRow(alpha, QStringLiteral("1.1")));
    tarvo::test::drainEvents();
    const QVariantList before = shownIds();
    ASSERT_GE(before.size(), 4);
    browse->issueList().goToRow(1);
    browse->issueList().button(Request::Change)->click();
    tarvo::test::drainEvents();
    QWidget *form = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("UpdateBugs") && w->isVisible())
            form = w;
    ASSERT_TRUE(form) << "the issue form did not open";
    auto *version = form->findChild<QComboBox *>(QStringLiteral("BUG:Version"));
    ASSERT_TRUE(version && version->lineEdit());
    version->lineEdit()->setText(QStringLiteral("7.7"));
    Q_EMIT version->lineEdit()->editingFinished();
    tarvo::test::drainEvents();
    form->findChild<QPushButton *>(QStringLiteral("?OK"))->click();
    tarvo::test::drainEvents();
    core::Services::setMasterData(nullptr);
    core::Services::setAccess(nullptr);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();

    QVariantList after = before;
    after.removeAt(1);
    EXPECT_EQ(shownIds(), after);
    listext::ui::BrowseList &list = browse->issueList();
    EXPECT_EQ(list.currentKey(), before.at(2).toLongLong()) << "the row after it took its place";
    browse->takeAccepted(QStringLiteral("TOOLBAR:DOWN"));
    EXPECT_EQ(list.currentKey(), before.at(2).toLongLong()) << "the next step goes to that row";
    browse->takeAccepted(QStringLiteral("TOOLBAR:DOWN"));
    EXPECT_EQ(list.currentKey(), before.at(3).toLongLong()) << "and only that one";

    const QModelIndex current = browse->programTreeView()->currentIndex();
    EXPECT_EQ(current.data().toString().trimmed(), QStringLiteral("1.1")) << "the selection stays";
    const QModelIndex releases = current.parent();
    QStringList shown;
    for (int r = 0; r < browse->programTree().rowCount(releases); ++r)
        shown << browse->programTree().index(r, 0, releases).data().toString().trimmed();
    EXPECT_TRUE(shown.contains(QStringLiteral("7.7"))) << shown.join(QLatin1Char(',')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Stores, BrowseBugsWindow,
                         ::testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres),
                         [](const ::testing::TestParamInfo<data::StoreKind> &info) {
                             return info.param == data::StoreKind::Sqlite ? "Sqlite" : "Postgres";
                         });

} // namespace
