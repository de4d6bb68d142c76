#include "listext/XploreSort.h"

#include <algorithm>

namespace tarvo::listext {

int XploreSort::indexOf(const QString &field) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

void XploreSort::toggle(const QString &field)
{
    const int i = indexOf(field);
    if (i >= 0) {
        m_columns[i].descending = !m_columns[i].descending;
        return;
    }
    const SortColumn added{field, m_nextDescending};
    m_nextDescending = false;
    if (!m_multi)
        m_columns = {added};
    else if (m_reverse)
        m_columns.insert(m_columns.begin(), added);
    else
        m_columns.push_back(added);
}

void XploreSort::remove(const QString &field)
{
    const int i = indexOf(field);
    if (i >= 0)
        m_columns.erase(m_columns.begin() + i);
}

void XploreSort::clear()
{
    m_columns.clear();
}

void XploreSort::restore(const std::vector<SortColumn> &saved, const ColumnDefinitions &columns)
{
    m_columns.clear();
    for (const SortColumn &s : saved) {
        const bool known = std::any_of(columns.begin(), columns.end(), [&](const ColumnDefinition &c) {
            return c.sortable && c.field.compare(s.field, Qt::CaseInsensitive) == 0;
        });
        if (known && indexOf(s.field) < 0)
            m_columns.push_back(s);
        if (!m_multi && !m_columns.empty())
            break;
    }
}

QString XploreSort::token(const QString &field) const
{
    const int i = indexOf(field);
    if (i < 0)
        return {};
    const QString arrow = m_columns[i].descending ? QStringLiteral("<") : QStringLiteral(">");
    if (!m_multi)
        return arrow;
    return QLatin1Char('(') + QString::number(i + 1) + QStringLiteral(") ") + arrow;
}

QString XploreSort::decoratedHeader(const QString &field, const QString &header) const
{
    return token(field) + header;
}

std::vector<SortKey> XploreSort::keys(const ColumnDefinitions &columns, bool upper) const
{
    std::vector<SortKey> out;
    for (const SortColumn &s : m_columns) {
        ColumnKind kind = ColumnKind::Text;
        for (const ColumnDefinition &c : columns)
            if (c.field.compare(s.field, Qt::CaseInsensitive) == 0)
                kind = c.kind();
        out.push_back(SortKey{s.field, s.descending, upper && kind == ColumnKind::Text});
    }
    return out;
}

QString XploreSort::orderText(const std::vector<SortKey> &keys)
{
    QStringList parts;
    for (const SortKey &k : keys) {
        const QString name =
            k.caseInsensitive ? QStringLiteral("UPPER(") + k.field + QLatin1Char(')') : k.field;
        parts << (k.descending ? QStringLiteral("-") : QString()) + name;
    }
    return parts.join(QLatin1Char(','));
}

} // namespace tarvo::listext
