#pragma once

#include "platform/runtime/Result.h"

#include <QStringList>

namespace tarvo::access {

// What a repair of a data file found and did.
struct RepairReport final {
    QStringList findings;      // what the integrity check reported; empty when the file was sound
    QString backupFile;        // the copy of the file as it was, kept beside it
    bool rebuilt = false;      // the file was replaced by its rebuilt copy
    qint64 rowsKept = 0;       // rows carried into the rebuilt file
    qint64 rowsUnreadable = 0; // row numbers that could not be read
    QStringList tables;        // "<table>: <rows kept>"
    QString text() const;      // the report as the window shows it
};

// Checks and repairs a SQLite data file. First a copy of the file as it is goes beside it, named
// with a time stamp and never over an earlier copy; then the check; a damaged file is rebuilt
// into a new file that keeps every row that can still be read, which replaces the original only
// once it is complete and passes the check. A failed repair leaves the original and the copy.
class DataFileRepair final {
  public:
    static Result<RepairReport> repairSqlite(const QString &file);
    // A data folder kept on a PostgreSQL server: reads every table of its two schemas through and
    // reports what could not be read. The server repairs its own files; nothing is changed.
    static Result<RepairReport> checkPostgres(const QString &dataFolder);
    // Where the copy of the file goes: its own name with the time stamp, and a number when a
    // copy of that name exists already.
    static QString backupName(const QString &file);
};

} // namespace tarvo::access
