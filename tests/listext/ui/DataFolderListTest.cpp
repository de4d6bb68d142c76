#include "listext/ViewRowSource.h"
#include "listext/ui/GraphWindow.h"
#include "listext/ui/IssueFolder.h"
#include "listext/ui/ListPrinter.h"
#include "listext/ui/ModelCheck.h"
#include "listext/ui/XploreClass.h"
#include "platform/data/Connection.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>
#include <map>

using namespace tarvo;
using namespace tarvo::listext;
using namespace tarvo::listext::ui;
using tarvo::listext::test::IssueFolder;

namespace {

ColumnDefinition column(const char *field, const char *header, const char *picture, int width, bool sortable,
                        bool graph = false)
{
    ColumnDefinition c;
    c.field = QLatin1String(field);
    c.header = c.description = QLatin1String(header);
    c.picture = QLatin1String(picture);
    c.width = width;
    c.sortable = sortable;
    c.graph = graph;
    return c;
}

// A part of the issue list's columns: numbers, texts, a date and a hidden column.
ColumnDefinitions issueColumns()
{
    ColumnDefinitions columns{column("BUG:ID", "ID", "@n_7", 40, true, true),
                              column("BUG:Status", "Status", "@s35", 80, true, true),
                              column("BUG:Priority", "Priority", "@s35", 60, true, true),
                              column("BUG:PrgName", "Program", "@s250", 80, true, true),
                              column("BUG:Description", "Description", "@s255", 200, true),
                              column("BUG:ReportedDate", "Reported", "@D10", 70, true, true),
                              column("BUG:Version", "Version", "@s35", 50, true)};
    columns.front().justification = QLatin1Char('R');
    columns.back().shown = false;
    return columns;
}

// The expected content of an output file; TARVO_UPDATE_GOLDEN=1 writes the actual content instead.
QString golden(const QString &name, const QString &actual)
{
    const QByteArray root = qgetenv("TARVO_SOURCE_DIR");
    const QString dir = root.isEmpty() ? QFileInfo(QStringLiteral(__FILE__)).absolutePath()
                                       : QString::fromUtf8(root) + QStringLiteral("/tests/listext/ui");
    QFile file(dir + QStringLiteral("/golden/") + name);
    if (qgetenv("TARVO_UPDATE_GOLDEN") == "1" && file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(actual.toUtf8());
        return actual;
    }
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(missing golden file %1)").arg(file.fileName());
    return QString::fromUtf8(file.readAll());
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The issue list bound through a view to a real data folder of a few hundred issues.
class DataFolderList : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        s_dir = new tarvo::test::TempDir;
        s_folder = new IssueFolder(s_dir->file(QStringLiteral("data")));
    }
    static void TearDownTestSuite()
    {
        delete s_folder;
        delete s_dir;
        s_folder = nullptr;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_folder->ok()) << s_folder->error().toStdString();
        dir.useAsConfigHome();
        open(source, view, xplore);
        check = std::make_unique<tarvo::listext::test::ModelCheck>(xplore->model());
        ASSERT_TRUE(xplore->model()->reload().ok());
    }

    void open(std::unique_ptr<ViewRowSource> &s, QTableView &v, std::unique_ptr<XploreClass> &x)
    {
        s = std::make_unique<ViewRowSource>(s_folder->file(QStringLiteral("Bugs")),
                                            QStringLiteral("BUG:KeyID"));
        v.resize(800, 400);
        v.setWindowTitle(QStringLiteral("Issues"));
        x = std::make_unique<XploreClass>(&v, *s, issueColumns(), 0x2E1FFEF7);
        x->setLayoutStore(ini, QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1"));
        x->model()->setPageSize(40);
        x->model()->setWindowPages(2);
        x->buildPopup();
        x->restoreLayout();
        x->restoreSort();
    }

    BrowseListModel &model() { return *xplore->model(); }
    void readAll()
    {
        while (model().canFetchMore({}))
            model().fetchMore({});
    }
    QVariantList shown(const QString &field)
    {
        readAll();
        QVariantList out;
        for (int r = 0; r < model().rowCount(); ++r)
            out << model().rawValue(r, field);
        return out;
    }
    int rowOf(const QString &field, const QVariant &value)
    {
        readAll();
        for (int r = 0; r < model().rowCount(); ++r)
            if (model().rawValue(r, field) == value)
                return r;
        return -1;
    }
    QModelIndex cell(int row, const QString &field) { return model().index(row, model().columnOf(field)); }

    static tarvo::test::TempDir *s_dir;
    static IssueFolder *s_folder;
    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    IniFile ini{dir.file(QStringLiteral("User.ini"))};
    std::unique_ptr<ViewRowSource> source;
    QTableView view;
    std::unique_ptr<XploreClass> xplore;
    std::unique_ptr<tarvo::listext::test::ModelCheck> check;
};

tarvo::test::TempDir *DataFolderList::s_dir = nullptr;
IssueFolder *DataFolderList::s_folder = nullptr;

TEST_F(DataFolderList, ScrollingToTheEndShowsTheLastIssuesHoldingOnlyAWindowOfPages)
{
    // The whole list is counted at once; only its first page is read.
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues);
    EXPECT_EQ(model().heldCount(), 40);
    view.show();
    QScrollBar *bar = view.verticalScrollBar();
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    EXPECT_EQ(model().firstHeld() + model().heldCount(), IssueFolder::Issues);
    EXPECT_EQ(model().rawValue(IssueFolder::Issues - 1, QStringLiteral("BUG:ID")).toInt(), 1);
    EXPECT_LE(model().heldCount(), 40 * 2);
    // The view's key orders the newest issue first.
    EXPECT_EQ(shown(QStringLiteral("BUG:ID")),
              s_folder->column(QStringLiteral("SELECT ID FROM Bugs ORDER BY ID DESC")));
}

TEST_F(DataFolderList, CellFiltersNarrowTheRowsAsTheStoreDoes)
{
    const int fixed = rowOf(QStringLiteral("BUG:Status"), QStringLiteral("Fixed"));
    ASSERT_GE(fixed, 0);
    xplore->prepareCell(cell(fixed, QStringLiteral("BUG:Status")));
    xplore->takeEvent(XploreEvent::FilterEqual);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(
        shown(QStringLiteral("BUG:ID")),
        s_folder->column(QStringLiteral("SELECT ID FROM Bugs WHERE Status = 'Fixed' ORDER BY ID DESC")));

    // A second filter on a number column joins the first; "not equal" on a text column too.
    const int row = model().rowCount() / 2;
    const QVariant id = model().rawValue(row, QStringLiteral("BUG:ID"));
    xplore->prepareCell(cell(row, QStringLiteral("BUG:ID")));
    xplore->takeEvent(XploreEvent::FilterLess);
    const int alpha = rowOf(QStringLiteral("BUG:PrgName"), QStringLiteral("Alpha"));
    ASSERT_GE(alpha, 0);
    xplore->prepareCell(cell(alpha, QStringLiteral("BUG:PrgName")));
    xplore->takeEvent(XploreEvent::FilterNotEqual);
    const QVariantList expected = s_folder->column(
        QStringLiteral(
            "SELECT ID FROM Bugs WHERE Status = 'Fixed' AND ID < ? AND PrgName <> 'Alpha' ORDER BY ID DESC"),
        {id});
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(shown(QStringLiteral("BUG:ID")), expected);
    EXPECT_EQ(source->count().value(), expected.size());

    xplore->takeEvent(XploreEvent::VoidFilters);
    EXPECT_EQ(model().rowCount(), IssueFolder::Issues);
    EXPECT_EQ(model().heldCount(), 40);
    EXPECT_EQ(source->count().value(), IssueFolder::Issues);
}

TEST_F(DataFolderList, HeaderClicksSortNumbersAndTexts)
{
    const int idColumn = model().columnOf(QStringLiteral("BUG:ID"));
    xplore->headerClicked(idColumn);
    EXPECT_EQ(model().headerData(idColumn, Qt::Horizontal).toString(), QStringLiteral(">ID"));
    EXPECT_EQ(shown(QStringLiteral("BUG:ID")),
              s_folder->column(QStringLiteral("SELECT ID FROM Bugs ORDER BY ID")));
    xplore->headerClicked(idColumn);
    EXPECT_EQ(shown(QStringLiteral("BUG:ID")).value(0), IssueFolder::Issues);

    // Texts sort without regard to case: "closed" comes before "Fixed".
    const int statusColumn = model().columnOf(QStringLiteral("BUG:Status"));
    xplore->headerClicked(statusColumn);
    EXPECT_EQ(model().headerData(statusColumn, Qt::Horizontal).toString(), QStringLiteral(">Status"));
    const QVariantList statuses = shown(QStringLiteral("BUG:Status"));
    ASSERT_EQ(statuses.size(), IssueFolder::Issues);
    EXPECT_EQ(statuses.front().toString(), QStringLiteral("closed"));
    for (int i = 1; i < statuses.size(); ++i)
        ASSERT_LE(statuses.at(i - 1).toString().compare(statuses.at(i).toString(), Qt::CaseInsensitive), 0)
            << i;
    const QVariantList counts = s_folder->column(
        QStringLiteral("SELECT COUNT(*) FROM Bugs GROUP BY UPPER(Status) ORDER BY UPPER(Status)"));
    EXPECT_EQ(statuses.count(QStringLiteral("closed")), counts.value(0).toInt());

    // Dates are numbers too: the report dates come in day order.
    const int dateColumn = model().columnOf(QStringLiteral("BUG:ReportedDate"));
    xplore->headerClicked(dateColumn);
    QVariantList days = shown(QStringLiteral("BUG:ReportedDate"));
    EXPECT_EQ(days, s_folder->column(QStringLiteral("SELECT ReportedDate FROM Bugs ORDER BY ReportedDate")));
}

TEST_F(DataFolderList, LayoutAndSortComeBackFromUserIniInANewWindow)
{
    QHeaderView *h = view.horizontalHeader();
    h->moveSection(model().columnOf(QStringLiteral("BUG:Description")), 0);
    h->resizeSection(model().columnOf(QStringLiteral("BUG:Description")), 321);
    h->hideSection(model().columnOf(QStringLiteral("BUG:Priority")));
    xplore->headerClicked(model().columnOf(QStringLiteral("BUG:PrgName")));
    ASSERT_TRUE(xplore->saveLayout().ok());
    const ColumnStates before = xplore->columnStates();
    const QVariantList orderBefore = shown(QStringLiteral("BUG:ID"));

    QFile file(dir.file(QStringLiteral("User.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(QStringLiteral("[BrowseBugs]")));

    std::unique_ptr<ViewRowSource> otherSource;
    QTableView otherView;
    std::unique_ptr<XploreClass> other;
    open(otherSource, otherView, other);
    ASSERT_TRUE(other->model()->reload().ok());
    const ColumnStates after = other->columnStates();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].field, before[i].field);
        EXPECT_EQ(after[i].width, before[i].width);
    }
    EXPECT_EQ(after.front().field, QStringLiteral("BUG:Description"));
    EXPECT_EQ(after.front().width, 321);
    EXPECT_EQ(other->model()->headerText(QStringLiteral("BUG:PrgName")), QStringLiteral(">Program"));
    BrowseListModel &m = *other->model();
    while (m.canFetchMore({}))
        m.fetchMore({});
    QVariantList orderAfter;
    for (int r = 0; r < m.rowCount(); ++r)
        orderAfter << m.rawValue(r, QStringLiteral("BUG:ID"));
    EXPECT_EQ(orderAfter, orderBefore);
    EXPECT_EQ(m.rawValue(0, QStringLiteral("BUG:PrgName")).toString(), QStringLiteral("Alpha"));
}

TEST_F(DataFolderList, GraphOfTheStatusColumnCountsAsGroupBy)
{
    xplore->prepareCell(cell(0, QStringLiteral("BUG:Status")));
    std::unique_ptr<QWidget> window(xplore->graph());
    auto *graph = qobject_cast<GraphWindow *>(window.get());
    ASSERT_NE(graph, nullptr);
    std::map<QString, qint64> counted;
    for (const GraphCategory &c : graph->data().categories())
        counted[c.name] = c.count;
    std::map<QString, qint64> grouped;
    auto conn = s_folder->session().connection();
    ASSERT_TRUE(conn.ok());
    auto q = (*conn)->exec(QStringLiteral("SELECT Status, COUNT(*) FROM Bugs GROUP BY Status"));
    ASSERT_TRUE(q.ok());
    while (q.value()->next())
        grouped[q.value()->value(0).toString()] = q.value()->value(1).toLongLong();
    EXPECT_EQ(counted, grouped);
    EXPECT_EQ(graph->data().records(), IssueFolder::Issues);
    const QImage image = graph->grab().toImage();
    EXPECT_FALSE(image.isNull());

    // The graph of a filtered list counts only its rows.
    const int delta = rowOf(QStringLiteral("BUG:PrgName"), QStringLiteral("Delta"));
    ASSERT_GE(delta, 0);
    xplore->prepareCell(cell(delta, QStringLiteral("BUG:PrgName")));
    xplore->takeEvent(XploreEvent::FilterEqual);
    xplore->prepareCell(cell(0, QStringLiteral("BUG:Priority")));
    std::unique_ptr<QWidget> filtered(xplore->graph());
    auto *second = qobject_cast<GraphWindow *>(filtered.get());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->data().records(), IssueFolder::DeltaIssues);
}

// The exports of the issues of one program, filtered and sorted in the list.
TEST_F(DataFolderList, ExportsOfTheFilteredViewMatchTheGoldenFiles)
{
    const int delta = rowOf(QStringLiteral("BUG:PrgName"), QStringLiteral("Delta"));
    ASSERT_GE(delta, 0);
    xplore->prepareCell(cell(delta, QStringLiteral("BUG:PrgName")));
    xplore->takeEvent(XploreEvent::FilterEqual);
    xplore->headerClicked(model().columnOf(QStringLiteral("BUG:ID")));
    const QString csv = dir.file(QStringLiteral("out.csv"));
    const QString html = dir.file(QStringLiteral("out.html"));
    xplore->setAsciiFileName(csv);
    xplore->setHtmlFileName(html);
    QStringList opened;
    xplore->setFileOpener([&](const QString &p) {
        opened << p;
        return true;
    });
    xplore->takeEvent(XploreEvent::ExportAscii);
    xplore->takeEvent(XploreEvent::ExportHtml);
    EXPECT_EQ(opened, (QStringList{csv, html}));
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    const QString text = readFile(csv);
    const QString page = readFile(html);
    EXPECT_EQ(text, golden(QStringLiteral("delta.csv"), text));
    EXPECT_EQ(page, golden(QStringLiteral("delta.html"), page));
}

TEST_F(DataFolderList, PrintPreviewDrawsEveryPageOfTheView)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        ListPrinter all(*xplore, XploreClass::PrintMode::View);
        auto printed = all.render(writer);
        ASSERT_TRUE(printed.ok()) << printed.error().message.toStdString();
        EXPECT_EQ(printed.value(), IssueFolder::Issues);
    }
    EXPECT_GT(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1)
        << "a few hundred rows fill several pages";

    // The preview window, as the popup opens it, shows the pages.
    int pages = 0;
    QImage shot;
    QTimer::singleShot(0, [&]() {
        QPrintPreviewDialog *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QPrintPreviewDialog *>(w); d && d->isVisible())
                dialog = d;
        if (!dialog)
            return;
        if (auto *preview = dialog->findChild<QPrintPreviewWidget *>()) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        shot = dialog->grab().toImage();
        dialog->reject();
    });
    xplore->takeEvent(XploreEvent::PrintAll);
    EXPECT_GT(pages, 1);
    EXPECT_FALSE(shot.isNull());
}

} // namespace
