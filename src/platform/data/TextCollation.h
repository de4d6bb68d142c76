#pragma once

#include <QStringView>

namespace tarvo::data {

// The order of texts in lists: Unicode collation (the stores' tarvo_cs and tarvo_ci), so that
// SQLite, PostgreSQL and the in-memory filters put "ÄRGER" before "BANANA" alike.
class TextCollation final {
  public:
    // Case-sensitive: texts the collation calls equal but that differ still get a fixed order
    // (by code point), so that "=" and the order agree. Case-insensitive: no such tie-break.
    static int compare(QStringView a, QStringView b, bool caseInsensitive = false);
};

} // namespace tarvo::data
