#include "PgDb.h"

#include "platform/runtime/IniFile.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <libpq-fe.h>
#include <memory>
#include <stdexcept>

namespace tarvo::bench {

namespace {
std::string message(pg_conn *conn)
{
    std::string text = PQerrorMessage(conn);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// Owns a result and checks that it reports success.
struct Result final {
    Result(pg_conn *conn, PGresult *result, const std::string &sql) : r(result)
    {
        const ExecStatusType s = PQresultStatus(r);
        if (s != PGRES_TUPLES_OK && s != PGRES_COMMAND_OK) {
            const std::string why = r ? PQresultErrorMessage(r) : message(conn);
            PQclear(r);
            throw std::runtime_error(sql + ": " + why);
        }
    }
    ~Result() { PQclear(r); }
    Result(const Result &) = delete;
    Result &operator=(const Result &) = delete;
    PGresult *r;
};
} // namespace

std::unique_ptr<PgDb> PgDb::forFolder(const QString &folder, const QString &schema)
{
    const IniFile ini(QDir(folder).filePath(QStringLiteral("Database.ini")));
    const QString section = QStringLiteral("PostgreSQL");
    if (!ini.sections().contains(section, Qt::CaseInsensitive))
        return nullptr;
    return std::make_unique<PgDb>(
        ini.value(section, QStringLiteral("host")).trimmed(),
        ini.value(section, QStringLiteral("port"), QStringLiteral("5432")).trimmed().toInt(),
        ini.value(section, QStringLiteral("database")).trimmed(),
        ini.value(section, QStringLiteral("user")).trimmed(), schema);
}

PgDb::PgDb(const QString &host, int port, const QString &database, const QString &user, const QString &schema)
{
    const std::string h = host.toStdString(), p = std::to_string(port), d = database.toStdString(),
                      u = user.toStdString();
    const char *keys[] = {"host", "port", "dbname", "user", nullptr};
    const char *values[] = {h.empty() ? nullptr : h.c_str(), p.c_str(), d.c_str(),
                            u.empty() ? nullptr : u.c_str(), nullptr};
    m_conn = PQconnectdbParams(keys, values, 0);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const std::string why = message(m_conn);
        PQfinish(m_conn);
        throw std::runtime_error("PostgreSQL: " + why);
    }
    query("SET search_path TO \"" + schema.toStdString() + "\"");
}

PgDb::~PgDb()
{
    PQfinish(m_conn);
}

std::vector<std::vector<std::string>> PgDb::query(const std::string &sql)
{
    Result res(m_conn, PQexec(m_conn, sql.c_str()), sql);
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < PQntuples(res.r); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < PQnfields(res.r); ++c)
            row.emplace_back(PQgetvalue(res.r, r, c), size_t(PQgetlength(res.r, r, c)));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string PgDb::literal(const std::string &text) const
{
    char *quoted = PQescapeLiteral(m_conn, text.data(), text.size());
    if (!quoted)
        throw std::runtime_error("PostgreSQL: " + message(m_conn));
    std::string out = quoted;
    PQfreemem(quoted);
    return out;
}

PgStatement::PgStatement(PgDb &db, const std::string &sql, int parameters)
    : m_db(db), m_sql(sql), m_name(db.nextStatementName()), m_values(size_t(parameters))
{
    Result res(db.handle(), PQprepare(db.handle(), m_name.c_str(), sql.c_str(), parameters, nullptr), sql);
}

PgStatement::~PgStatement()
{
    PQclear(PQexec(m_db.handle(), ("DEALLOCATE " + m_name).c_str()));
}

void PgStatement::bind(int index, std::int64_t value)
{
    m_values.at(size_t(index - 1)) = std::to_string(value);
}

void PgStatement::bind(int index, const std::string &text)
{
    m_values.at(size_t(index - 1)) = text;
}

PGresult *PgStatement::execute()
{
    std::vector<const char *> values;
    values.reserve(m_values.size());
    for (const std::string &v : m_values)
        values.push_back(v.c_str());
    return PQexecPrepared(m_db.handle(), m_name.c_str(), int(values.size()), values.data(), nullptr, nullptr,
                          0);
}

std::vector<std::int64_t> PgStatement::readIds(bool backwards)
{
    Result res(m_db.handle(), execute(), m_sql);
    const int rows = PQntuples(res.r);
    const int columns = PQnfields(res.r);
    std::vector<std::int64_t> ids;
    ids.reserve(size_t(rows));
    std::size_t bytes = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            bytes += size_t(PQgetlength(res.r, r, c)) + size_t(*PQgetvalue(res.r, r, c) == '1');
        ids.push_back(std::strtoll(PQgetvalue(res.r, r, 0), nullptr, 10));
    }
    if (backwards)
        std::reverse(ids.begin(), ids.end());
    if (bytes == std::size_t(-1)) // keeps the reads from being optimised away
        ids.clear();
    return ids;
}

std::int64_t PgStatement::number()
{
    Result res(m_db.handle(), execute(), m_sql);
    return PQntuples(res.r) > 0 ? std::strtoll(PQgetvalue(res.r, 0, 0), nullptr, 10) : 0;
}

std::string PgStatement::plan()
{
    std::string sql = "EXPLAIN EXECUTE " + m_name;
    for (size_t i = 0; i < m_values.size(); ++i)
        sql += (i ? ", " : " (") + m_db.literal(m_values[i]);
    if (!m_values.empty())
        sql += ")";
    std::string out;
    for (const auto &row : m_db.query(sql))
        out += "    " + row.front() + "\n";
    // Whether the server plans every run for its values or runs one plan for any values.
    const auto counts =
        m_db.query("SELECT generic_plans, custom_plans FROM pg_prepared_statements WHERE name = " +
                   m_db.literal(m_name));
    if (!counts.empty())
        out += "    (runs so far: " + counts[0][0] + " with the generic plan, " + counts[0][1] +
               " planned for their values)\n";
    return out;
}

} // namespace tarvo::bench
