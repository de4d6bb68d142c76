#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

namespace tarvo::bench {

// A plain PostgreSQL connection through libpq, the yardstick on a data folder whose Database.ini
// names a server: the same server, database and user, the schema of the folder's store as the
// search path (for its tables and collations), and nothing else.
class PgDb final {
  public:
    // The connection named by the folder's Database.ini, or none when the folder keeps its data
    // in SQLite. Throws std::runtime_error when the server refuses the connection.
    static std::unique_ptr<PgDb> forFolder(const QString &folder,
                                           const QString &schema = QStringLiteral("tarvo"));
    PgDb(const QString &host, int port, const QString &database, const QString &user, const QString &schema);
    ~PgDb();
    PgDb(const PgDb &) = delete;
    PgDb &operator=(const PgDb &) = delete;

    pg_conn *handle() const { return m_conn; }
    // Runs a statement and answers its rows, each value as text; throws with the server's message.
    std::vector<std::vector<std::string>> query(const std::string &sql);
    // The text as a literal for a statement, quoted as the server wants it.
    std::string literal(const std::string &text) const;
    // A name for a new prepared statement of this connection.
    std::string nextStatementName() { return "bench_" + std::to_string(++m_statements); }

  private:
    pg_conn *m_conn = nullptr;
    int m_statements = 0;
};

// One prepared statement of a PgDb ($1, $2, ... as parameters, their types inferred by the
// server), prepared once and run with the values given as text.
class PgStatement final {
  public:
    // Throws std::runtime_error with the server's message when the SQL does not prepare.
    PgStatement(PgDb &db, const std::string &sql, int parameters);
    ~PgStatement();
    PgStatement(const PgStatement &) = delete;
    PgStatement &operator=(const PgStatement &) = delete;

    const std::string &sql() const { return m_sql; }
    const std::string &name() const { return m_name; }
    // Parameters count from 1, as in the SQL.
    void bind(int index, std::int64_t value);
    void bind(int index, const std::string &text);
    // Runs the statement, reading every value of every row as the reader of a list would; answers
    // the first column of each row as a number, in the list's order when the statement read
    // backwards.
    std::vector<std::int64_t> readIds(bool backwards);
    // Runs the statement and answers the first column of its first row as a number (0 when none).
    std::int64_t number();
    // The plan the server uses for the statement with the values bound now (EXPLAIN EXECUTE).
    std::string plan();

  private:
    pg_result *execute();

    PgDb &m_db;
    std::string m_sql;
    std::string m_name;
    std::vector<std::string> m_values;
};

} // namespace tarvo::bench
