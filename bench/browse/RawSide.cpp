#include "RawSide.h"

#include "common/PgDb.h"
#include "common/RawDb.h"
#include "common/RawStatement.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tarvo::bench {

namespace {
class SqliteSide final : public RawSide {
  public:
    explicit SqliteSide(const QString &path) : m_db(path.toStdString()) {}

    const char *name() const override { return "raw SQLite"; }
    data::expr::Dialect dialect() const override { return data::expr::Dialect::Sqlite; }

    qint64 issues() override
    {
        RawStatement total(m_db.handle(), "SELECT COUNT(*) FROM Bugs");
        return total.step() ? total.integer(0) : 0;
    }

    std::vector<qint64> programsByIssues() override
    {
        std::vector<qint64> out;
        RawStatement programs(m_db.handle(), "SELECT PrgID FROM Bugs GROUP BY PrgID ORDER BY COUNT(*) DESC");
        while (programs.step())
            out.push_back(programs.integer(0));
        return out;
    }

    QString mostUsed(const char *column, qint64 program) override
    {
        RawStatement st(m_db.handle(), std::string("SELECT ") + column + " FROM Bugs WHERE PrgID = ? AND " +
                                           column + " <> '' GROUP BY 1 ORDER BY COUNT(*) DESC LIMIT 1");
        st.bind(1, std::int64_t(program));
        return st.step() ? QString::fromStdString(st.text(0)) : QString();
    }

    std::unique_ptr<RawSidePager> pager(const QString &selectList,
                                        const std::vector<std::pair<QString, bool>> &keyColumns,
                                        const BrowseOrder &order, const BrowseSelection &selection) override
    {
        return std::make_unique<RawPager>(m_db, selectList, keyColumns, order, selection);
    }

    std::string dataLayerPlan(QSqlDatabase &, const std::string &sql, const std::string &) override
    {
        return m_db.queryPlan(sql);
    }

  private:
    RawDb m_db;
};

class PostgresSide final : public RawSide {
  public:
    explicit PostgresSide(std::unique_ptr<PgDb> db) : m_db(std::move(db)) {}

    const char *name() const override { return "raw PostgreSQL"; }
    data::expr::Dialect dialect() const override { return data::expr::Dialect::PostgreSql; }

    qint64 issues() override { return number("SELECT COUNT(*) FROM \"Bugs\""); }

    std::vector<qint64> programsByIssues() override
    {
        std::vector<qint64> out;
        for (const auto &row :
             m_db->query("SELECT \"PrgID\" FROM \"Bugs\" GROUP BY \"PrgID\" ORDER BY COUNT(*) DESC, 1"))
            out.push_back(std::stoll(row.front()));
        return out;
    }

    QString mostUsed(const char *column, qint64 program) override
    {
        const std::string c = std::string("\"") + column + "\"";
        const auto rows =
            m_db->query("SELECT " + c + " FROM \"Bugs\" WHERE \"PrgID\" = " + std::to_string(program) +
                        " AND " + c + " <> '' GROUP BY 1 ORDER BY COUNT(*) DESC, 1 LIMIT 1");
        return rows.empty() ? QString() : QString::fromStdString(rows.front().front());
    }

    std::unique_ptr<RawSidePager> pager(const QString &selectList,
                                        const std::vector<std::pair<QString, bool>> &keyColumns,
                                        const BrowseOrder &order, const BrowseSelection &selection) override
    {
        return std::make_unique<PgPager>(*m_db, selectList, keyColumns, order, selection);
    }

    std::string dataLayerPlan(QSqlDatabase &db, const std::string &, const std::string &run) override
    {
        if (run.empty())
            return "    (no statement)\n";
        QSqlQuery q(db);
        if (!q.exec(QString::fromStdString("EXPLAIN " + run)))
            return "    (no plan: " + q.lastError().text().toStdString() + ")\n";
        std::string plan;
        while (q.next())
            plan += "    " + q.value(0).toString().toStdString() + "\n";
        // EXPLAIN EXECUTE plans once more, so the counts are read after it, as on the raw side.
        const std::string name = run.substr(8, run.find_first_of(" (", 8) - 8);
        q.prepare(
            QStringLiteral("SELECT generic_plans, custom_plans FROM pg_prepared_statements WHERE name = ?"));
        q.addBindValue(QString::fromStdString(name));
        if (q.exec() && q.next())
            plan += "    (runs so far: " + q.value(0).toString().toStdString() + " with the generic plan, " +
                    q.value(1).toString().toStdString() + " planned for their values)\n";
        return plan;
    }

  private:
    qint64 number(const std::string &sql)
    {
        const auto rows = m_db->query(sql);
        return rows.empty() ? 0 : std::stoll(rows.front().front());
    }

    std::unique_ptr<PgDb> m_db;
};
} // namespace

std::unique_ptr<RawSide> RawSide::forFolder(const QString &folder, const QString &databasePath)
{
    if (auto pg = PgDb::forFolder(folder))
        return std::make_unique<PostgresSide>(std::move(pg));
    return std::make_unique<SqliteSide>(databasePath);
}

} // namespace tarvo::bench
