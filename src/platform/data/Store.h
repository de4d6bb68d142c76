#pragma once

#include "platform/data/Connection.h"
#include "platform/data/FileDecl.h"
#include "platform/runtime/Result.h"

#include <QSet>
#include <QString>

#include <map>
#include <memory>
#include <mutex>

class QThread;
class QSqlQuery;

namespace tarvo::data {

enum class StoreKind { Sqlite, Postgres };

// One SQL store of a data folder ("Tarvo.db", or the schema "tarvo" on a PostgreSQL server):
// its connections (one per OS thread) and the few places where the two SQL dialects differ.
class Store {
  public:
    virtual ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // The store of a data folder: PostgreSQL when the folder holds "Database.ini" with a section
    // [PostgreSQL], else the SQLite file `name`.db in the folder. Nothing is opened yet.
    static Result<std::unique_ptr<Store>> forFolder(const QString &dataFolder,
                                                    const QString &name = QStringLiteral("Tarvo"));

    StoreKind kind() const { return m_kind; }
    // The file or server the store lives in, for messages.
    virtual QString location() const = 0;

    // The connection of the calling thread, opened (and the store checked) on first use. A store
    // whose file is damaged or not ours fails here with code 36 and is left untouched.
    Result<Connection *> connection();
    // Closes the calling thread's connection (a worker thread calls this before it ends).
    void releaseConnection();

    // Dialect.
    virtual QString columnType(FieldType type) const = 0;
    virtual QString columnDefault(FieldType type) const;
    virtual QString rowIdDeclaration() const = 0;
    virtual QString beginSql() const { return QStringLiteral("BEGIN"); }
    static QString collation(bool caseInsensitive);
    // Existing columns of a table (lower case); empty when the table does not exist.
    virtual Result<QStringList> tableColumns(Connection &connection, const QString &table) = 0;
    // Whether the connection may write the table.
    virtual bool canWrite(Connection &connection, const QString &table) = 0;
    // Error code for a failed statement: 40 duplicate key, 36 damaged, 5 locked, else 90.
    virtual Error classify(const QSqlQuery &query) const = 0;
    // Rebuilds the indexes of a table.
    virtual Result<void> reindex(Connection &connection, const QString &table);
    // Inside the connection's open transaction: keeps every other connection from claiming a
    // number of `table` until the transaction ends, so that "highest + 1" read next is free.
    // SQLite's write transactions already hold the whole file (BEGIN IMMEDIATE).
    virtual Result<void> lockNumbering(Connection &connection, const QString &table);

    // Tables already checked against their declaration by some thread of this process.
    bool isTableReady(const QString &table) const;
    void setTableReady(const QString &table, bool ready);

  protected:
    explicit Store(StoreKind kind);
    // Opens a new database connection under the given unique name, set up for this store.
    virtual Result<QSqlDatabase> openDatabase(const QString &connectionName) = 0;
    // Runs once per process on the first connection: refuses a foreign or damaged store and
    // creates the store's own tables (layout versions and holds).
    virtual Result<void> prepare(Connection &connection) = 0;
    Result<void> createOwnTables(Connection &connection);

  private:
    StoreKind m_kind;
    int m_id;
    mutable std::mutex m_mutex;
    std::map<QThread *, std::unique_ptr<Connection>> m_connections;
    QSet<QString> m_readyTables;
    bool m_prepared = false;
};

} // namespace tarvo::data
