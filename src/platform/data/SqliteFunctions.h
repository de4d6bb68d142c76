#pragma once

struct sqlite3;

namespace tarvo::data {

// The Unicode text functions every SQLite connection gets: the collations tarvo_cs (case
// counts) and tarvo_ci (case ignored), and UPPER()/LOWER() for all letters, not only ASCII.
class SqliteFunctions final {
  public:
    static bool install(sqlite3 *db);
};

} // namespace tarvo::data
