#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

struct sqlite3;

namespace tarvo::bench {

// The yardstick of the list exports and the graph: the same rows read through the sqlite3 C API
// and written with the same bytes (the same HTML escaping and text quoting, numbers and dates in
// the same pictures), or counted, without any layer in between.
class RawExport final {
  public:
    enum class Kind { Text, Number, Date };
    struct Column {
        std::string name;   // the table column
        std::string header; // the header text
        Kind kind = Kind::Text;
    };

    RawExport(sqlite3 *db, std::string table, std::vector<Column> columns, std::string orderBy);

    // Writes every row to the file; the number of rows. Throws on an error.
    std::int64_t writeHtml(const std::string &path, const std::string &caption) const;
    std::int64_t writeText(const std::string &path) const;
    // The rows per value of the first column.
    std::map<std::string, std::int64_t> count() const;
    // Reads every column of the table in the same order (what a view reads for each record).
    std::int64_t readWholeRows(const std::string &selectList) const;

  private:
    template <typename Row> std::int64_t eachRow(const std::string &select, Row row) const;
    std::string cellText(void *stmt, int column) const;

    sqlite3 *m_db;
    std::string m_table;
    std::vector<Column> m_columns;
    std::string m_orderBy;
};

} // namespace tarvo::bench
