#pragma once

#include "platform/data/Store.h"

typedef struct pg_conn PGconn;

namespace tarvo::data {

// Where a shared data folder keeps its store on a PostgreSQL server. The password is never
// part of it: the client library takes it from ~/.pgpass or PGPASSWORD.
struct PostgresSettings final {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString schema; // one schema per store: "tarvo", "vuvuzu"
};

// The store of a data folder shared by several computers: one schema on a PostgreSQL server.
class PostgresStore final : public Store {
  public:
    explicit PostgresStore(PostgresSettings settings);

    QString location() const override;
    QString columnType(FieldType type) const override;
    QString columnDefault(FieldType type) const override;
    QString rowIdDeclaration() const override;
    Result<QStringList> tableColumns(Connection &connection, const QString &table) override;
    bool canWrite(Connection &connection, const QString &table) override;
    Error classify(const QSqlQuery &query) const override;
    // Error code for a server error of this SQLSTATE.
    static Error classifyNative(const QString &state, const QString &text);
    // The libpq connection under a connection of Qt's PostgreSQL driver; null for any other.
    static PGconn *handle(const QSqlDatabase &db);
    Result<void> lockNumbering(Connection &connection, const QString &table) override;

  protected:
    Result<QSqlDatabase> openDatabase(const QString &connectionName) override;
    Result<void> prepare(Connection &connection) override;

  private:
    PostgresSettings m_settings;
};

} // namespace tarvo::data
