#pragma once

#include "BrowseOrder.h"
#include "Pager.h"
#include "common/PgDb.h"
#include "common/RawStatement.h"

#include <memory>
#include <string>

namespace tarvo::bench {

class RawDb;

// The hand-written side of one browse order: its statements' SQL and query plans, for the report.
class RawSidePager : public Pager {
  public:
    enum Statement { First, Next, Previous, Last, Count };
    virtual std::string sql(Statement statement) const = 0;
    virtual std::string plan(Statement statement) = 0;
};

// The statements both raw sides run for one order: the range and filter as plain WHERE terms, the
// key's ORDER BY, LIMIT 100, and paging by the issue number alone (every other component of a browse
// order is fixed by its range or filter). SQLite gets `?`, PostgreSQL `$1`, `$2`, ... as
// parameters and quoted column names.
struct RawBrowseSql final {
    enum class Dialect { Sqlite, Postgres };
    RawBrowseSql(Dialect dialect, const QString &selectList,
                 const std::vector<std::pair<QString, bool>> &keyColumns, const BrowseOrder &order,
                 const BrowseSelection &selection);

    std::string first, after, before, last, count; // after and before take the issue number last
    // The values of the range and filter, from parameter 1 on.
    std::vector<std::string> texts;
    std::vector<std::int64_t> numbers;
    std::vector<bool> isText;
};

// Paging shared by both raw sides over their own kind of prepared statement: the range and
// filter values bound from parameter 1 on, the issue number after them, the page's last (or, read
// backwards, first) issue number kept as the place to page on from.
template <class St> class StatementPager : public RawSidePager {
  public:
    std::vector<qint64> firstPage() override
    {
        bindBase(*m_first);
        return read(*m_first, false);
    }
    std::vector<qint64> nextPage() override
    {
        m_after->bind(bindBase(*m_after), std::int64_t(m_position));
        return read(*m_after, false);
    }
    std::vector<qint64> previousPage() override
    {
        m_before->bind(bindBase(*m_before), std::int64_t(m_position));
        return read(*m_before, true);
    }
    std::vector<qint64> lastPage() override
    {
        bindBase(*m_last);
        return read(*m_last, true);
    }
    std::string sql(Statement statement) const override { return statementOf(statement).sql(); }

  protected:
    explicit StatementPager(RawBrowseSql sql) : m_sql(std::move(sql)) {}

    St &statementOf(Statement statement) const
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

    // Binds the range and filter values from parameter 1 on; answers the next free number.
    int bindBase(St &st)
    {
        if constexpr (requires { st.reset(); })
            st.reset();
        for (size_t i = 0; i < m_sql.isText.size(); ++i) {
            if (m_sql.isText[i])
                st.bind(int(i) + 1, m_sql.texts[i]);
            else
                st.bind(int(i) + 1, std::int64_t(m_sql.numbers[i]));
        }
        return int(m_sql.isText.size()) + 1;
    }

    RawBrowseSql m_sql; // its texts are bound without copies: it must outlive the statements' runs
    std::unique_ptr<St> m_first, m_after, m_before, m_last, m_count;

  private:
    std::vector<qint64> read(St &st, bool backwards)
    {
        const std::vector<std::int64_t> read = st.readIds(backwards);
        std::vector<qint64> ids(read.begin(), read.end());
        if (!ids.empty())
            m_position = backwards ? ids.front() : ids.back();
        return ids;
    }

    qint64 m_position = 0;
};

// The rows of DataLayerPager read on the sqlite3 C API. Statements are prepared once.
class RawPager final : public StatementPager<RawStatement> {
  public:
    RawPager(RawDb &db, const QString &selectList, const std::vector<std::pair<QString, bool>> &keyColumns,
             const BrowseOrder &order, const BrowseSelection &selection);

    qint64 count() override;
    std::string plan(Statement statement) override;

  private:
    RawDb &m_db;
};

// The same rows read from a PostgreSQL store through libpq: the same statements with `$n`
// parameters, prepared once on the server, every value of every row read as text.
class PgPager final : public StatementPager<PgStatement> {
  public:
    PgPager(PgDb &db, const QString &selectList, const std::vector<std::pair<QString, bool>> &keyColumns,
            const BrowseOrder &order, const BrowseSelection &selection);

    qint64 count() override;
    std::string plan(Statement statement) override { return statementOf(statement).plan(); }
};

} // namespace tarvo::bench
