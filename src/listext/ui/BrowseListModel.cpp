#include "listext/ui/BrowseListModel.h"

#include "listext/ui/ColourValue.h"

#include <QScopedValueRollback>

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
    const QScopedValueRollback<bool> guard(m_fetching, true);
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
    if (const int c = columnOf(field); c >= 0 && !m_rows.empty())
        Q_EMIT dataChanged(index(0, c), index(rowCount() - 1, c), {Qt::ForegroundRole, Qt::BackgroundRole});
}

std::array<int, 4> BrowseListModel::columnColors(const QString &field) const
{
    const auto it = m_decorations.find(field.toUpper());
    return it == m_decorations.end() ? std::array<int, 4>{-1, -1, -1, -1} : it->second.colors;
}

Result<void> BrowseListModel::reload()
{
    // No page is read while the reset is being announced: views that ask for more rows then
    // get them once the reset is complete.
    const QScopedValueRollback<bool> guard(m_fetching, true);
    beginResetModel();
    m_rows.clear();
    m_atEnd = false;
    m_lastError = {};
    auto page = m_source.rowsAfter(nullptr, m_pageSize);
    if (page) {
        m_rows = std::move(page.value());
        m_atEnd = static_cast<int>(m_rows.size()) < m_pageSize;
    } else {
        m_lastError = page.error();
        m_atEnd = true;
    }
    endResetModel();
    if (!page)
        return page.error();
    return {};
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

const SourceRow *BrowseListModel::sourceRow(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? &m_rows[row] : nullptr;
}

QVariant BrowseListModel::rawValue(int row, const QString &field) const
{
    const SourceRow *r = sourceRow(row);
    const int i = m_source.fieldIndex(field);
    return r && i >= 0 ? r->values.value(i) : QVariant();
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
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
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
        return textOf(m_shownDefinitions[size_t(index.column())], shownValue(index.row(), index.column()));
    case RawValueRole:
        return shownValue(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(shownDefinition(index.column()).justification));
    case Qt::ForegroundRole:
        if (const QColor c = colourOf(columnColors(field)[0]); c.isValid())
            return c;
        return {};
    case Qt::BackgroundRole:
        if (const QColor c = colourOf(columnColors(field)[1]); c.isValid())
            return c;
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

bool BrowseListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void BrowseListModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || m_atEnd || m_fetching)
        return;
    // Views and testers may ask for more while rows are being inserted.
    const QScopedValueRollback<bool> guard(m_fetching, true);
    auto page = m_source.rowsAfter(m_rows.empty() ? nullptr : &m_rows.back(), m_pageSize);
    if (!page) {
        m_lastError = page.error();
        m_atEnd = true;
        return;
    }
    m_atEnd = static_cast<int>(page->size()) < m_pageSize;
    if (page->empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(page->size()) - 1);
    for (auto &r : page.value())
        m_rows.push_back(std::move(r));
    endInsertRows();
}

} // namespace tarvo::listext::ui
