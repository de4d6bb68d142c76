#pragma once

#include "platform/data/RecordLayout.h"
#include "platform/data/SqlCondition.h"
#include "platform/runtime/Result.h"

#include <optional>

namespace tarvo::data {

class Connection;

// The index a file declares for searching text inside its text fields and memos: on SQLite an
// FTS5 table with the trigram tokenizer over the file's own rows, kept up to date by triggers;
// on PostgreSQL a pg_trgm GIN index over the fields. It narrows a search to the rows that may
// hold the text, without regard to case; the caller compares those rows exactly.
class TextIndex final {
  public:
    // Characters a search needs before the index can serve it (one trigram).
    static constexpr int MinimumLength = 3;

    // Creates what is missing of the index (filled from the rows already stored); nothing when the
    // file declares none. Runs inside the caller's transaction.
    static Result<void> ensure(Connection &connection, const RecordLayout &layout);

    // The condition that keeps the rows whose indexed fields may contain `text` (case folded),
    // or nothing when the index cannot serve this search: the file declares no index, the text
    // is shorter than MinimumLength, or the store has no index (a PostgreSQL server without
    // pg_trgm). Rows the index keeps may still not hold the text; rows it drops never do.
    static Result<std::optional<SqlCondition>> candidates(Connection &connection, const RecordLayout &layout,
                                                          const QString &text);

    static QString tableName(const RecordLayout &layout);
};

} // namespace tarvo::data
