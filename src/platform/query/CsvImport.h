#pragma once

#include "platform/query/RegisteredFile.h"

#include <vector>

namespace tarvo::data {
class FileManager;
}

namespace tarvo::query {

// A line of the import file that was not imported, and why.
struct RefusedRow final {
    int line = 0;
    QString reason;
};

// What an import did: the number of records added and the lines refused.
struct ImportReport final {
    int imported = 0;
    std::vector<RefusedRow> refused;

    // "3 records imported, 1 refused:" and one line per refused line, for the user.
    QString text() const;
};

// The import wizard's work: reads a CSV whose header names fields of the registered file and
// adds one record per line, all in one transaction. A line whose values do not fit their fields,
// or whose record the file refuses (a duplicate key, a value out of range), is refused and
// reported; the others are imported. A failure of the store itself imports nothing.
class CsvImport final {
  public:
    CsvImport(data::FileManager &file, const RegisteredFile &fields) : m_file(file), m_fields(fields) {}

    // A header that names an unknown, a not offered or a repeated field is an error, and so is
    // malformed CSV: nothing is imported.
    Result<ImportReport> run(const QString &csvText);

  private:
    data::FileManager &m_file;
    const RegisteredFile &m_fields;
};

} // namespace tarvo::query
