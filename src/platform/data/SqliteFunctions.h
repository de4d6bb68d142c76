#pragma once

struct sqlite3;

namespace tarvo::data {

// The Unicode text functions every SQLite connection gets: the collations tarvo_cs (case
// counts) and tarvo_ci (case ignored), UPPER()/LOWER() for all letters, not only ASCII, and the
// text index's tarvo_tiles(), which tells whether a row holds a text from its trigrams' places.
class SqliteFunctions final {
  public:
    static bool install(sqlite3 *db);
};

} // namespace tarvo::data
