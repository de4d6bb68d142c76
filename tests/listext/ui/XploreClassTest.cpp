#include "listext/ui/XploreClass.h"

#include "listext/MemoryRowSource.h"
#include "listext/ui/BrowseListModel.h"
#include "listext/ui/ColumnColorsWindow.h"
#include "listext/ui/GraphOptionsWindow.h"
#include "listext/ui/GraphWindow.h"
#include "listext/ui/ListPrinter.h"
#include "listext/ui/ListPropertiesWindow.h"
#include "listext/ui/ModelCheck.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPdfWriter>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvo::listext;
using namespace tarvo::listext::ui;

namespace {

ColumnDefinitions issueColumns()
{
    ColumnDefinition id;
    id.field = QStringLiteral("BUG:ID");
    id.header = id.description = QStringLiteral("ID");
    id.picture = QStringLiteral("@n_7");
    id.width = 40;
    id.justification = QLatin1Char('R');
    id.sortable = id.graph = id.total = true;
    ColumnDefinition status;
    status.field = QStringLiteral("BUG:Status");
    status.header = status.description = QStringLiteral("Status");
    status.picture = QStringLiteral("@s20");
    status.width = 80;
    status.sortable = status.graph = true;
    ColumnDefinition desc;
    desc.field = QStringLiteral("BUG:Description");
    desc.header = desc.description = QStringLiteral("Description");
    desc.picture = QStringLiteral("@s250");
    desc.width = 200;
    ColumnDefinition hidden;
    hidden.field = QStringLiteral("BUG:Note");
    hidden.header = hidden.description = QStringLiteral("Note");
    hidden.picture = QStringLiteral("@s20");
    hidden.shown = false;
    return {id, status, desc, hidden};
}

std::vector<QVariantList> issueRows(int n)
{
    std::vector<QVariantList> rows;
    const QStringList statuses{QStringLiteral("open"), QStringLiteral("closed"), QStringLiteral("<>odd*")};
    for (int i = 1; i <= n; ++i)
        rows.push_back({i, statuses.at(i % 3), QStringLiteral("Issue %1").arg(i), QString()});
    return rows;
}

class XploreClassTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        dir.useAsConfigHome();
        source.setRows(issueRows(250));
        view.resize(600, 300);
        view.setWindowTitle(QStringLiteral("Issues"));
        xplore = std::make_unique<XploreClass>(&view, source, issueColumns(), 0x2E1FFEF7);
        xplore->setLayoutStore(ini, QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1"));
        xplore->model()->setPageSize(50);
        xplore->buildPopup();
        check = std::make_unique<tarvo::listext::test::ModelCheck>(xplore->model());
        ASSERT_TRUE(xplore->model()->reload().ok());
    }

    tarvo::test::TempDir dir;
    tarvo::test::ScriptedMessages messages;
    tarvo::IniFile ini{dir.file(QStringLiteral("User.ini"))};
    MemoryRowSource source{{QStringLiteral("BUG:ID"), QStringLiteral("BUG:Status"),
                            QStringLiteral("BUG:Description"), QStringLiteral("BUG:Note")}};
    QTableView view;
    std::unique_ptr<XploreClass> xplore;
    std::unique_ptr<tarvo::listext::test::ModelCheck> check;
};

TEST_F(XploreClassTest, PagesRowsAsTheListScrolls)
{
    BrowseListModel *model = xplore->model();
    const int pagesBefore = source.pagesRead();
    ASSERT_TRUE(model->reload().ok());
    EXPECT_EQ(model->rowCount(), 250);
    EXPECT_EQ(model->heldCount(), 50);
    EXPECT_EQ(model->columnCount(), 3); // the hidden column is not shown
    EXPECT_EQ(source.pagesRead() - pagesBefore, 1);
    // Reading on holds the pages next to the ones held, a page at a time.
    EXPECT_EQ(model->data(model->index(120, 2)).toString(), QStringLiteral("Issue 121"));
    EXPECT_EQ(source.pagesRead() - pagesBefore, 3);
    EXPECT_EQ(model->data(model->index(0, 2)).toString(), QStringLiteral("Issue 1"));
}

TEST_F(XploreClassTest, HeaderClicksSortNumbersAsNumbersAndCarryTokens)
{
    BrowseListModel *model = xplore->model();
    xplore->headerClicked(0);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral(">ID"));
    xplore->headerClicked(0);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("<ID"));
    EXPECT_EQ(model->rawValue(0, QStringLiteral("BUG:ID")).toInt(), 250);
    EXPECT_EQ(model->rawValue(1, QStringLiteral("BUG:ID")).toInt(), 249);

    xplore->headerClicked(2); // not sortable: nothing, and no message without the flag
    EXPECT_TRUE(messages.texts().isEmpty());
    xplore->setReorderMessage(true);
    xplore->headerClicked(2);
    EXPECT_EQ(messages.texts().value(0),
              QStringLiteral("Data cannot be ordered on column: Description(BUG:Description)"));
}

TEST_F(XploreClassTest, CellFiltersCompareTheValueLiterally)
{
    BrowseListModel *model = xplore->model();
    const int row = 1; // status "<>odd*" (2 % 3)
    ASSERT_EQ(model->rawValue(row, QStringLiteral("BUG:Status")).toString(), QStringLiteral("<>odd*"));
    xplore->prepareCell(model->index(row, 1));
    EXPECT_EQ(xplore->popupItem(QStringLiteral("ADDF1"))->text(), QStringLiteral("Status = <>odd*"));
    EXPECT_TRUE(xplore->popupItem(QStringLiteral("ADDF1"))->isEnabled());
    QString applied;
    QObject::connect(xplore.get(), &XploreClass::filterApplied, [&](const QString &e) { applied = e; });
    xplore->takeEvent(XploreEvent::FilterEqual);
    EXPECT_EQ(source.filter(), QStringLiteral("(UPPER(BUG:STATUS) = '<>ODD*')"));
    EXPECT_EQ(applied, source.filter());

    xplore->prepareCell(model->index(0, 0));
    xplore->takeEvent(XploreEvent::FilterGreater);
    EXPECT_EQ(source.filter(), QStringLiteral("(BUG:ID > 1) AND (UPPER(BUG:STATUS) = '<>ODD*')"));
    xplore->takeEvent(XploreEvent::VoidFilters);
    EXPECT_EQ(source.filter(), QString());
}

// The popup waits for the right button's release, so that a drag with it can start first; a
// popup asked for from the keyboard shows at once.
TEST_F(XploreClassTest, PopupShowsOnTheRightButtonsRelease)
{
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QWidget *viewport = view.viewport();
    const QPoint cell = view.visualRect(xplore->model()->index(2, 1)).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, cell);
    // The desktop asks for the popup as the button goes down.
    QContextMenuEvent onPress(QContextMenuEvent::Mouse, cell, viewport->mapToGlobal(cell));
    QCoreApplication::sendEvent(viewport, &onPress);
    QCoreApplication::processEvents();
    EXPECT_FALSE(xplore->popup()->isVisible());
    QTest::mouseRelease(viewport, Qt::RightButton, {}, cell);
    QCoreApplication::processEvents();
    EXPECT_TRUE(xplore->popup()->isVisible());
    EXPECT_EQ(xplore->popupItem(QStringLiteral("ADDF1"))->text(), QStringLiteral("Status = open"));
    xplore->popup()->hide();

    QContextMenuEvent key(QContextMenuEvent::Keyboard, cell, viewport->mapToGlobal(cell));
    QCoreApplication::sendEvent(viewport, &key);
    EXPECT_TRUE(xplore->popup()->isVisible());
    xplore->popup()->hide();
}

TEST_F(XploreClassTest, LayoutAndSortComeBackByFieldName)
{
    QHeaderView *h = view.horizontalHeader();
    h->moveSection(2, 0); // Description first
    h->resizeSection(0, 123);
    xplore->headerClicked(1); // sort by Status
    xplore->setColumnHeader(QStringLiteral("BUG:ID"), QStringLiteral("Number"));
    ASSERT_TRUE(xplore->saveLayout().ok());

    QTableView again;
    MemoryRowSource other(source.fields(), issueRows(5));
    XploreClass restored(&again, other, issueColumns(), 0x2E1FFEF7);
    restored.setLayoutStore(ini, QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1"));
    restored.restoreLayout();
    restored.restoreSort();
    const ColumnStates states = restored.columnStates();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].field, QStringLiteral("BUG:Description"));
    EXPECT_EQ(states[1].field, QStringLiteral("BUG:ID"));
    EXPECT_EQ(states[1].width, 123);
    EXPECT_EQ(states[1].header, QStringLiteral("Number"));
    EXPECT_EQ(restored.model()->headerText(QStringLiteral("BUG:Status")), QStringLiteral(">Status"));
    EXPECT_EQ(restored.sort().columns().front().field, QStringLiteral("BUG:Status"));
}

// A column declared narrower than its caption opens wide enough to show it; the design keeps the
// declared width, so that layouts stored under it still apply, and a width the user stored wins.
TEST_F(XploreClassTest, ColumnsOpenAtLeastAsWideAsTheirCaptions)
{
    ColumnDefinitions columns = issueColumns();
    columns[1].header = QStringLiteral("A rather long caption");
    columns[1].width = 30;
    QTableView fresh;
    MemoryRowSource rows(source.fields(), issueRows(5));
    XploreClass list(&fresh, rows, columns, 0x2E1FFEF7);
    list.setLayoutStore(ini, QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1"));
    QHeaderView *h = fresh.horizontalHeader();
    const int caption = h->fontMetrics().horizontalAdvance(columns[1].header);
    EXPECT_GE(h->sectionSize(1), caption);
    EXPECT_EQ(h->sectionSize(0), 40) << "wide enough already";
    ASSERT_TRUE(ListFormat::parse(list.designFormat()).ok());
    EXPECT_EQ(ListFormat::parse(list.designFormat()).value().at(1).width, 30);

    h->resizeSection(1, 36);
    ASSERT_TRUE(list.saveLayout().ok());
    QTableView again;
    XploreClass restored(&again, rows, columns, 0x2E1FFEF7);
    restored.setLayoutStore(ini, QStringLiteral("BrowseBugs"), QStringLiteral("?Browse:1"));
    restored.restoreLayout();
    EXPECT_EQ(again.horizontalHeader()->sectionSize(1), 36);
    restored.resetLayout();
    EXPECT_GE(again.horizontalHeader()->sectionSize(1), caption);
}

TEST_F(XploreClassTest, ExportsEveryRowOfTheViewWithTheSortToken)
{
    xplore->headerClicked(0);
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
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines.at(0), QStringLiteral(">ID;Status;Description"));
    EXPECT_EQ(lines.at(2), QStringLiteral("2;\"<>odd*\";Issue 2")
                               .replace(QStringLiteral("\"<>odd*\""), QStringLiteral("<>odd*")));
    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(QStringLiteral("<TD>&lt;&gt;odd*</TD>")));
}

TEST_F(XploreClassTest, GraphCountsTheWholeView)
{
    xplore->prepareCell(xplore->model()->index(0, 1));
    EXPECT_EQ(xplore->popupItem(QStringLiteral("GBR"))->text(), QStringLiteral("Graph on Status"));
    QWidget *window = xplore->graph();
    ASSERT_NE(window, nullptr);
    auto *graph = qobject_cast<GraphWindow *>(window);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->data().records(), 250);
    ASSERT_EQ(graph->data().categories().size(), 3u);
    EXPECT_EQ(graph->heading(), QStringLiteral("250 Categories of Field: Status"));
    graph->grab(); // draws the chart
    graph->close();

    xplore->prepareCell(xplore->model()->index(0, 2)); // a column not marked for graphs
    EXPECT_FALSE(xplore->popupItem(QStringLiteral("GBR"))->isEnabled());
}

TEST_F(XploreClassTest, PrintsAllRecordsOrTheLoadedPage)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    ListPrinter all(*xplore, XploreClass::PrintMode::View);
    auto printed = all.render(writer);
    ASSERT_TRUE(printed.ok());
    EXPECT_EQ(printed.value(), 250);

    QBuffer second;
    second.open(QIODevice::WriteOnly);
    QPdfWriter pageWriter(&second);
    // The page is the rows the list shows.
    view.show();
    const int shown = view.rowAt(view.viewport()->height() - 1) - view.rowAt(0) + 1;
    ASSERT_GT(shown, 1);
    ListPrinter shownPage(*xplore, XploreClass::PrintMode::Page);
    EXPECT_EQ(shownPage.render(pageWriter).value(), shown);
    EXPECT_LT(shown, xplore->model()->rowCount());
    EXPECT_EQ(ListPrinter::fontSizeFor(10, 2, 500), 14);
    EXPECT_EQ(ListPrinter::fontSizeFor(1000, 20, 500), 4);
}

TEST_F(XploreClassTest, PropertiesAndColoursChangeTheListAtOnce)
{
    ListPropertiesWindow props(*xplore);
    props.visibleList()->setCurrentRow(2);
    props.removeSelected();
    EXPECT_EQ(xplore->model()->shownColumns(),
              (QStringList{QStringLiteral("BUG:ID"), QStringLiteral("BUG:Status")}));
    props.visibleList()->setCurrentRow(0);
    props.removeSelected();
    props.visibleList()->setCurrentRow(0);
    props.removeSelected(); // the last column stays
    EXPECT_EQ(xplore->model()->shownColumns(), QStringList{QStringLiteral("BUG:Status")});
    for (int i = 0; i < props.availableList()->count(); ++i)
        if (props.availableList()->item(i)->data(Qt::UserRole) == QStringLiteral("BUG:Note"))
            props.availableList()->setCurrentRow(i);
    props.addSelected();
    EXPECT_EQ(xplore->model()->shownColumns().last(), QStringLiteral("BUG:Note"));
    EXPECT_EQ(xplore->columnStates().back().width,
              std::max(10, view.horizontalHeader()->minimumSectionSize()));

    ColumnColorsWindow colours(*xplore, QStringLiteral("BUG:Status"));
    colours.dropList(0)->setCurrentText(QStringLiteral("White"));
    Q_EMIT colours.dropList(0)->textActivated(QStringLiteral("White"));
    Q_EMIT colours.dropList(2)->textActivated(QStringLiteral("Navy"));
    EXPECT_TRUE(ListFormat::build(xplore->columnStates()).contains(QStringLiteral("E(8388608,16777215,,)")));
    colours.reset();
    EXPECT_EQ(xplore->model()->columnColors(QStringLiteral("BUG:Status")),
              (std::array<int, 4>{-1, -1, -1, -1}));
}

TEST(XploreMask, NotesListHasNoOutputMenu)
{
    tarvo::test::ScriptedMessages messages;
    MemoryRowSource source({QStringLiteral("BUG:ID"), QStringLiteral("BUG:Status"),
                            QStringLiteral("BUG:Description"), QStringLiteral("BUG:Note")});
    QTableView view;
    XploreClass xplore(&view, source, issueColumns(), 0x0E1FFEF7);
    xplore.buildPopup();
    EXPECT_EQ(xplore.popupItem(QStringLiteral("GBR")), nullptr);
    EXPECT_NE(xplore.popupItem(QStringLiteral("PRP")), nullptr);
    EXPECT_FALSE(xplore.popupItem(QStringLiteral("ADDF1"))->isEnabled()); // an empty list
    EXPECT_EQ(xplore.popupItem(QStringLiteral("ADDF1"))->text(), QStringLiteral("ID = "));
}

} // namespace

namespace {

TEST_F(XploreClassTest, MovesColumnsOnePlaceAndTellsOwnersOfTheirOwnSort)
{
    xplore->setCurrentColumn(0);
    xplore->takeEvent(XploreEvent::MoveColumnLeft); // the first column cannot go further left
    EXPECT_EQ(messages.beeps().size(), 1u);
    xplore->takeEvent(XploreEvent::MoveColumnRight);
    EXPECT_EQ(xplore->columnStates().at(1).field, QStringLiteral("BUG:ID"));

    xplore->setOwnSortOrders(true);
    int changes = 0;
    QObject::connect(xplore.get(), &XploreClass::sortChanged, [&]() { ++changes; });
    ASSERT_TRUE(source.setOrder({}).ok());
    xplore->headerClicked(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(xplore->sort().columns().size(), 1u);
    EXPECT_EQ(xplore->model()->rawValue(0, QStringLiteral("BUG:ID")).toInt(),
              1); // the list's own order stays
    EXPECT_FALSE(xplore->takeEvent(1100));
}

TEST(GraphOptionsWindow, StoresTheColourOrderOnlyWithOk)
{
    tarvo::test::TempDir dir;
    tarvo::IniFile ini(dir.file(QStringLiteral("User.ini")));
    {
        GraphOptionsWindow window(ini);
        window.colourList()->setCurrentRow(15); // Black
        for (int i = 0; i < 15; ++i)
            window.moveUp();
        window.reject(); // closing without OK keeps the order as loaded, and stores size 8
    }
    EXPECT_EQ(GraphOptions::readForGraph(ini).colours.first(), QStringLiteral("Maroon"));
    EXPECT_EQ(GraphOptions::readForGraph(ini).fontSize, 8);
    {
        GraphOptionsWindow window(ini);
        window.colourList()->setCurrentRow(15);
        for (int i = 0; i < 15; ++i)
            window.moveUp();
        window.takeOrder();
        window.accept();
    }
    EXPECT_EQ(GraphOptions::readForGraph(ini).colours.first(), QStringLiteral("Black"));
}

} // namespace
