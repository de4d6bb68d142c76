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
    : m_db(db), m_sql(RawBrowseSql::Dialect::Sqlite, selectList, keyColumns, order, s)
{
    m_first = std::make_unique<RawStatement>(db.handle(), m_sql.first);
    m_after = std::make_unique<RawStatement>(db.handle(), m_sql.after);
    m_before = std::make_unique<RawStatement>(db.handle(), m_sql.before);
    m_last = std::make_unique<RawStatement>(db.handle(), m_sql.last);
    m_count = std::make_unique<RawStatement>(db.handle(), m_sql.count);
}

RawStatement &RawPager::statementOf(Statement statement) const
{
    switch (statement) {
    case First:
        return *m_first;
    case Next:
        return *m_after;
    case Previous:
        return *m_before;
    case Last:
        return *m_last;
    case Count:
        break;
    }
    return *m_count;
}

std::string RawPager::plan(Statement statement)
{
    return m_db.queryPlan(sql(statement));
}

int RawPager::bindBase(RawStatement &st)
{
    st.reset();
    for (size_t i = 0; i < m_sql.isText.size(); ++i) {
        if (m_sql.isText[i])
            st.bind(int(i) + 1, m_sql.texts[i]);
        else
            st.bind(int(i) + 1, std::int64_t(m_sql.numbers[i]));
    }
    return int(m_sql.isText.size()) + 1;
}

std::vector<qint64> RawPager::read(RawStatement &st, bool backwards)
{
    const std::vector<std::int64_t> read = st.readIds(backwards);
    std::vector<qint64> ids(read.begin(), read.end());
    if (!ids.empty())
        m_position = backwards ? ids.front() : ids.back();
    return ids;
}

std::vector<qint64> RawPager::firstPage()
{
    bindBase(*m_first);
    return read(*m_first, false);
}

std::vector<qint64> RawPager::nextPage()
{
    m_after->bind(bindBase(*m_after), std::int64_t(m_position));
    return read(*m_after, false);
}

std::vector<qint64> RawPager::previousPage()
{
    m_before->bind(bindBase(*m_before), std::int64_t(m_position));
    return read(*m_before, true);
}

std::vector<qint64> RawPager::lastPage()
{
    bindBase(*m_last);
    return read(*m_last, true);
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
    : m_sql(RawBrowseSql::Dialect::Postgres, selectList, keyColumns, order, s)
{
    const int base = int(m_sql.isText.size());
    m_first = std::make_unique<PgStatement>(db, m_sql.first, base);
    m_after = std::make_unique<PgStatement>(db, m_sql.after, base + 1);
    m_before = std::make_unique<PgStatement>(db, m_sql.before, base + 1);
    m_last = std::make_unique<PgStatement>(db, m_sql.last, base);
    m_count = std::make_unique<PgStatement>(db, m_sql.count, base);
}

PgStatement &PgPager::statementOf(Statement statement) const
{
    switch (statement) {
    case First:
        return *m_first;
    case Next:
        return *m_after;
    case Previous:
        return *m_before;
    case Last:
        return *m_last;
    case Count:
        break;
    }
    return *m_count;
}

int PgPager::bindBase(PgStatement &st)
{
    for (size_t i = 0; i < m_sql.isText.size(); ++i) {
        if (m_sql.isText[i])
            st.bind(int(i) + 1, m_sql.texts[i]);
        else
            st.bind(int(i) + 1, std::int64_t(m_sql.numbers[i]));
    }
    return int(m_sql.isText.size()) + 1;
}

std::vector<qint64> PgPager::read(PgStatement &st, bool backwards)
{
    const std::vector<std::int64_t> read = st.readIds(backwards);
    std::vector<qint64> ids(read.begin(), read.end());
    if (!ids.empty())
        m_position = backwards ? ids.front() : ids.back();
    return ids;
}

std::vector<qint64> PgPager::firstPage()
{
    bindBase(*m_first);
    return read(*m_first, false);
}

std::vector<qint64> PgPager::nextPage()
{
    m_after->bind(bindBase(*m_after), std::int64_t(m_position));
    return read(*m_after, false);
}

std::vector<qint64> PgPager::previousPage()
{
    m_before->bind(bindBase(*m_before), std::int64_t(m_position));
    return read(*m_before, true);
}

std::vector<qint64> PgPager::lastPage()
{
    bindBase(*m_last);
    return read(*m_last, true);
}

qint64 PgPager::count()
{
    bindBase(*m_count);
    return m_count->number();
}

} // namespace tarvo::bench
