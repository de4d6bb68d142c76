#pragma once

#include "listext/RowSource.h"
#include "platform/runtime/Result.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace tarvo::listext {

// The texts of a table to write out: its column headers, then its rows one by one.
class TableRowReader {
  public:
    virtual ~TableRowReader() = default;
    virtual QStringList headers() const = 0;
    // The cell texts of the next row; false at the end.
    virtual Result<bool> next(QStringList &cells) = 0;
    // The value behind a cell of the row last read, for ordering by value; invalid when the
    // reader only has texts.
    virtual QVariant value(int column) const
    {
        (void)column;
        return {};
    }
};

// Turns a value into the text a column shows with its picture.
using CellFormatter = std::function<QString(const QVariant &value, const QString &picture)>;

// The runtime's display-picture formatter; a value without a picture as its plain text.
QString plainCellText(const QVariant &value, const QString &picture);

// One exported column: which field of the source, under which header, with which picture.
struct TableColumn final {
    QString field;
    QString header;
    QString picture;
};

// Reads a row source as table texts: each value formatted with its column's picture (text
// pictures "@s..." write the value as it is), left-aligned and clipped.
std::unique_ptr<TableRowReader> tableRows(RowSource &source, std::vector<TableColumn> columns,
                                          CellFormatter formatter = plainCellText, int pageSize = 200);

} // namespace tarvo::listext
