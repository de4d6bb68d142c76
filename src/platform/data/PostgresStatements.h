#pragma once

#include "platform/runtime/Result.h"

#include <QHash>
#include <QString>
#include <QVariantList>

#include <memory>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace tarvo::data {

// Frees a libpq result.
struct PostgresResultDeleter final {
    void operator()(PGresult *result) const;
};
using PostgresResult = std::unique_ptr<PGresult, PostgresResultDeleter>;

// The reads one PostgreSQL connection runs through libpq on the connection of Qt's driver itself
// (so that they see the writes of its open transaction), rather than through the driver, which
// sends each run as a text EXECUTE with the values written in and hands each value over on its
// own. Each SQL text is prepared once for the life of the connection with $n parameters; the
// names cannot meet those of the driver's own prepared statements.
class PostgresStatements final {
  public:
    // `location` names the store in messages.
    PostgresStatements(PGconn *conn, QString location);
    PostgresStatements(const PostgresStatements &) = delete;
    PostgresStatements &operator=(const PostgresStatements &) = delete;

    PGconn *handle() const { return m_conn; }
    // False while the connection is still busy with a statement of Qt's driver (a query read
    // row by row further up the call chain): such reads must go through the driver.
    bool isFree() const;
    // Drops the results of a statement of the driver still waiting on the connection; whether
    // the connection is free then.
    bool discardPending();
    // Runs the statement prepared for `sql` (its positional ? marks become $n) with `params` as
    // Qt's driver writes them (a null variant as NULL); the rows come as text.
    Result<PostgresResult> run(const QString &sql, const QVariantList &params);
    // The SQL with each ? outside quotes replaced by $1, $2, ...
    static QByteArray numberedParameters(const QString &sql);

  private:
    Error resultError(const PGresult *result) const;

    PGconn *m_conn;
    QString m_location;
    QHash<QString, QByteArray> m_names;
};

} // namespace tarvo::data
