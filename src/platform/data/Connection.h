#pragma once

#include "platform/runtime/Result.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <memory>

namespace tarvo::data {

class PostgresStatements;
class SqliteStatements;
class Store;

// One database connection of one OS thread: its prepared statements, cached by their SQL for
// the life of the connection, and its transaction depth (nested levels are savepoints). While a
// transaction is open the thread's messages are held (see Messages::hold).
class Connection final {
  public:
    // A statement in use; finished when the handle goes, so no read stays open by accident.
    class Statement final {
      public:
        Statement() = default;
        Statement(Statement &&other) noexcept;
        Statement &operator=(Statement &&other) = delete;
        Statement(const Statement &) = delete;
        ~Statement();
        QSqlQuery *operator->() const { return m_query; }
        QSqlQuery &operator*() const { return *m_query; }

      private:
        friend class Connection;
        QSqlQuery *m_query = nullptr;
        bool *m_busy = nullptr;
        int *m_live = nullptr;
        std::unique_ptr<QSqlQuery> m_owned;
    };

    Connection(Store &store, QSqlDatabase db);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    Store &store() const { return m_store; }
    QSqlDatabase &database() { return m_db; }
    // The statements run on the sqlite3 handle itself; null on any store but SQLite.
    SqliteStatements *sqlite() const { return m_sqlite.get(); }
    // The reads run through libpq on the same PostgreSQL connection; null on any other store and
    // while Qt's driver is still reading a result on the connection.
    PostgresStatements *postgres() const;

    // Prepares (once) and runs a statement with positional parameters.
    Result<Statement> exec(const QString &sql, const QVariantList &params = {});
    // Runs a statement that is not worth caching (schema changes, one-off checks).
    Result<void> execDirect(const QString &sql);

    Result<void> begin();
    Result<void> commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

  private:
    Result<void> control(const QString &sql);

    struct Entry {
        std::unique_ptr<QSqlQuery> query;
        bool busy = false;
    };

    Store &m_store;
    QSqlDatabase m_db;
    QHash<QString, Entry *> m_cache;
    std::unique_ptr<SqliteStatements> m_sqlite;
    std::unique_ptr<PostgresStatements> m_postgres;
    int m_depth = 0;
    int m_liveStatements = 0; // Statements not yet gone
};

} // namespace tarvo::data
