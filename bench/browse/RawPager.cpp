#include "RawPager.h"

#include "common/RawDb.h"

#include <algorithm>

namespace tarvo::bench {

namespace {
std::string u8(const QString &s)
{
    return s.toStdString();
}
} // namespace

RawBrowseSql::RawBrowseSql(Dialect dialect, const QString &selectList,
                           const std::vector<std::pair<QString, bool>> &keyColumns, const BrowseOrder &order,
                           const BrowseSelection &s)
{
    const bool pg = dialect == Dialect::Postgres;
    int parameters = 0;
    auto parameter = [&] {
        std::string p = pg ? "$" : "?";
        if (pg)
            p.append(std::to_string(++parameters));
        return p;
    };
    auto column = [&](const char *name) {
        std::string c = pg ? "\"" : "";
        c.append(name);
        c.append(pg ? "\"" : "");
        return c;
    };
    std::vector<std::string> where;
    auto number = [&](const char *name, qint64 v) {
        where.push_back(column(name) + " = " + parameter());
        numbers.push_back(v);
        texts.emplace_back();
        isText.push_back(false);
    };
    auto text = [&](const char *name, const QString &v) {
        where.push_back(column(name) + " = " + parameter() + " COLLATE tarvo_cs");
        numbers.push_back(0);
        texts.push_back(u8(v));
        isText.push_back(true);
    };
    switch (order.range) {
    case BrowseOrder::Range::None:
        break;
    case BrowseOrder::Range::Category:
        number("Category", s.tab);
        break;
    case BrowseOrder::Range::Program:
        number("PrgID", s.program);
        break;
    case BrowseOrder::Range::Release:
        number("PrgID", s.program);
        text("Version", s.release);
        break;
    case BrowseOrder::Range::Programfile:
        number("PrgID", s.program);
        text("Programfile", s.file);
        break;
    }
    if (order.filter.contains(QLatin1String("Gray")))
        where.push_back(column("Gray") + " = 0");
    if (order.filter.contains(QLatin1String("Category")))
        number("Category", s.tab);
    // The program limit as the list of the programs it names, which the indexes on PrgID serve.
    std::string programs;
    for (const QString &id : s.programLimit.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        programs += (programs.empty() ? "" : ", ") + std::to_string(id.toLongLong());
    where.push_back(column("PrgID") + " IN (" + programs + ")");

    std::string forward, backward;
    for (const auto &[c, descending] : keyColumns) {
        forward += (forward.empty() ? "" : ", ") + u8(c) + (descending ? " DESC" : "");
        backward += (backward.empty() ? "" : ", ") + u8(c) + (descending ? "" : " DESC");
    }
    std::string base;
    for (const std::string &w : where)
        base += (base.empty() ? "" : " AND ") + w;
    const std::string head = "SELECT " + u8(selectList) + " FROM \"Bugs\" WHERE " + base;
    const std::string limit = " LIMIT " + std::to_string(Pager::kPageRows);
    // Every order ends in the issue number descending: later in the list means a lower number.
    const std::string position = parameter();
    first = head + " ORDER BY " + forward + limit;
    after = head + " AND " + column("ID") + " < " + position + " ORDER BY " + forward + limit;
    before = head + " AND " + column("ID") + " > " + position + " ORDER BY " + backward + limit;
    last = head + " ORDER BY " + backward + limit;
    count = "SELECT COUNT(*) FROM \"Bugs\" WHERE " + base;
}

RawPager::RawPager(RawDb &db, const QString &selectList,
                   const std::vector<std::pair<QString, bool>> &keyColumns, const BrowseOrder &order,
                   const BrowseSelection &s)
    : StatementPager(RawBrowseSql(RawBrowseSql::Dialect::Sqlite, selectList, keyColumns, order, s)), m_db(db)
{
    m_first = std::make_unique<RawStatement>(db.handle(), m_sql.first);
    m_after = std::make_unique<RawStatement>(db.handle(), m_sql.after);
    m_before = std::make_unique<RawStatement>(db.handle(), m_sql.before);
    m_last = std::make_unique<RawStatement>(db.handle(), m_sql.last);
    m_count = std::make_unique<RawStatement>(db.handle(), m_sql.count);
}

std::string RawPager::plan(Statement statement)
{
    return m_db.queryPlan(sql(statement));
}

qint64 RawPager::count()
{
    bindBase(*m_count);
    const qint64 n = m_count->step() ? m_count->integer(0) : 0;
    m_count->reset();
    return n;
}

PgPager::PgPager(PgDb &db, const QString &selectList, const std::vector<std::pair<QString, bool>> &keyColumns,
                 const BrowseOrder &order, const BrowseSelection &s)
    : StatementPager(RawBrowseSql(RawBrowseSql::Dialect::Postgres, selectList, keyColumns, order, s))
{
    const int base = int(m_sql.isText.size());
    m_first = std::make_unique<PgStatement>(db, m_sql.first, base);
    m_after = std::make_unique<PgStatement>(db, m_sql.after, base + 1);
    m_before = std::make_unique<PgStatement>(db, m_sql.before, base + 1);
    m_last = std::make_unique<PgStatement>(db, m_sql.last, base);
    m_count = std::make_unique<PgStatement>(db, m_sql.count, base);
}

qint64 PgPager::count()
{
    bindBase(*m_count);
    return m_count->number();
}

} // namespace tarvo::bench
