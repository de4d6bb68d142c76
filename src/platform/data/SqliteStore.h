#pragma once

#include "platform/data/Store.h"

struct sqlite3;

namespace tarvo::data {

// The embedded store: one SQLite file in the data folder, in WAL mode, shared by every copy of
// the program that works on the folder.
class SqliteStore final : public Store {
  public:
    explicit SqliteStore(QString path);

    QString location() const override { return m_path; }
    QString columnType(FieldType type) const override;
    QString columnDefault(FieldType type) const override;
    QString rowIdDeclaration() const override;
    // Writers take the file's write lock at once, so two copies never deadlock upgrading a read.
    QString beginSql() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    Result<QStringList> tableColumns(Connection &connection, const QString &table) override;
    bool canWrite(Connection &connection, const QString &table) override;
    Error classify(const QSqlQuery &query) const override;
    // The same for an sqlite3 result code (extended or primary) and its text.
    static Error classifyNative(int code, const QString &text);
    // The sqlite3 handle under a connection of Qt's SQLite driver; null for any other.
    static sqlite3 *handle(const QSqlDatabase &db);
    Result<void> reindex(Connection &connection, const QString &table) override;
    // The file's tables, looked at read-only so that nothing is written to it: none for a missing
    // or empty file, code 36 for a damaged one or one holding tables but not ours.
    Result<QStringList> tablesOnDisk() const;

  protected:
    Result<QSqlDatabase> openDatabase(const QString &connectionName) override;
    Result<void> prepare(Connection &connection) override;

  private:
    // The file's tables (none for a new file); code 36 for a file that holds tables but not ours.
    Result<QStringList> ownTables(const QSqlDatabase &db) const;

    QString m_path;
};

} // namespace tarvo::data
