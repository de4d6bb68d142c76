#include "RawStatement.h"

#include <algorithm>
#include <sqlite3.h>
#include <stdexcept>

namespace tarvo::bench {

RawStatement::RawStatement(sqlite3 *db, const std::string &sql) : m_db(db), m_sql(sql)
{
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(db));
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_stmt);
}

void RawStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void RawStatement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void RawStatement::bind(int index, const std::string &text)
{
    sqlite3_bind_text(m_stmt, index, text.data(), int(text.size()), SQLITE_STATIC);
}

void RawStatement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw std::runtime_error(m_sql + ": " + sqlite3_errmsg(m_db));
}

void RawStatement::run()
{
    while (step()) {
    }
    sqlite3_reset(m_stmt);
}

int RawStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

std::int64_t RawStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string RawStatement::text(int column) const
{
    const unsigned char *t = sqlite3_column_text(m_stmt, column);
    return t ? std::string(reinterpret_cast<const char *>(t), size_t(sqlite3_column_bytes(m_stmt, column)))
             : std::string();
}

std::size_t RawStatement::readRow() const
{
    std::size_t total = 0;
    const int n = sqlite3_column_count(m_stmt);
    for (int i = 0; i < n; ++i) {
        if (sqlite3_column_type(m_stmt, i) == SQLITE_INTEGER) {
            total += std::size_t(sqlite3_column_int64(m_stmt, i) & 1);
        } else {
            const unsigned char *text = sqlite3_column_text(m_stmt, i);
            total += text ? std::size_t(sqlite3_column_bytes(m_stmt, i)) : 0;
        }
    }
    return total;
}

std::vector<std::int64_t> RawStatement::readIds(bool backwards)
{
    std::vector<std::int64_t> ids;
    std::size_t bytes = 0;
    while (step()) {
        bytes += readRow();
        ids.push_back(integer(0));
    }
    reset();
    if (backwards)
        std::reverse(ids.begin(), ids.end());
    if (bytes == std::size_t(-1)) // keeps the reads from being optimised away
        ids.clear();
    return ids;
}

} // namespace tarvo::bench
