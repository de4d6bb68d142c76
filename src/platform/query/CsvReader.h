#pragma once

#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvo::query {

// One record of a CSV text and the line it starts on (1-based), for reports.
struct CsvRow final {
    int line = 0;
    QStringList fields;
};

// Reads CSV as RFC 4180 has it, and what spreadsheets write besides: LF as well as CRLF line
// ends, a UTF-8 byte-order mark. A quoted field may hold commas, quotes (doubled) and line breaks.
class CsvReader final {
  public:
    // Malformed quoting is an error naming its line: the records after it cannot be told apart.
    // Empty lines are no records.
    static Result<std::vector<CsvRow>> parse(const QString &text);
};

} // namespace tarvo::query
