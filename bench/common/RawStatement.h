#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tarvo::bench {

// One prepared statement of a RawDb, prepared once and reset between runs.
class RawStatement final {
  public:
    // Throws std::runtime_error with SQLite's message when the SQL does not prepare.
    RawStatement(sqlite3 *db, const std::string &sql);
    ~RawStatement();
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;

    const std::string &sql() const { return m_sql; }
    sqlite3_stmt *handle() const { return m_stmt; }
    // Resets the statement and clears its parameters.
    void reset();
    // Parameters count from 1; texts are bound without a copy and must outlive the run.
    void bind(int index, std::int64_t value);
    void bind(int index, const std::string &text);
    void bindNull(int index);
    // True while a row is available; throws on an error.
    bool step();
    // Runs a statement to its end (inserts, transaction control).
    void run();
    int columnCount() const;
    std::int64_t integer(int column) const;
    std::string text(int column) const;
    // Touches every column of the current row as the reader of a list would, so that the raw side
    // pays for reading the same texts the data layer converts; returns their total length.
    std::size_t readRow() const;
    // Runs the statement to its end, reading every row as readRow does, and resets it; gives the
    // first column of each row, in the list's order when the statement read backwards.
    std::vector<std::int64_t> readIds(bool backwards);

  private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    std::string m_sql;
};

} // namespace tarvo::bench
