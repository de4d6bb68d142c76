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

// The rows of DataLayerPager read on the sqlite3 C API. Statements are prepared once.
class RawPager final : public RawSidePager {
  public:
    RawPager(RawDb &db, const QString &selectList, const std::vector<std::pair<QString, bool>> &keyColumns,
             const BrowseOrder &order, const BrowseSelection &selection);

    std::vector<qint64> firstPage() override;
    std::vector<qint64> nextPage() override;
    std::vector<qint64> previousPage() override;
    std::vector<qint64> lastPage() override;
    qint64 count() override;

    std::string sql(Statement statement) const override { return statementOf(statement).sql(); }
    std::string plan(Statement statement) override;

  private:
    RawStatement &statementOf(Statement statement) const;
    // Binds the range and filter values from parameter 1 on; answers the next free number.
    int bindBase(RawStatement &st);
    std::vector<qint64> read(RawStatement &st, bool backwards);

    RawDb &m_db;
    RawBrowseSql m_sql; // its texts are bound without copies: it must outlive the statements' runs
    std::unique_ptr<RawStatement> m_first, m_after, m_before, m_last, m_count;
    qint64 m_position = 0;
};

// The same rows read from a PostgreSQL store through libpq: the same statements with `$n`
// parameters, prepared once on the server, every value of every row read as text.
class PgPager final : public RawSidePager {
  public:
    PgPager(PgDb &db, const QString &selectList, const std::vector<std::pair<QString, bool>> &keyColumns,
            const BrowseOrder &order, const BrowseSelection &selection);

    std::vector<qint64> firstPage() override;
    std::vector<qint64> nextPage() override;
    std::vector<qint64> previousPage() override;
    std::vector<qint64> lastPage() override;
    qint64 count() override;

    std::string sql(Statement statement) const override { return statementOf(statement).sql(); }
    std::string plan(Statement statement) override { return statementOf(statement).plan(); }

  private:
    PgStatement &statementOf(Statement statement) const;
    int bindBase(PgStatement &st);
    std::vector<qint64> read(PgStatement &st, bool backwards);

    RawBrowseSql m_sql;
    std::unique_ptr<PgStatement> m_first, m_after, m_before, m_last, m_count;
    qint64 m_position = 0;
};

} // namespace tarvo::bench
