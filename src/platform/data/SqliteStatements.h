#pragma once

#include "platform/runtime/Result.h"

#include <QHash>
#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace tarvo::data {

// The statements one SQLite connection runs through the sqlite3 C API rather than Qt's driver
// (which reads every text as UTF-16 and copies each row into its own cache): prepared once per
// SQL text for the life of the connection, finalised before the connection closes.
class SqliteStatements final {
  public:
    explicit SqliteStatements(sqlite3 *db) : m_db(db) {}
    ~SqliteStatements();
    SqliteStatements(const SqliteStatements &) = delete;
    SqliteStatements &operator=(const SqliteStatements &) = delete;

    sqlite3 *handle() const { return m_db; }

    // The prepared statement for `sql`, reset, with `params` bound as Qt's driver binds them
    // (a null text or byte array as NULL). The caller steps it and calls done() when finished.
    Result<sqlite3_stmt *> start(const QString &sql, const QVariantList &params);
    // Resets the statement so that it holds no read open.
    static void done(sqlite3_stmt *statement);
    // The error of the last call on the connection, classified as the store classifies errors.
    Error lastError() const;

  private:
    sqlite3 *m_db;
    QHash<QString, sqlite3_stmt *> m_cache;
};

} // namespace tarvo::data
