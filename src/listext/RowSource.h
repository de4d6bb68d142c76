#pragma once

#include "listext/XploreSort.h"
#include "platform/runtime/Result.h"

#include <QStringList>
#include <QVariant>

#include <any>
#include <memory>
#include <optional>
#include <vector>

namespace tarvo::listext {

// One row of a row source: its values in the order of the source's fields, and what the source
// needs to go on reading after it (a record, a key, an index: the source's own business).
struct SourceRow final {
    QVariantList values;
    std::any anchor;
};

// Reads rows one after another, from the first to the last, without going back.
class RowReader {
  public:
    virtual ~RowReader() = default;
    // The next row; false at the end.
    virtual Result<bool> next(SourceRow &row) = 0;
};

// The rows a list shows: one file in an order, narrowed by a filter, read a page at a time
// either way from a row seen (keyset paging), so that no list ever holds a whole file.
class RowSource {
  public:
    virtual ~RowSource() = default;

    // The identities of the values of each row (field names such as "BUG:Status").
    virtual QStringList fields() const = 0;
    // Up to n rows after the anchor row (from the first row when anchor is null), in order.
    virtual Result<std::vector<SourceRow>> rowsAfter(const SourceRow *anchor, int n) = 0;
    // Up to n rows before the anchor row (the last n rows when anchor is null), in order.
    virtual Result<std::vector<SourceRow>> rowsBefore(const SourceRow *anchor, int n) = 0;
    // What stays the same of a row while the list is read again: the row it was read from.
    virtual qint64 rowKey(const SourceRow &row) const = 0;
    // Up to n rows from the row of that key at its place now (the row first, unless the filter
    // no longer lets it through); RowGone when the row no longer exists.
    virtual Result<std::vector<SourceRow>> rowsAt(qint64 key, int n) = 0;
    // Up to n rows from the first whose leading sort values are at or after these (the first
    // value for the first sort component the list does not hold to one value).
    virtual Result<std::vector<SourceRow>> locate(const QVariantList &leading, int n) = 0;
    // The number of rows before the row: its position in the list.
    virtual Result<qint64> position(const SourceRow &row) = 0;
    // The row `distance` rows after the anchor (after the start when null), or before it (before
    // the end), reached without keeping the rows between; nothing when the list ends first.
    virtual Result<std::optional<SourceRow>> skip(const SourceRow *anchor, qint64 distance, bool forward);
    // The number of rows in the current order and filter.
    virtual Result<qint64> count() = 0;
    // An empty order means the source's own order.
    virtual Result<void> setOrder(const std::vector<SortKey> &keys) = 0;
    // A filter expression in the runtime's expression language; empty means no filter.
    virtual Result<void> setFilter(const QString &expression) = 0;
    virtual QString filter() const = 0;

    // Forgets what the source keeps of the list between reads: the rows may have changed (a
    // list reads again after a refresh notice or a write).
    virtual void dropKept() {}

    int fieldIndex(const QString &field) const;

    // The same rows, in the same order and filter, with only these fields in each row (in this
    // order), for a reader that needs no others and reads faster without them; null when the
    // source reads no faster so.
    virtual std::unique_ptr<RowSource> narrowed(const QStringList &fields) const
    {
        (void)fields;
        return nullptr;
    }
};

// The error code of rowsAt when the row no longer exists.
constexpr int RowGone = 35;

// Reads every row of a source from the start, a page at a time.
std::unique_ptr<RowReader> readAllRows(RowSource &source, int pageSize = 200);

} // namespace tarvo::listext
