#include "listext/MemoryRowSource.h"

#include <algorithm>

namespace tarvo::listext {

namespace {

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

Result<std::vector<SourceRow>> MemoryRowSource::rowsAfter(const SourceRow *anchor, int n)
{
    ++m_pagesRead;
    size_t start = 0;
    if (anchor) {
        const int *index = std::any_cast<int>(&anchor->anchor);
        if (!index)
            return makeError(1, QStringLiteral("The row does not belong to this list."));
        start = static_cast<size_t>(*index) + 1;
    }
    std::vector<SourceRow> page;
    for (size_t i = start; i < m_visible.size() && static_cast<int>(page.size()) < n; ++i)
        page.push_back(SourceRow{m_rows[m_visible[i]], static_cast<int>(i)});
    return page;
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
