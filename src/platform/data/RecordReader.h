#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QVariantList>

#include <functional>
#include <vector>

class QSqlQuery;

namespace tarvo::data {

class Connection;

// Reads the rows of a SELECT of a layout's select list (every field, then the row id), or of
// some of its fields followed by the row id, into records. Values are taken in their stored form:
// everything written went through Record::normalised already, so reading only picks the field
// type's C++ type. On SQLite the rows are stepped through the sqlite3 C API and texts decoded
// from UTF-8 once; on PostgreSQL they are read through libpq on the driver's own connection
// whenever it is free, else through Qt's driver, with the same values either way.
class RecordReader final {
  public:
    // Appends the rows to `rows`. `fields` are the field indexes the statement selects, in its
    // order, before the row id; empty means every field. Records read with some fields only are
    // partial: the others hold their empty value.
    static Result<void> read(Connection &connection, const LayoutPtr &layout, const QString &sql,
                             const QVariantList &params, std::vector<Record> &rows,
                             const std::vector<int> &fields = {});
    // Hands each row to `row` as the values of the selected fields (in `fields` order, or every
    // field) and its row id, without building records. The values stay the reader's: `row` may
    // move them out, and they are overwritten by the next row.
    using RowValues = std::function<void(std::vector<QVariant> &values, qint64 rowId)>;
    static Result<void> readValues(Connection &connection, const LayoutPtr &layout, const QString &sql,
                                   const QVariantList &params, const std::vector<int> &fields,
                                   const RowValues &row);
    // Appends the first column of each row, an integer (a row id), to `values`.
    static Result<void> readIntegers(Connection &connection, const QString &sql, const QVariantList &params,
                                     std::vector<qint64> &values);
    // The record of the row a Qt statement stands on.
    static Record fromQuery(const QSqlQuery &query, const LayoutPtr &layout,
                            const std::vector<int> &fields = {});
    // The select list of those fields followed by the row id; every field when empty.
    static QString selectList(const RecordLayout &layout, const std::vector<int> &fields);
};

} // namespace tarvo::data
