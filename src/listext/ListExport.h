#pragma once

#include "listext/TableRows.h"
#include "platform/runtime/Result.h"

#include <QIODevice>
#include <QString>

#include <functional>

namespace tarvo::listext {

// Writes a list's rows to an HTML table or to ";"-separated text, one row at a time, so that a
// list of any length is written without holding its rows.
//
// HTML escapes "&", "<", ">" and '"' in the caption, the headers and the cells. The text
// export quotes as RFC 4180 does: a field holding the separator, a double quote or a line break
// is written between double quotes, its double quotes doubled. Lines end in CR LF.
class ListExport final {
  public:
    // Called after each row with the number written so far; false stops the export (an error).
    using Progress = std::function<bool(qint64 rows)>;

    static constexpr int MaxCellLength = 4096;
    static constexpr int ErrorWrite = 1;
    static constexpr int ErrorCancelled = 2;

    static Result<qint64> writeHtml(QIODevice &out, const QString &caption, TableRowReader &rows,
                                    const Progress &progress = {});
    static Result<qint64> writeText(QIODevice &out, TableRowReader &rows, const Progress &progress = {});

    // Creates the file anew (replacing one that exists) and writes into it. After a failure the
    // file holds what was written before it, and the error says what failed.
    static Result<qint64> exportHtmlFile(const QString &path, const QString &caption, TableRowReader &rows,
                                         const Progress &progress = {});
    static Result<qint64> exportTextFile(const QString &path, TableRowReader &rows,
                                         const Progress &progress = {});

    static QString htmlEscaped(const QString &text);
    static QString textField(const QString &text, QChar separator = QLatin1Char(';'));
    // The same, appended to out.
    static void appendTextField(QString &out, QStringView text, QChar separator = QLatin1Char(';'));
};

} // namespace tarvo::listext
