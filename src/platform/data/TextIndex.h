#pragma once

#include "platform/data/RecordLayout.h"
#include "platform/data/SqlCondition.h"
#include "platform/runtime/Result.h"

#include <optional>

namespace tarvo::data {

class Connection;

// The index a file declares for searching text inside its text fields and memos: on SQLite an
// FTS5 table with the trigram tokenizer over the file's own rows, kept up to date by triggers;
// on PostgreSQL a pg_trgm GIN index over the fields case folded. It finds the rows that hold a
// text, or on PostgreSQL narrows a search to the rows that may, which the caller then compares.
class TextIndex final {
  public:
    // Characters a search needs before the index can serve it (one trigram).
    static constexpr int MinimumLength = 3;

    // Creates what is missing of the index (filled from the rows already stored); nothing when the
    // file declares none. Runs inside the caller's transaction.
    static Result<void> ensure(Connection &connection, const RecordLayout &layout);

    // The rows an index lookup keeps, and whether they are exactly those whose indexed fields hold
    // the text (otherwise some may not; the rows it drops never do).
    struct Lookup {
        SqlCondition rows;
        bool exact = false;
        // On SQLite, the SELECT of the row ids the index found, with a WHERE a caller may add
        // conditions on `rowid` to (`ORDER BY rowid` reads them ascending at no cost): reading them
        // once costs less than the store matching `rows` against each row of a list.
        SqlCondition foundRows;
    };

    // The rows whose indexed fields hold `text`, with or without regard to case, or nothing when
    // the index cannot serve this search: the file declares no index, the text is shorter than
    // MinimumLength, the store has no index (a PostgreSQL server without pg_trgm), or, without
    // regard to case, the text is spelt in too many ways in the file. On SQLite the index keeps
    // the positions of case-sensitive trigrams, so it answers exactly; on PostgreSQL it names the
    // rows whose texts hold the text case folded.
    static Result<std::optional<Lookup>> lookup(Connection &connection, const RecordLayout &layout,
                                                const QString &text, bool ignoreCase);

    // The characters a comparison without regard to case takes as `c` (Qt's simple case folding),
    // `c` first.
    static QList<uint> sameFolded(uint c);

    // The LIKE pattern, with the backslash as its escape, of the texts that contain `text`.
    static QString containsPattern(const QString &text);

    static QString tableName(const RecordLayout &layout);

    // The highest row id of the file: how many rows it has had, which tells few found from many.
    static Result<qint64> lastRowId(Connection &connection, const RecordLayout &layout);
    // On SQLite, the rows with these ids.
    static SqlCondition rowIdsIn(const std::vector<qint64> &rows);
};

} // namespace tarvo::data
