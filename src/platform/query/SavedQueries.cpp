#include "platform/query/SavedQueries.h"

#include "platform/data/expr/Expression.h"
#include "platform/runtime/IniFile.h"

#include <QDir>

namespace tarvo::query {

namespace {

QString descriptionKey(int n)
{
    return QStringLiteral("Description%1").arg(n);
}

QString filterKey(int n)
{
    return QStringLiteral("Filter%1").arg(n);
}

Result<void> checkFilter(const QString &filter, const data::expr::NameResolver &names)
{
    auto parsed = data::expr::Expression::parse(filter, names);
    if (!parsed)
        return makeError(parsed.error().code,
                         QStringLiteral("The query's filter cannot be used: ") + parsed.error().message);
    return {};
}

} // namespace

SavedQueries::SavedQueries(const QString &dataFolder, QString key)
    : m_path(QDir(dataFolder).filePath(QStringLiteral("Queries.ini"))), m_key(std::move(key))
{
}

std::vector<SavedQuery> SavedQueries::list() const
{
    const IniFile ini(m_path);
    std::vector<SavedQuery> queries;
    const int count = ini.intValue(m_key, QStringLiteral("Count"), 0);
    for (int n = 1; n <= count; ++n) {
        SavedQuery q{ini.value(m_key, descriptionKey(n)), ini.value(m_key, filterKey(n))};
        if (!q.description.isEmpty())
            queries.push_back(std::move(q));
    }
    return queries;
}

Result<void> SavedQueries::save(const SavedQuery &query, const data::expr::NameResolver &names)
{
    const QString description = query.description.trimmed();
    if (description.isEmpty())
        return makeError(1, QStringLiteral("A query needs a description"));
    if (auto checked = checkFilter(query.filter, names); !checked)
        return checked;
    std::vector<SavedQuery> queries = list();
    auto same = std::find_if(queries.begin(), queries.end(), [&](const SavedQuery &q) {
        return q.description.compare(description, Qt::CaseInsensitive) == 0;
    });
    if (same != queries.end())
        *same = {description, query.filter};
    else
        queries.push_back({description, query.filter});
    return store(queries);
}

Result<void> SavedQueries::remove(const QString &description)
{
    std::vector<SavedQuery> queries = list();
    std::erase_if(queries, [&](const SavedQuery &q) {
        return q.description.compare(description.trimmed(), Qt::CaseInsensitive) == 0;
    });
    return store(queries);
}

Result<SavedQuery> SavedQueries::choose(const QString &description,
                                        const data::expr::NameResolver &names) const
{
    for (const SavedQuery &q : list()) {
        if (q.description.compare(description.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        if (auto checked = checkFilter(q.filter, names); !checked)
            return checked.error();
        return q;
    }
    return makeError(35, QStringLiteral("There is no query \"%1\"").arg(description));
}

Result<void> SavedQueries::store(const std::vector<SavedQuery> &queries)
{
    // The entries first, the count after them and the stale entries last, so that a write that
    // stops half-way never leaves a counted entry without its values.
    IniFile ini(m_path);
    const int before = ini.intValue(m_key, QStringLiteral("Count"), 0);
    for (size_t i = 0; i < queries.size(); ++i) {
        const int n = int(i) + 1;
        if (auto r = ini.setValue(m_key, descriptionKey(n), queries[i].description); !r)
            return r;
        if (auto r = ini.setValue(m_key, filterKey(n), queries[i].filter); !r)
            return r;
    }
    if (auto r = ini.setIntValue(m_key, QStringLiteral("Count"), int(queries.size())); !r)
        return r;
    for (int n = int(queries.size()) + 1; n <= before; ++n) {
        if (auto r = ini.removeKey(m_key, descriptionKey(n)); !r)
            return r;
        if (auto r = ini.removeKey(m_key, filterKey(n)); !r)
            return r;
    }
    return {};
}

} // namespace tarvo::query
