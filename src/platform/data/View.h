#pragma once

#include "platform/data/FileDecl.h"
#include "platform/data/Record.h"
#include "platform/data/RecordReader.h"
#include "platform/data/SqlCondition.h"
#include "platform/runtime/Result.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tarvo::data {

class FileManager;

// The records of one file in one key's order, narrowed by a range on the key's leading
// components, an SQL filter and an in-memory predicate. Rows are read a page at a time from a
// position (keyset: the key values of the last row seen, the row id breaking ties), never by
// offset and never the whole file at once.
class View final {
  public:
    // A declared key by name ("BUG:KeyPrgIDID"); a dynamic key takes its order from setOrder().
    View(FileManager &file, const QString &keyName);
    // An order given at run time (a dynamic index).
    View(FileManager &file, std::vector<KeyComponent> order, bool caseInsensitive = false);

    FileManager &file() const { return m_file; }
    // False when the key is unknown or a component names no field.
    bool isValid() const { return m_valid; }

    // The order ends in the row id, which breaks ties, unless its components hold every field of
    // a declared unique key.
    void setOrder(std::vector<KeyComponent> order, bool caseInsensitive = false);
    // Reads only these fields ("BUG:Status") and those of the order; an empty list reads every
    // field. The records returned are then partial: the other fields hold their empty value, not
    // the stored one. They are for reading only, never for writing back (the file manager refuses
    // them), and a predicate sees only the fields read. False, and nothing changed, when a name
    // is not a field of the file.
    bool setColumns(const QStringList &fieldNames);
    // Reads the key's order backwards.
    void setReversed(bool reversed);
    // Only rows whose first key components equal these values, and optionally whose next
    // component lies from `first` to `last` in the key's order (a descending component runs
    // from the higher value to the lower); an invalid QVariant leaves that end open.
    void setRange(const QVariantList &equal, const QVariant &first = {}, const QVariant &last = {});
    // The filter's fixed columns, like the range's equal components, are left out of the
    // position when they lead the key: an anchor is taken to hold their values.
    void setFilter(const SqlCondition &filter);
    const SqlCondition &filter() const { return m_filter; }
    void setPredicate(std::function<bool(const Record &)> predicate);

    // Up to n rows after (or before) the anchor's place in the order, in view order; no anchor
    // means from the start (or the end). An anchor without a row id (a record filled only with
    // key values) stands just before all rows with those key values.
    Result<std::vector<Record>> rowsAfter(const Record *anchor, int n, bool inclusive = false);
    Result<std::vector<Record>> rowsBefore(const Record *anchor, int n, bool inclusive = false);
    // The same rows as rowsAfter (rowsBefore), handed to `row` as the values of readFields()
    // without building records, nearest to the anchor first; the number of rows.
    Result<qint64> valuesAfter(const Record *anchor, int n, const RecordReader::RowValues &row,
                               bool inclusive = false);
    Result<qint64> valuesBefore(const Record *anchor, int n, const RecordReader::RowValues &row);
    // Up to n rows from the first whose leading components are at or after these values, in view
    // order. The values stand for the components from the first that the range and the filter do
    // not hold to one value (those a list's locator searches).
    Result<std::vector<Record>> rowsFrom(const QVariantList &leading, int n);
    // The number of rows before the anchor's place: the position of its row in the view.
    Result<qint64> countBefore(const Record &anchor);
    // The fields each row reads, ascending: those of setColumns() and of the order. Empty: every
    // field.
    const std::vector<int> &readFields() const { return m_read; }
    Result<std::optional<Record>> first();
    Result<std::optional<Record>> last();
    Result<qint64> count();

    // The row ids of every row in view order, read at once: a list sorted in an order no index
    // serves keeps them and pages through them, instead of sorting the range again per page.
    // An error for a view with a predicate.
    Result<std::vector<qint64>> rowIds();
    // The rows of these ids that the range and filter let through, in the order of `ids` (a row
    // gone since is left out), as records or as the values of readFields().
    Result<std::vector<Record>> rowsOfIds(const std::vector<qint64> &ids);
    Result<qint64> valuesOfIds(const std::vector<qint64> &ids, const RecordReader::RowValues &row);
    // What decides which rows the view reads and in which order: equal as long as it reads the
    // same rows in the same order.
    QVariantList selectionKey() const;
    // A mark that moves whenever this connection writes to the database or another connection
    // commits a write; on PostgreSQL only with the writes through this file manager.
    Result<std::pair<qint64, qint64>> writeMark();

    // The SQL of a forward page without anchor, for checks and benchmarks.
    QString pageSql(int n) const;

  private:
    struct Term {
        int field = -1; // -1: the row id
        QString expression;
        bool descending = false;
    };

    void build();
    bool orderIsUnique() const;
    void chooseFields();
    QString whereBase(QVariantList &params) const;
    int fixedPrefix() const;
    // anchorTerms: how many of the position's components the anchor holds (-1: all of them).
    QString keysetCondition(const Record &anchor, bool forward, bool inclusive, QVariantList &params,
                            int anchorTerms = -1) const;
    QString orderBy(bool forward) const;
    Result<std::vector<Record>> fetch(bool forward, const Record *anchor, bool inclusive, int n,
                                      int anchorTerms = -1);
    QString batchSql(bool forward, const Record *anchor, bool inclusive, int n, QVariantList &params,
                     int anchorTerms = -1) const;
    Result<std::vector<Record>> fetchBatch(bool forward, const Record *anchor, bool inclusive, int n,
                                           int anchorTerms = -1);
    Result<qint64> readValues(bool forward, const Record *anchor, bool inclusive, int n,
                              const RecordReader::RowValues &row);
    Result<qint64> countWhere(const QString &where, const QVariantList &params);
    // The SELECT of the rows of these ids within the range and filter.
    QString idsSql(const std::vector<qint64> &ids, QVariantList &params) const;
    // Rows the predicate keeps: of the whole view, or before the place.
    Result<qint64> countMatching(const Record *before);

    FileManager &m_file;
    bool m_valid = true;
    bool m_caseInsensitive = false;
    bool m_unique = false;
    bool m_reversed = false;
    std::vector<KeyComponent> m_order;
    std::vector<Term> m_terms;  // key order, the row id last unless the key is unique
    std::vector<int> m_columns; // the fields asked for; empty: every field
    std::vector<int> m_read;    // the fields read, ascending; empty: every field
    QVariantList m_rangeEqual;
    QVariant m_rangeLow;
    QVariant m_rangeHigh;
    SqlCondition m_filter;
    std::function<bool(const Record &)> m_predicate;
};

} // namespace tarvo::data
