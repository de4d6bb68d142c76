#include "listext/ui/XploreClass.h"

#include "listext/ListExport.h"
#include "listext/ui/ColumnColorsWindow.h"
#include "listext/ui/FontStyle.h"
#include "listext/ui/GraphWindow.h"
#include "listext/ui/ListPrinter.h"
#include "listext/ui/ListPropertiesWindow.h"
#include "listext/ui/PopupOnRelease.h"
#include "listext/ui/ProgressPacer.h"
#include "platform/runtime/Messages.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTableView>
#include <QUrl>

namespace tarvo::listext::ui {

namespace {

const QString XploreTitle = QStringLiteral("Xplore");

QAction *addItem(QMenu *menu, const QString &text, const QString &name, XploreClass *x, int event)
{
    QAction *a = menu->addAction(text);
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, x, [x, event]() { x->takeEvent(event); });
    return a;
}

} // namespace

int XploreClass::rowHeightFor(const QFont &font)
{
    return QFontMetrics(font).height() + 6;
}

XploreClass::XploreClass(QTableView *list, RowSource &source, ColumnDefinitions columns, quint32 featureMask,
                         QObject *parent)
    : QObject(parent), m_list(list), m_mask(featureMask)
{
    for (const auto &d : columns)
        if (d.locatorType != QLatin1Char('X'))
            m_filter.addField(d.filterName(), d.kind());
    m_model = new BrowseListModel(source, std::move(columns), this);
    m_list->setModel(m_model);
    // A list row is one line: long texts end with an ellipsis instead of wrapping out of the row.
    m_list->setWordWrap(false);
    // A click chooses a record, not a cell; rows are as high as the font needs; the columns fill
    // the width.
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(rowHeightFor(m_list->font()));
    m_list->horizontalHeader()->setStretchLastSection(true);
    QHeaderView *header = m_list->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (const int w = m_model->shownDefinition(c).width; w > 0)
            header->resizeSection(c, w);
    connect(header, &QHeaderView::sectionClicked, this, &XploreClass::headerClicked);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint &pos) {
        const int c = header->logicalIndexAt(pos);
        if (c >= 0)
            showSortPopup(c, header->mapToGlobal(pos));
    });
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    new PopupOnRelease(m_list->viewport());
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (!m_popup)
            return;
        prepareCell(m_list->indexAt(pos));
        m_popup->popup(m_list->viewport()->mapToGlobal(pos));
    });
    m_designFormat = ListFormat::build(columnStates());
    m_designAppearance = appearance();
    // After the design is taken: a stored layout is kept only while the design it was stored
    // under stays the same, which a width measured in the user's font would not.
    fitCaptions();
    m_openFile = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
}

XploreClass::~XploreClass() = default;

void XploreClass::setLayoutStore(IniFile ini, const QString &section, const QString &listName)
{
    m_ini = std::make_unique<IniFile>(ini);
    m_store = std::make_unique<ListLayoutStore>(std::move(ini), section, listName);
}

QString XploreClass::caption() const
{
    return m_list ? m_list->window()->windowTitle() : QString();
}

QString XploreClass::currentField() const
{
    return m_currentColumn >= 0 && m_currentColumn < m_model->columnCount()
               ? m_model->shownColumns().at(m_currentColumn)
               : QString();
}

void XploreClass::showError(const Error &error) const
{
    Messages::show(error.message, XploreTitle);
}

// ---- popup and events ----

void XploreClass::buildPopup()
{
    if (!m_popup)
        m_popup = new QMenu(m_list);
    QMenu *filterMenu = m_popup->addMenu(QStringLiteral("&Filter"));
    if (m_mask & FeatureProperties)
        addItem(m_popup, QStringLiteral("Properties"), QStringLiteral("PRP"), this, XploreEvent::Properties);
    if (m_mask & FeatureOutput) {
        QMenu *output = m_popup->addMenu(QStringLiteral("&Output..."));
        addItem(output, QStringLiteral("Graph on"), QStringLiteral("GBR"), this, XploreEvent::Graph);
        addItem(output, QStringLiteral("Print All"), QStringLiteral("PVW"), this, XploreEvent::PrintAll);
        addItem(output, QStringLiteral("Print Page"), QStringLiteral("PPG"), this, XploreEvent::PrintPage);
        addItem(output, QStringLiteral("Export to ASCII (") + m_asciiFileName.trimmed() + QLatin1Char(')'),
                QStringLiteral("ASC"), this, XploreEvent::ExportAscii);
        addItem(output, QStringLiteral("Export to HTML (") + m_htmlFileName.trimmed() + QLatin1Char(')'),
                QStringLiteral("HTM"), this, XploreEvent::ExportHtml);
    }
    const int events[] = {XploreEvent::FilterEqual, XploreEvent::FilterLess, XploreEvent::FilterGreater,
                          XploreEvent::FilterNotEqual};
    for (int i = 0; i < 4; ++i)
        addItem(filterMenu, QStringLiteral("Filter:"), QStringLiteral("ADDF%1").arg(i + 1), this, events[i]);
    filterMenu->addSeparator()->setObjectName(QStringLiteral("S12"));
    addItem(filterMenu, QStringLiteral("Void all filters"), QStringLiteral("VOID"), this,
            XploreEvent::VoidFilters);
    prepareCell({});
}

QAction *XploreClass::popupItem(const QString &name) const
{
    return m_popup ? m_popup->findChild<QAction *>(name) : nullptr;
}

void XploreClass::prepareCell(const QModelIndex &index)
{
    if (index.isValid()) {
        m_currentColumn = index.column();
        m_currentRow = index.row();
    } else if (m_currentColumn < 0 || m_currentColumn >= m_model->columnCount()) {
        m_currentColumn = m_model->columnCount() > 0 ? 0 : -1;
        m_currentRow = -1;
    }
    if (m_currentColumn < 0)
        return;
    const ColumnDefinition &d = m_model->shownDefinition(m_currentColumn);
    const bool rows = m_model->rowCount() > 0 && m_currentRow >= 0;
    QString value = rows ? m_model->cellText(m_currentRow, d.field) : QString();
    if (value.size() > 50)
        value = value.left(50) + QStringLiteral("...");
    const QString ops[] = {QStringLiteral(" = "), QStringLiteral(" < "), QStringLiteral(" > "),
                           QStringLiteral(" <> ")};
    for (int i = 0; i < 4; ++i)
        if (QAction *a = popupItem(QStringLiteral("ADDF%1").arg(i + 1))) {
            a->setText(d.description.trimmed() + ops[i] + value);
            a->setEnabled(rows && d.viewField);
        }
    if (QAction *g = popupItem(QStringLiteral("GBR"))) {
        g->setText(QStringLiteral("Graph on ") + d.description.trimmed());
        g->setEnabled(m_graphEnabled && d.graph);
    }
}

bool XploreClass::takeEvent(int event)
{
    switch (event) {
    case XploreEvent::HeaderPress:
    case XploreEvent::HeaderRelease:
    case XploreEvent::PressEnded:
    case XploreEvent::RightButtonUp:
    case XploreEvent::DragMove:
        return true; // the header view presses, drags and clicks by itself
    case XploreEvent::RightButtonDown:
        prepareCell(m_list ? m_list->currentIndex() : QModelIndex());
        return true;
    case XploreEvent::ResetWindow:
        if (auto r = m_model->reload(); !r)
            showError(r.error());
        return true;
    case XploreEvent::MoveColumnLeft:
    case XploreEvent::MoveColumnRight: {
        QHeaderView *h = m_list->horizontalHeader();
        const int from = h->visualIndex(std::max(m_currentColumn, 0));
        const int to = from + (event == XploreEvent::MoveColumnLeft ? -1 : 1);
        if (to < 0 || to >= h->count())
            Messages::beep();
        else
            moveColumn(from, to);
        return true;
    }
    case XploreEvent::Properties:
        properties();
        return true;
    case XploreEvent::PrintPage:
        print(PrintMode::Page);
        return true;
    case XploreEvent::PrintAll:
        print(PrintMode::View);
        return true;
    case XploreEvent::Graph:
        graph();
        return true;
    case XploreEvent::ExportAscii:
        exportAscii();
        return true;
    case XploreEvent::ExportHtml:
        exportHtml();
        return true;
    case XploreEvent::FilterEqual:
        filterFromCell(XploreFilter::Operator::Equal);
        return true;
    case XploreEvent::FilterLess:
        filterFromCell(XploreFilter::Operator::Less);
        return true;
    case XploreEvent::FilterGreater:
        filterFromCell(XploreFilter::Operator::Greater);
        return true;
    case XploreEvent::FilterNotEqual:
        filterFromCell(XploreFilter::Operator::NotEqual);
        return true;
    case XploreEvent::VoidFilters:
        m_filter.clearAll();
        (void)applyFilter();
        return true;
    default:
        return false;
    }
}

// ---- filters ----

void XploreClass::filterFromCell(XploreFilter::Operator op)
{
    const QString field = currentField();
    const ColumnDefinition *d = m_model->definition(field);
    if (!d || !d->viewField || m_currentRow < 0 || m_currentRow >= m_model->rowCount())
        return;
    QString value = m_model->rawValue(m_currentRow, field).toString();
    while (!value.isEmpty() && value.back().isSpace())
        value.chop(1);
    m_filter.setValueFilter(d->filterName(), op, value, m_upper);
    (void)applyFilter();
}

Result<void> XploreClass::applyFilter()
{
    auto expression = m_filter.buildFilter();
    if (!expression) {
        showError(expression.error());
        return expression.error();
    }
    if (auto r = m_model->setFilter(expression.value()); !r) {
        showError(r.error());
        return r;
    }
    Q_EMIT filterApplied(expression.value());
    return {};
}

// ---- sorting ----

void XploreClass::headerClicked(int column)
{
    if (column < 0 || column >= m_model->columnCount())
        return;
    const ColumnDefinition &d = m_model->shownDefinition(column);
    m_currentColumn = column;
    if (!d.sortable) {
        if (m_reorderMessage)
            Messages::show(QStringLiteral("Data cannot be ordered on column: ") + d.header.trimmed() +
                               QLatin1Char('(') + d.field.trimmed() + QLatin1Char(')'),
                           QStringLiteral("Xplore Template - Re-Order Option"));
        return;
    }
    m_sort.toggle(d.field);
    refreshHeaders();
    (void)applySort();
}

void XploreClass::removeSort(const QString &field)
{
    m_sort.remove(field);
    refreshHeaders();
    (void)applySort();
}

void XploreClass::removeAllSorts()
{
    m_sort.clear();
    refreshHeaders();
    (void)applySort();
}

Result<void> XploreClass::applySort()
{
    Q_EMIT sortChanged();
    if (m_ownSortOrders)
        return {};
    if (auto r = m_model->setOrder(m_sort.keys(m_model->definitions(), m_upper)); !r) {
        showError(r.error());
        return r;
    }
    return {};
}

void XploreClass::showSortPopup(int column, const QPoint &globalPos)
{
    const QString field = m_model->shownColumns().at(column);
    const QString header = columnHeader(field).trimmed();
    QMenu menu(m_list);
    QAction *current = menu.addAction(header.isEmpty() ? QStringLiteral("Remove current sort order")
                                                       : QStringLiteral("Remove current sort order (") +
                                                             header + QLatin1Char(')'));
    QAction *all = menu.addAction(QStringLiteral("Remove all sort orders"));
    current->setEnabled(m_sort.isSorted(field));
    all->setEnabled(!m_sort.isEmpty());
    QAction *chosen = menu.exec(globalPos);
    if (chosen == current)
        removeSort(field);
    else if (chosen == all)
        removeAllSorts();
}

void XploreClass::refreshHeaders()
{
    for (const auto &d : m_model->definitions())
        m_model->setHeaderText(d.field, m_sort.decoratedHeader(d.field, columnHeader(d.field)));
}

void XploreClass::fitCaptions()
{
    QHeaderView *h = m_list->horizontalHeader();
    for (int c = 0; c < h->count(); ++c) {
        if (m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().trimmed().isEmpty())
            continue;
        if (const int needed = h->sectionSizeHint(c); h->sectionSize(c) < needed)
            h->resizeSection(c, needed);
    }
}

void XploreClass::setColumnHeader(const QString &field, const QString &header)
{
    const ColumnDefinition *d = m_model->definition(field);
    if (!d)
        return;
    if (header == d->header)
        m_headers.erase(field.toUpper());
    else
        m_headers[field.toUpper()] = header;
    refreshHeaders();
}

QString XploreClass::columnHeader(const QString &field) const
{
    const auto it = m_headers.find(field.toUpper());
    if (it != m_headers.end())
        return it->second;
    const ColumnDefinition *d = m_model->definition(field);
    return d ? d->header : QString();
}

void XploreClass::restoreSort()
{
    if (!m_store)
        return;
    m_sort.restore(m_store->restoreSort(), m_model->definitions());
    refreshHeaders();
    if (!m_sort.isEmpty())
        (void)applySort();
}

// ---- layout ----

ColumnStates XploreClass::columnStates() const
{
    ColumnStates out;
    QHeaderView *h = m_list->horizontalHeader();
    for (int visual = 0; visual < h->count(); ++visual) {
        const int logical = h->logicalIndex(visual);
        if (logical < 0 || logical >= m_model->columnCount() || h->isSectionHidden(logical))
            continue;
        const ColumnDefinition &d = m_model->shownDefinition(logical);
        ColumnState c;
        c.field = d.field;
        c.header = columnHeader(d.field);
        c.picture = d.picture;
        c.width = h->sectionSize(logical);
        c.dataJustification = c.headerJustification = d.justification;
        c.colors = d.colors;
        c.style = d.style;
        c.icon = d.icon;
        const auto colors = m_model->columnColors(d.field);
        c.textColor = colors[0];
        c.backgroundColor = colors[1];
        c.selectedTextColor = colors[2];
        c.selectedBackgroundColor = colors[3];
        out.push_back(c);
    }
    return out;
}

void XploreClass::applyColumnStates(const ColumnStates &columns)
{
    QStringList fields;
    for (const auto &c : columns)
        if (m_model->definition(c.field))
            fields << c.field;
    if (fields.isEmpty())
        return;
    m_model->setShownColumns(fields);
    QHeaderView *h = m_list->horizontalHeader();
    for (int i = 0; i < h->count(); ++i)
        h->moveSection(h->visualIndex(i), i);
    for (const auto &c : columns) {
        const int col = m_model->columnOf(c.field);
        if (col < 0)
            continue;
        if (c.width > 0)
            h->resizeSection(col, c.width);
        if (const ColumnDefinition *d = m_model->definition(c.field); d && c.header != d->header)
            m_headers[c.field.toUpper()] = c.header;
        else
            m_headers.erase(c.field.toUpper());
        m_model->setColumnColors(c.field, c.textColor, c.backgroundColor, c.selectedTextColor,
                                 c.selectedBackgroundColor);
    }
    refreshHeaders();
}

ListAppearance XploreClass::appearance() const
{
    ListAppearance a;
    const QFont f = m_list->font();
    a.horizontalScroll = m_list->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    a.lineHeight = m_list->verticalHeader()->defaultSectionSize();
    a.fontName = f.family();
    a.fontSize = f.pointSize();
    const QColor text = m_list->palette().color(QPalette::Text);
    a.fontColor = text.red() | (text.green() << 8) | (text.blue() << 16);
    a.fontStyle = fontStyleOf(f);
    return a;
}

void XploreClass::applyAppearance(const ListAppearance &a)
{
    QFont f = m_list->font();
    if (!a.fontName.isEmpty())
        f.setFamily(a.fontName);
    if (a.fontSize > 0)
        f.setPointSize(a.fontSize);
    applyFontStyle(f, a.fontStyle);
    m_list->setFont(f);
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Text,
                     QColor(a.fontColor & 0xFF, (a.fontColor >> 8) & 0xFF, (a.fontColor >> 16) & 0xFF));
    m_list->setPalette(palette);
    m_list->verticalHeader()->setDefaultSectionSize(std::max(a.lineHeight, rowHeightFor(f)));
    m_list->setHorizontalScrollBarPolicy(a.horizontalScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void XploreClass::restoreLayout()
{
    if (!m_store)
        return;
    const RestoredLayout restored = m_store->restoreLayout(m_designFormat, m_designAppearance);
    if (restored.dropped)
        return;
    const QString format = restored.formats.value(0);
    if (format != QStringLiteral("0"))
        if (auto columns = ListFormat::parse(format); columns.ok())
            applyColumnStates(columns.value());
    applyAppearance(restored.appearance);
}

Result<void> XploreClass::saveLayout()
{
    if (!m_store)
        return {};
    if (auto r = m_store->saveLayout({ListFormat::build(columnStates())}, m_designFormat, appearance()); !r)
        return r;
    return m_store->saveSort(m_sort.columns(), m_sort.multiColumn());
}

void XploreClass::resetLayout()
{
    m_headers.clear();
    if (auto design = ListFormat::parse(m_designFormat); design.ok())
        applyColumnStates(design.value());
    applyAppearance(m_designAppearance);
    fitCaptions();
}

void XploreClass::moveColumn(int visualFrom, int visualTo)
{
    m_list->horizontalHeader()->moveSection(visualFrom, visualTo);
}

// ---- outputs ----

qint64 XploreClass::recordCount()
{
    auto n = m_model->source().count();
    return n ? n.value() : 0;
}

std::vector<TableColumn> XploreClass::exportColumns() const
{
    std::vector<TableColumn> columns;
    for (const ColumnState &c : columnStates())
        columns.push_back(TableColumn{c.field, m_model->headerText(c.field), c.picture});
    return columns;
}

void XploreClass::exportAscii()
{
    exportTo(false);
}

void XploreClass::exportHtml()
{
    exportTo(true);
}

void XploreClass::exportTo(bool html)
{
    const QString path = (html ? m_htmlFileName : m_asciiFileName).trimmed();
    if (path.isEmpty())
        return;
    const qint64 total = std::max<qint64>(recordCount(), 1);
    QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, 100, m_list);
    // Modal, so that nothing but Cancel changes the list while its rows are written.
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    ProgressPacer pacer(total);
    auto rows = tableRows(m_model->source(), exportColumns());
    auto step = [&](qint64 n) {
        if (pacer.due()) {
            const int percent = pacer.percent(n);
            progress.setValue(percent);
            progress.setLabelText(QString::number(percent) + QLatin1Char('%'));
            QCoreApplication::processEvents();
        }
        return !progress.wasCanceled();
    };
    auto written = html ? ListExport::exportHtmlFile(path, caption(), *rows, step)
                        : ListExport::exportTextFile(path, *rows, step);
    progress.reset();
    if (!written && written.error().code != ListExport::ErrorCancelled)
        showError(written.error());
    if (!QFileInfo::exists(path))
        return;
    if (!m_openFile(path))
        Messages::show(
            QStringLiteral("Shell launching error:|you may need to specify a file type for your desktop|and "
                           "then specify a type for ") +
                path,
            XploreTitle);
}

QWidget *XploreClass::graph()
{
    if (m_currentColumn < 0)
        prepareCell({});
    const QString field = currentField();
    if (field.isEmpty())
        return nullptr;
    return GraphWindow::run(*this, field);
}

void XploreClass::print(PrintMode mode)
{
    ListPrinter printer(*this, mode);
    printer.preview();
}

void XploreClass::properties()
{
    ListPropertiesWindow window(*this);
    window.exec();
    refreshHeaders();
}

void XploreClass::columnColors()
{
    const QString field = currentField();
    if (field.isEmpty())
        return;
    ColumnColorsWindow window(*this, field);
    window.exec();
}

} // namespace tarvo::listext::ui
