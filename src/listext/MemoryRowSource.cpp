#include "listext/MemoryRowSource.h"

#include <algorithm>

namespace tarvo::listext {

namespace {

// Where a row stands: its index among the rows set, and its place among those shown when it was read.
struct MemoryPlace {
    int row;
    int visible;
};

int compareValues(const QVariant &a, const QVariant &b, bool caseInsensitive)
{
    const bool numbers = a.canConvert<double>() && b.canConvert<double>() &&
                         a.typeId() != QMetaType::QString && b.typeId() != QMetaType::QString;
    if (numbers) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return QString::compare(a.toString(), b.toString(),
                            caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

} // namespace

MemoryRowSource::MemoryRowSource(QStringList fields, std::vector<QVariantList> rows)
    : m_fields(std::move(fields)), m_rows(std::move(rows))
{
    rebuild();
}

void MemoryRowSource::setRows(std::vector<QVariantList> rows)
{
    m_rows = std::move(rows);
    rebuild();
}

void MemoryRowSource::setPredicate(std::function<bool(const QVariantList &)> predicate)
{
    m_predicate = std::move(predicate);
    rebuild();
}

void MemoryRowSource::rebuild()
{
    m_visible.clear();
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        if (!m_predicate || m_predicate(m_rows[i]))
            m_visible.push_back(i);
    std::vector<std::pair<int, SortKey>> keys;
    for (const SortKey &k : m_order)
        if (const int column = fieldIndex(k.field); column >= 0)
            keys.emplace_back(column, k);
    std::stable_sort(m_visible.begin(), m_visible.end(), [&](int l, int r) {
        for (const auto &[column, key] : keys) {
            const int c =
                compareValues(m_rows[l].value(column), m_rows[r].value(column), key.caseInsensitive);
            if (c != 0)
                return key.descending ? c > 0 : c < 0;
        }
        return false;
    });
}

Result<int> MemoryRowSource::indexOf(const SourceRow &anchor) const
{
    const auto *place = std::any_cast<MemoryPlace>(&anchor.anchor);
    if (!place)
        return makeError(1, QStringLiteral("The row does not belong to this list."));
    // The row's place now, as a keyset would find it; where it was when it is no longer shown.
    if (place->visible >= 0 && place->visible < int(m_visible.size()) &&
        m_visible[size_t(place->visible)] == place->row)
        return place->visible;
    const auto it = std::find(m_visible.begin(), m_visible.end(), place->row);
    return it != m_visible.end() ? int(it - m_visible.begin()) : place->visible;
}

std::vector<SourceRow> MemoryRowSource::page(int from, int n) const
{
    std::vector<SourceRow> rows;
    for (int i = std::max(from, 0); i < int(m_visible.size()) && int(rows.size()) < n; ++i)
        rows.push_back(SourceRow{m_rows[size_t(m_visible[size_t(i)])], MemoryPlace{m_visible[size_t(i)], i}});
    return rows;
}

Result<std::vector<SourceRow>> MemoryRowSource::rowsAfter(const SourceRow *anchor, int n)
{
    ++m_pagesRead;
    int start = 0;
    if (anchor) {
        auto i = indexOf(*anchor);
        if (!i)
            return i.error();
        start = i.value() + 1;
    }
    return page(start, n);
}

Result<std::vector<SourceRow>> MemoryRowSource::rowsBefore(const SourceRow *anchor, int n)
{
    ++m_pagesRead;
    int end = int(m_visible.size());
    if (anchor) {
        auto i = indexOf(*anchor);
        if (!i)
            return i.error();
        end = i.value();
    }
    const int start = std::max(0, end - n);
    return page(start, end - start);
}

qint64 MemoryRowSource::rowKey(const SourceRow &row) const
{
    const auto *place = std::any_cast<MemoryPlace>(&row.anchor);
    return place ? place->row : -1;
}

Result<std::vector<SourceRow>> MemoryRowSource::rowsAt(qint64 key, int n)
{
    ++m_pagesRead;
    const auto it = std::find(m_visible.begin(), m_visible.end(), int(key));
    if (it == m_visible.end())
        return makeError(RowGone, QStringLiteral("The row is no longer in the list."));
    return page(int(it - m_visible.begin()), n);
}

Result<std::vector<SourceRow>> MemoryRowSource::locate(const QVariantList &leading, int n)
{
    ++m_pagesRead;
    std::vector<SortKey> keys = m_order;
    if (keys.empty() && !m_fields.isEmpty())
        keys.push_back(SortKey{m_fields.first(), false, false});
    for (int i = 0; i < int(m_visible.size()); ++i) {
        const QVariantList &row = m_rows[size_t(m_visible[size_t(i)])];
        int c = 0;
        for (int k = 0; k < leading.size() && k < int(keys.size()) && c == 0; ++k) {
            const QVariant value = row.value(fieldIndex(keys[size_t(k)].field));
            QVariant wanted = leading.at(k);
            // A number typed into a locator comes as text.
            if (bool number = false; value.typeId() != QMetaType::QString &&
                                     wanted.typeId() == QMetaType::QString &&
                                     (wanted.toString().toDouble(&number), number))
                wanted = wanted.toString().toDouble();
            c = compareValues(value, wanted, keys[size_t(k)].caseInsensitive);
            if (keys[size_t(k)].descending)
                c = -c;
        }
        if (c >= 0)
            return page(i, n);
    }
    return std::vector<SourceRow>{};
}

Result<qint64> MemoryRowSource::position(const SourceRow &row)
{
    auto i = indexOf(row);
    if (!i)
        return i.error();
    return qint64(i.value());
}

Result<std::optional<SourceRow>> MemoryRowSource::skip(const SourceRow *anchor, qint64 distance, bool forward)
{
    qint64 from = forward ? -1 : qint64(m_visible.size());
    if (anchor) {
        auto i = indexOf(*anchor);
        if (!i)
            return i.error();
        from = i.value();
    }
    const qint64 to = forward ? from + distance : from - distance;
    if (to < 0 || to >= qint64(m_visible.size()))
        return std::optional<SourceRow>();
    const int row = m_visible[size_t(to)];
    return std::optional<SourceRow>(SourceRow{m_rows[size_t(row)], MemoryPlace{row, int(to)}});
}

Result<qint64> MemoryRowSource::count()
{
    return static_cast<qint64>(m_visible.size());
}

Result<void> MemoryRowSource::setOrder(const std::vector<SortKey> &keys)
{
    m_order = keys;
    rebuild();
    return {};
}

Result<void> MemoryRowSource::setFilter(const QString &expression)
{
    m_filter = expression;
    return {};
}

} // namespace tarvo::listext
