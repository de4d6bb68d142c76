#pragma once

#include "platform/data/View.h"
#include "platform/query/RegisteredFile.h"

#include <QSet>

#include <functional>
#include <vector>

namespace tarvo::query {

// The text search of a list: which records hold a text in one of their text fields or memos,
// or in one of their numbers as the list shows them (never in a number's stored form), with or
// without regard to case. Where it can, the store finds the records itself: through the file's
// text index, or by comparing each field in SQL; only numbers as shown, and the rows a PostgreSQL
// index merely narrows to, are compared here. Each way finds the same records.
class TextSearch final {
  public:
    // `idField` names the field whose values the search returns ("BUG:ID").
    TextSearch(const RegisteredFile &file, const QString &idField);

    // Whether the record holds the text. The text is taken without trailing blanks; a blank
    // text is in no record. "Case Insensitive" compares the texts case-folded.
    bool matches(const data::Record &record, const QString &text, bool ignoreCase) const;

    // Called after each page of records read with the number read so far; false stops the search.
    using Progress = std::function<bool(qint64 read)>;

    // The IDs of the records of the view that hold the text, in the view's order, or ascending
    // when the rows the text index named were compared here (on PostgreSQL). The view is the
    // list's own (its order, range and filters); the search reads a copy of it. A blank text
    // searches nothing and finds nothing. Without `useIndex` every record is read and compared
    // here: the plain scan that the other ways must agree with.
    Result<std::vector<qint64>> search(const data::View &view, const QString &text, bool ignoreCase,
                                       const Progress &progress = {}, bool useIndex = true) const;

  private:
    // Whether the text (case-folded for a search without regard to case) can stand inside a
    // number as shown: then the numbers are compared too, and no text index can serve the search.
    bool mayBeInNumber(const QString &wanted) const;
    bool holds(const data::Record &record, const QString &wanted, bool ignoreCase, bool numbers) const;
    // The condition under which the store itself finds exactly the rows whose texts hold the
    // text: each field compared with every spelling the comparison takes as the text. None when
    // there are too many spellings.
    std::optional<data::SqlCondition> scanCondition(bool sqlite, const QString &wanted,
                                                    bool ignoreCase) const;
    // The IDs of the view's rows within the list's filter that the condition (if any) and `keep`
    // (if given, asked with each row id) keep, read in the view's order without their texts.
    Result<std::vector<qint64>> idsWhere(data::View &view, const data::SqlCondition &listFilter,
                                         const data::SqlCondition &rows, const Progress &progress,
                                         const std::function<bool(qint64 rowId)> &keep = {}) const;
    // The IDs of the view's rows within the list's filter among the rows the index found.
    Result<std::vector<qint64>> idsFound(data::View &view, const data::SqlCondition &listFilter,
                                         const data::SqlCondition &foundRows, const Progress &progress) const;
    // The search over the rows the text index named, by their ids, within the list's filter.
    Result<std::vector<qint64>> searchRows(data::View &view, const data::SqlCondition &listFilter,
                                           const std::vector<qint64> &rows, const QString &wanted,
                                           bool ignoreCase, const Progress &progress) const;

    const RegisteredFile &m_file;
    int m_idField = -1;
    std::vector<int> m_texts;                  // text fields and memos
    std::vector<const QueryField *> m_numbers; // every other field, compared as shown
    QSet<uint> m_numberCharacters;             // what numbers as shown are written with
};

} // namespace tarvo::query
