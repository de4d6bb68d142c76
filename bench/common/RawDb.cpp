#include "RawDb.h"

#include "platform/data/SqliteFunctions.h"

#include <sqlite3.h>
#include <stdexcept>

namespace tarvo::bench {

RawDb::RawDb(const std::string &path)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error(path + ": " + message);
    }
    sqlite3_busy_timeout(m_db, 15000);
    if (!data::SqliteFunctions::install(m_db))
        throw std::runtime_error(path + ": the text collations could not be installed");
    exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
}

RawDb::~RawDb()
{
    sqlite3_close_v2(m_db);
}

void RawDb::exec(const std::string &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(sql + ": " + message);
    }
}

std::string RawDb::queryPlan(const std::string &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const std::string explain = "EXPLAIN QUERY PLAN " + sql;
    if (sqlite3_prepare_v2(m_db, explain.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        return std::string("(no plan: ") + sqlite3_errmsg(m_db) + ")";
    std::string plan;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        plan += "    ";
        plan += reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3));
        plan += '\n';
    }
    sqlite3_finalize(stmt);
    return plan;
}

} // namespace tarvo::bench
