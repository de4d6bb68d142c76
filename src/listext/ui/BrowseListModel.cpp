#include "listext/ui/BrowseListModel.h"

#include "listext/ui/ColourValue.h"

#include <QFont>

#include <algorithm>
#include <limits>
#include <optional>

namespace tarvo::listext::ui {

Qt::Alignment BrowseListModel::alignmentOf(QChar justification)
{
    switch (justification.toUpper().unicode()) {
    case 'R':
    case 'D':
        return Qt::AlignRight | Qt::AlignVCenter;
    case 'C':
        return Qt::AlignCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

BrowseListModel::BrowseListModel(RowSource &source, ColumnDefinitions columns, QObject *parent)
    : QAbstractTableModel(parent), m_source(source), m_definitions(std::move(columns))
{
    QStringList shown;
    for (const auto &d : m_definitions)
        if (d.shown && d.locatorType != QLatin1Char('X'))
            shown << d.field;
    setShownColumns(shown);
}

const ColumnDefinition *BrowseListModel::definition(const QString &field) const
{
    for (const auto &d : m_definitions)
        if (d.field.compare(field, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

void BrowseListModel::setShownColumns(const QStringList &fields)
{
    beginResetModel();
    m_shown.clear();
    m_sourceColumns.clear();
    m_shownDefinitions.clear();
    for (const QString &f : fields)
        if (const ColumnDefinition *d = definition(f); d && !m_shown.contains(d->field)) {
            m_shown << d->field;
            m_sourceColumns.push_back(m_source.fieldIndex(d->field));
            m_shownDefinitions.push_back(d);
        }
    endResetModel();
}

const ColumnDefinition &BrowseListModel::shownDefinition(int column) const
{
    return *m_shownDefinitions[size_t(column)];
}

int BrowseListModel::columnOf(const QString &field) const
{
    for (int i = 0; i < m_shown.size(); ++i)
        if (m_shown.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

BrowseListModel::Decoration &BrowseListModel::decoration(const QString &field)
{
    return m_decorations[field.toUpper()];
}

void BrowseListModel::setHeaderText(const QString &field, const QString &text)
{
    decoration(field).header = text;
    if (const int c = columnOf(field); c >= 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
}

QString BrowseListModel::headerText(const QString &field) const
{
    const auto it = m_decorations.find(field.toUpper());
    if (it != m_decorations.end() && !it->second.header.isEmpty())
        return it->second.header;
    const ColumnDefinition *d = definition(field);
    return d ? d->header : QString();
}

void BrowseListModel::setColumnColors(const QString &field, int text, int background, int selectedText,
                                      int selectedBackground)
{
    decoration(field).colors = {text, background, selectedText, selectedBackground};
    if (const int c = columnOf(field); c >= 0 && rowCount() > 0)
        Q_EMIT dataChanged(index(0, c), index(rowCount() - 1, c), {Qt::ForegroundRole, Qt::BackgroundRole});
}

std::array<int, 4> BrowseListModel::columnColors(const QString &field) const
{
    const auto it = m_decorations.find(field.toUpper());
    return it == m_decorations.end() ? std::array<int, 4>{-1, -1, -1, -1} : it->second.colors;
}

void BrowseListModel::setPageSize(int rows)
{
    m_pageSize = std::max(rows, 1);
}

void BrowseListModel::setWindowPages(int pages)
{
    // Two pages at least, so that the page being read never pushes out the row asked for.
    m_windowPages = std::max(pages, 2);
}

bool BrowseListModel::failed(const Error &error) const
{
    m_lastError = error;
    return false;
}

Result<int> BrowseListModel::resetTo(const std::function<Result<std::vector<SourceRow>>()> &read)
{
    int firstRead = -1;
    beginResetModel();
    m_rows.clear();
    m_first = 0;
    m_count = 0;
    m_lastError = {};
    m_source.dropKept();
    Result<void> result;
    if (auto n = m_source.count(); !n) {
        result = n.error();
    } else if (m_count = std::min<qint64>(n.value(), std::numeric_limits<int>::max()); m_count > 0) {
        auto rows = read();
        if (!rows) {
            result = rows.error();
            m_count = 0;
        } else if (!rows->empty()) {
            int first = 0;
            if (auto p = m_source.position(rows->front()); p) {
                first = int(p.value());
            } else {
                result = p.error();
            }
            if (result) {
                firstRead = std::max(first, 0);
                setHeld(std::move(rows.value()), firstRead);
            }
        }
    }
    if (!result) {
        m_lastError = result.error();
        m_count = 0;
        m_rows.clear();
    }
    endResetModel();
    if (!result)
        return result.error();
    return firstRead;
}

Result<void> BrowseListModel::reload()
{
    if (auto r = resetTo([this]() { return m_source.rowsAfter(nullptr, m_pageSize); }); !r)
        return r.error();
    return {};
}

Result<int> BrowseListModel::reloadAt(qint64 key, const SourceRow *fallback, int fallbackRow)
{
    std::optional<SourceRow> place;
    if (fallback)
        place = *fallback;
    bool gone = false;
    auto r = resetTo([&]() -> Result<std::vector<SourceRow>> {
        auto rows = m_source.rowsAt(key, m_pageSize);
        if (rows || rows.error().code != RowGone)
            return rows;
        gone = true;
        if (place)
            if (auto after = m_source.rowsAfter(&*place, m_pageSize); after)
                return after;
        return std::vector<SourceRow>{};
    });
    if (!r)
        return r.error();
    if (m_count == 0)
        return -1;
    if (r.value() < 0) {
        // Nothing after the place: the row that took it by position, or the last one.
        const int row = std::clamp(gone ? fallbackRow : int(m_count) - 1, 0, int(m_count) - 1);
        if (!hold(row) && m_lastError.code != 0)
            return m_lastError;
        return row;
    }
    return r.value();
}

Result<int> BrowseListModel::refresh(int row)
{
    const SourceRow *current = sourceRow(row);
    if (!current) {
        if (auto r = reload(); !r)
            return r.error();
        return m_count > 0 ? 0 : -1;
    }
    const SourceRow kept = *current;
    return reloadAt(m_source.rowKey(kept), &kept, row);
}

Result<int> BrowseListModel::locate(const QVariantList &leading)
{
    m_lastError = {};
    auto rows = m_source.locate(leading, m_pageSize);
    if (!rows)
        return rows.error();
    if (m_count == 0)
        return -1;
    if (rows->empty()) {
        const int last = int(m_count) - 1;
        if (!hold(last) && m_lastError.code != 0)
            return m_lastError;
        return last;
    }
    auto p = m_source.position(rows->front());
    if (!p)
        return p.error();
    // The rows of the list did not change, only which of them are held.
    setHeld(std::move(rows.value()), int(std::min<qint64>(p.value(), m_count - 1)));
    return m_first;
}

Result<void> BrowseListModel::setOrder(const std::vector<SortKey> &keys)
{
    if (auto r = m_source.setOrder(keys); !r)
        return r;
    return reload();
}

Result<void> BrowseListModel::setFilter(const QString &expression)
{
    if (auto r = m_source.setFilter(expression); !r)
        return r;
    return reload();
}

void BrowseListModel::setHeld(std::vector<SourceRow> rows, int first) const
{
    m_rows.clear();
    for (auto &r : rows)
        m_rows.push_back(std::move(r));
    m_first = first;
}

bool BrowseListModel::hold(int row) const
{
    if (row < 0 || row >= rowCount())
        return false;
    const int end = m_first + int(m_rows.size());
    if (row >= m_first && row < end)
        return true;
    const int window = m_pageSize * m_windowPages;
    if (!m_rows.empty() && row >= end && row < end + window / 2)
        return holdForward(row);
    if (!m_rows.empty() && row < m_first && row >= m_first - window / 2)
        return holdBackward(row);
    return jumpTo(row);
}

bool BrowseListModel::holdForward(int row) const
{
    const size_t window = size_t(m_pageSize) * size_t(m_windowPages);
    while (row >= m_first + int(m_rows.size())) {
        auto page = m_source.rowsAfter(&m_rows.back(), m_pageSize);
        if (!page)
            return failed(page.error());
        if (page->empty())
            return false; // the list is shorter than it was counted
        for (auto &r : page.value())
            m_rows.push_back(std::move(r));
        while (m_rows.size() > window && m_first < row) {
            m_rows.pop_front();
            ++m_first;
        }
    }
    return true;
}

bool BrowseListModel::holdBackward(int row) const
{
    const size_t window = size_t(m_pageSize) * size_t(m_windowPages);
    while (row < m_first) {
        auto page = m_source.rowsBefore(&m_rows.front(), m_pageSize);
        if (!page)
            return failed(page.error());
        if (page->empty())
            return false;
        for (auto it = page->rbegin(); it != page->rend(); ++it)
            m_rows.push_front(std::move(*it));
        m_first -= int(page->size());
        while (m_rows.size() > window && m_first + int(m_rows.size()) - 1 > row)
            m_rows.pop_back();
    }
    if (m_first < 0) {
        // Rows were added above since the list was counted: the positions are off until the
        // next reload; keep them inside the list.
        for (; m_first < 0 && !m_rows.empty(); ++m_first)
            m_rows.pop_front();
    }
    return row >= m_first;
}

bool BrowseListModel::jumpTo(int row) const
{
    const int count = rowCount();
    if (row >= count - m_pageSize) {
        // The last page is read from the end, so that the last row is the true last row.
        auto page = m_source.rowsBefore(nullptr, m_pageSize);
        if (!page)
            return failed(page.error());
        const int first = count - int(page->size());
        setHeld(std::move(page.value()), first);
        return row >= m_first;
    }
    if (row < m_pageSize) {
        auto page = m_source.rowsAfter(nullptr, m_pageSize);
        if (!page)
            return failed(page.error());
        setHeld(std::move(page.value()), 0);
        return row < m_first + int(m_rows.size());
    }
    // The row before the one asked for is reached from the nearest known place: the start, the
    // end or either end of the rows held, skipping the rows between without keeping them.
    const qint64 target = row - 1;
    struct Start {
        const SourceRow *anchor;
        qint64 index;
        bool forward;
    };
    std::vector<Start> starts{{nullptr, -1, true}, {nullptr, count, false}};
    if (!m_rows.empty()) {
        const qint64 last = m_first + qint64(m_rows.size()) - 1;
        if (target > last)
            starts.push_back({&m_rows.back(), last, true});
        if (target < m_first)
            starts.push_back({&m_rows.front(), m_first, false});
    }
    const Start best = *std::min_element(starts.begin(), starts.end(), [&](const Start &a, const Start &b) {
        return std::abs(target - a.index) < std::abs(target - b.index);
    });
    auto place = m_source.skip(best.anchor, std::abs(target - best.index), best.forward);
    if (!place)
        return failed(place.error());
    if (!place.value())
        return false;
    auto page = m_source.rowsAfter(&*place.value(), m_pageSize);
    if (!page)
        return failed(page.error());
    setHeld(std::move(page.value()), row);
    return !m_rows.empty();
}

const SourceRow *BrowseListModel::sourceRow(int row) const
{
    if (!hold(row))
        return nullptr;
    return &m_rows[size_t(row - m_first)];
}

qint64 BrowseListModel::rowKey(int row) const
{
    const SourceRow *r = sourceRow(row);
    return r ? m_source.rowKey(*r) : -1;
}

QVariant BrowseListModel::fieldValue(const SourceRow &row, const QString &field) const
{
    const int i = m_source.fieldIndex(field);
    return i >= 0 ? row.values.value(i) : QVariant();
}

void BrowseListModel::redecorate()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QVariant BrowseListModel::rawValue(int row, const QString &field) const
{
    const SourceRow *r = sourceRow(row);
    if (!r)
        return {};
    const int i = m_source.fieldIndex(field);
    if (i >= 0)
        return r->values.value(i);
    if (!m_decorator)
        return {};
    const RowLook look = m_decorator(*r);
    const auto it = look.values.find(field);
    return it == look.values.end() ? QVariant() : it->second;
}

QString BrowseListModel::cellText(int row, const QString &field) const
{
    return textOf(definition(field), rawValue(row, field));
}

// The cells a view paints reach their values by column, without looking the field up by name.
QVariant BrowseListModel::shownValue(int row, int column) const
{
    const SourceRow *r = sourceRow(row);
    const int i = m_sourceColumns[size_t(column)];
    if (r && i < 0 && m_decorator) {
        const RowLook look = m_decorator(*r);
        const auto it = look.values.find(m_shown.at(column));
        return it == look.values.end() ? QVariant() : it->second;
    }
    return r && i >= 0 ? r->values.value(i) : QVariant();
}

QString BrowseListModel::textOf(const ColumnDefinition *d, const QVariant &value) const
{
    if (!d || d->kind() == ColumnKind::Text)
        return value.toString().trimmed();
    return m_formatter(value, d->picture).trimmed();
}

int BrowseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_count);
}

int BrowseListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown.size();
}

QVariant BrowseListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const QString &field = m_shown.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        // An icon column of a decorated list shows its picture alone.
        if (m_decorator && m_shownDefinitions[size_t(index.column())]->icon)
            return role == Qt::DisplayRole ? QVariant(QString()) : shownValue(index.row(), index.column());
        return textOf(m_shownDefinitions[size_t(index.column())], shownValue(index.row(), index.column()));
    case RawValueRole:
        return shownValue(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(shownDefinition(index.column()).justification));
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const size_t part = role == Qt::ForegroundRole ? 0 : 1;
        if (const QColor c = colourOf(columnColors(field)[part]); c.isValid())
            return c;
        if (const SourceRow *r = m_decorator ? sourceRow(index.row()) : nullptr)
            if (const QColor c = colourOf(m_decorator(*r).colors[part]); c.isValid())
                return c;
        return {};
    }
    case Qt::FontRole:
        if (const SourceRow *r = m_decorator ? sourceRow(index.row()) : nullptr; r && m_decorator(*r).bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::DecorationRole:
        if (const SourceRow *r = m_decorator ? sourceRow(index.row()) : nullptr) {
            const RowLook look = m_decorator(*r);
            if (const auto it = look.icons.find(field); it != look.icons.end())
                return it->second;
        }
        return {};
    default:
        return {};
    }
}

QVariant BrowseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return headerText(m_shown.at(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignmentOf(shownDefinition(section).justification));
    return {};
}

} // namespace tarvo::listext::ui
