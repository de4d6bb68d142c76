#include "listext/ui/ListPrinter.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/Picture.h"

#include <QDateTime>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTableView>

namespace tarvo::listext::ui {

namespace {

// The rows the list shows, for "Print Page": those in the view, or those the model holds when the
// view shows none.
std::pair<int, int> pageRows(const XploreClass &list)
{
    const BrowseListModel &model = *list.model();
    const QTableView *view = list.list();
    const int top = view ? view->rowAt(0) : -1;
    if (top < 0)
        return {model.firstHeld(), model.firstHeld() + model.heldCount()};
    const int bottom = view->rowAt(view->viewport()->height() - 1);
    return {top, bottom < 0 ? model.rowCount() : bottom + 1};
}

class LoadedRows final : public TableRowReader {
  public:
    LoadedRows(BrowseListModel &model, std::vector<TableColumn> columns, std::pair<int, int> rows)
        : m_model(model), m_columns(std::move(columns)), m_row(rows.first), m_end(rows.second)
    {
    }
    QStringList headers() const override
    {
        QStringList h;
        for (const auto &c : m_columns)
            h << c.header;
        return h;
    }
    Result<bool> next(QStringList &cells) override
    {
        if (m_row >= m_end)
            return false;
        cells.clear();
        m_values.clear();
        for (const auto &c : m_columns) {
            cells << m_model.cellText(m_row, c.field);
            m_values << m_model.rawValue(m_row, c.field);
        }
        ++m_row;
        return true;
    }
    QVariant value(int column) const override { return m_values.value(column); }

  private:
    BrowseListModel &m_model;
    std::vector<TableColumn> m_columns;
    QVariantList m_values;
    int m_row = 0;
    int m_end = 0;
};

} // namespace

ListPrinter::ListPrinter(XploreClass &list, XploreClass::PrintMode mode) : m_list(list), m_mode(mode)
{
    BrowseListModel &model = *list.model();
    for (const ColumnState &c : list.columnStates()) {
        const ColumnDefinition *d = model.definition(c.field);
        Column col{TableColumn{c.field, model.headerText(c.field).trimmed(), c.picture},
                   c.dataJustification,
                   d && d->total,
                   0,
                   0,
                   false};
        col.characters = static_cast<int>(col.column.header.size());
        const auto [first, end] = pageRows(list);
        for (int r = first; r < end; ++r)
            col.characters = std::max(col.characters, static_cast<int>(model.cellText(r, c.field).size()));
        m_columns.push_back(col);
    }
}

int ListPrinter::fontSizeFor(int totalCharacters, int columns, int pageWidthPoints)
{
    for (int size : {14, 12, 10, 8, 6}) {
        // A character takes about 0.6 of the size in width.
        const double spare = (pageWidthPoints - totalCharacters * size * 0.6) / std::max(columns, 1);
        if (spare > 0)
            return size;
    }
    return 4;
}

Result<qint64> ListPrinter::render(QPagedPaintDevice &device)
{
    std::vector<TableColumn> columns;
    int characters = 0;
    for (auto &c : m_columns) {
        columns.push_back(c.column);
        characters += c.characters + 1;
        c.sum = 0;
        c.hasSum = false;
    }
    std::unique_ptr<TableRowReader> rows;
    if (m_mode == XploreClass::PrintMode::View)
        rows = tableRows(m_list.model()->source(), columns);
    else
        rows = std::make_unique<LoadedRows>(*m_list.model(), columns, pageRows(m_list));

    QPainter p;
    if (!p.begin(&device))
        return makeError(1, QStringLiteral("The printer could not be started."));
    const QRect page(0, 0, p.viewport().width(), p.viewport().height());
    const double pointsWide = page.width() * 72.0 / device.logicalDpiX();
    const int size =
        fontSizeFor(characters, static_cast<int>(m_columns.size()), static_cast<int>(pointsWide));
    QFont font = m_list.list()->font();
    font.setPointSize(size);
    QFont title = font;
    title.setBold(true);
    title.setPointSize(std::max(size, 10) + 2);
    const int line = QFontMetrics(font, &device).height() + 2;
    const double unit = characters > 0 ? static_cast<double>(page.width()) / characters : 0;
    const QString caption = m_list.caption();
    const QDateTime now = QDateTime::currentDateTime();
    qint64 count = 0;
    int y = 0;
    // Half a character of space on either side of a cell, so that a right-aligned number and the
    // left-aligned text beside it do not run together.
    const int pad = static_cast<int>(unit / 2);
    auto cellBox = [&](int x, int w) { return QRect(x + pad, y, std::max(w - 2 * pad, 1), line); };

    auto header = [&]() {
        p.setFont(title);
        const int th = QFontMetrics(title, &device).height();
        p.fillRect(0, 0, page.width(), th * 2, QColor(230, 230, 230));
        p.drawText(QRect(4, 0, page.width() / 2, th), Qt::AlignLeft | Qt::AlignVCenter, caption);
        p.setFont(font);
        p.drawText(QRect(4, th, page.width() / 2, th), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Date: ") + QLocale().toString(now.date(), QLocale::ShortFormat));
        p.drawText(QRect(page.width() / 2, th, page.width() / 2, th), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Time: ") + QLocale().toString(now.time(), QLocale::LongFormat));
        y = th * 2 + line / 2;
        int x = 0;
        for (const auto &c : m_columns) {
            const int w = static_cast<int>((c.characters + 1) * unit);
            p.drawText(cellBox(x, w), BrowseListModel::alignmentOf(c.justification), c.column.header);
            x += w;
        }
        y += line;
        p.drawLine(0, y, page.width(), y);
    };
    auto footer = [&]() {
        p.setFont(font);
        p.drawText(QRect(0, page.height() - line, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::number(count) + QStringLiteral(" Records"));
    };
    auto printCells = [&](const QStringList &cells) {
        if (y + line > page.height() - 2 * line) {
            footer();
            device.newPage();
            header();
        }
        int x = 0;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const int w = static_cast<int>((m_columns[i].characters + 1) * unit);
            p.drawText(cellBox(x, w), BrowseListModel::alignmentOf(m_columns[i].justification),
                       cells.value(static_cast<int>(i)));
            x += w;
        }
        y += line;
    };

    header();
    QStringList cells;
    for (;;) {
        auto more = rows->next(cells);
        if (!more) {
            p.end();
            return more.error();
        }
        if (!*more)
            break;
        ++count;
        for (size_t i = 0; i < m_columns.size(); ++i)
            if (m_columns[i].total) {
                m_columns[i].sum += rows->value(static_cast<int>(i)).toDouble();
                m_columns[i].hasSum = true;
            }
        printCells(cells);
    }
    if (m_mode == XploreClass::PrintMode::View &&
        std::any_of(m_columns.begin(), m_columns.end(), [](const Column &c) { return c.total; })) {
        QStringList totals;
        for (const auto &c : m_columns)
            totals << (c.total ? Picture::format(c.sum, c.column.picture).trimmed() : QString());
        p.drawLine(0, y, page.width(), y);
        printCells(totals);
    }
    footer();
    p.end();
    return count;
}

void ListPrinter::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, m_list.list());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter *target) {
        if (auto r = render(*target); !r)
            Messages::show(r.error().message, QStringLiteral("Xplore"));
    });
    dialog.exec();
}

} // namespace tarvo::listext::ui
