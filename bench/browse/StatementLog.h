#pragma once

#include <QSqlDatabase>

#include <cstdio>
#include <string>
#include <vector>

struct pg_conn;
struct sqlite3;

namespace tarvo::bench {

// Records every statement the data layer runs on a connection while it lives, so that its query
// plans can be shown beside those of the hand-written statements. On SQLite it hooks the sqlite3
// handle; on PostgreSQL it traces the libpq connection under Qt's driver, which runs its prepared
// statements as `EXECUTE name (values)` and on which the data layer binds values to its own.
class StatementLog final {
  public:
    struct Entry {
        std::string sql; // the statement's text as the data layer prepared it
        std::string run; // what ran: the same on SQLite, as `EXECUTE name (values)` on PostgreSQL
    };

    explicit StatementLog(const QSqlDatabase &db);
    ~StatementLog();
    StatementLog(const StatementLog &) = delete;
    StatementLog &operator=(const StatementLog &) = delete;

    // The last statement whose text starts with `prefix` ("SELECT"), or an empty entry.
    Entry last(const std::string &prefix);
    void clear();

  private:
    static int trace(unsigned type, void *context, void *statement, void *text);
    // Adds the statements traced on PostgreSQL since the last read, with their prepared texts.
    void readTrace();

    QSqlDatabase m_database;
    sqlite3 *m_db = nullptr;
    pg_conn *m_pg = nullptr;
    std::FILE *m_trace = nullptr;
    long m_traceRead = 0; // how far the trace has been read
    std::vector<Entry> m_statements;
};

} // namespace tarvo::bench
