#include "platform/data/Connection.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/PostgresStatements.h"
#include "platform/data/PostgresStore.h"
#include "platform/data/SqliteStatements.h"
#include "platform/data/SqliteStore.h"
#include "platform/data/Store.h"
#include "platform/runtime/Messages.h"

namespace tarvo::data {

Connection::Statement::Statement(Statement &&other) noexcept
    : m_query(other.m_query), m_busy(other.m_busy), m_live(other.m_live), m_owned(std::move(other.m_owned))
{
    other.m_query = nullptr;
    other.m_busy = nullptr;
    other.m_live = nullptr;
}

Connection::Statement::~Statement()
{
    if (m_query)
        m_query->finish();
    if (m_busy)
        *m_busy = false;
    if (m_live)
        --*m_live;
}

Connection::Connection(Store &store, QSqlDatabase db) : m_store(store), m_db(std::move(db))
{
    if (m_store.kind() == StoreKind::Sqlite)
        if (sqlite3 *handle = SqliteStore::handle(m_db))
            m_sqlite = std::make_unique<SqliteStatements>(handle);
    if (m_store.kind() == StoreKind::Postgres)
        if (PGconn *handle = PostgresStore::handle(m_db))
            m_postgres = std::make_unique<PostgresStatements>(handle, m_store.location());
}

PostgresStatements *Connection::postgres() const
{
    if (!m_postgres)
        return nullptr;
    if (m_postgres->isFree())
        return m_postgres.get();
    // A statement of the driver read only in part leaves its last rows on the connection until
    // the driver's next statement drops them. Once no statement is in use they are dropped here
    // the same way; while one is, its rows are still wanted and the read goes through the driver.
    if (m_liveStatements == 0 && m_postgres->discardPending())
        return m_postgres.get();
    return nullptr;
}

Connection::~Connection()
{
    if (m_depth > 0) {
        m_depth = 1;
        rollback();
    }
    for (Entry *e : std::as_const(m_cache))
        delete e;
    m_cache.clear();
    // SQLite does not close a handle with statements still prepared on it.
    m_sqlite.reset();
    m_postgres.reset();
    const QString name = m_db.connectionName();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

Result<Connection::Statement> Connection::exec(const QString &sql, const QVariantList &params)
{
    // PostgreSQL keeps no NUL in a text, and its driver cuts the statement there.
    if (m_store.kind() == StoreKind::Postgres)
        for (const QVariant &p : params)
            if (p.typeId() == QMetaType::QString && p.toString().contains(QChar(0)))
                return makeError(ErrorCode::InvalidRecordDeclaration,
                                 QStringLiteral("A text holding a NUL character cannot be stored in %1")
                                     .arg(m_store.location()));
    Statement st;
    st.m_live = &m_liveStatements;
    ++m_liveStatements;
    Entry *&entry = m_cache[sql];
    if (!entry)
        entry = new Entry;
    if (!entry->busy) {
        if (!entry->query) {
            auto q = std::make_unique<QSqlQuery>(m_db);
            q->setForwardOnly(true);
            if (!q->prepare(sql))
                return m_store.classify(*q);
            entry->query = std::move(q);
        }
        entry->busy = true;
        st.m_query = entry->query.get();
        st.m_busy = &entry->busy;
    } else {
        // The same statement is still being read further up the call chain.
        st.m_owned = std::make_unique<QSqlQuery>(m_db);
        st.m_owned->setForwardOnly(true);
        if (!st.m_owned->prepare(sql))
            return m_store.classify(*st.m_owned);
        st.m_query = st.m_owned.get();
    }
    for (int i = 0; i < params.size(); ++i)
        st.m_query->bindValue(i, params.at(i));
    if (!st.m_query->exec())
        return m_store.classify(*st.m_query);
    return st;
}

Result<void> Connection::execDirect(const QString &sql)
{
    QSqlQuery q(m_db);
    if (!q.exec(sql))
        return m_store.classify(q);
    return {};
}

Result<void> Connection::control(const QString &sql)
{
    // PostgreSQL cannot prepare transaction control; SQLite gains from reusing the statements.
    if (m_store.kind() == StoreKind::Postgres)
        return execDirect(sql);
    auto r = exec(sql);
    if (!r)
        return r.error();
    return {};
}

Result<void> Connection::begin()
{
    const QString sql =
        m_depth == 0 ? m_store.beginSql() : QStringLiteral("SAVEPOINT tarvo_sp%1").arg(m_depth);
    auto r = control(sql);
    if (!r)
        return r.error();
    // No message box may run its event loop while the transaction is open.
    if (m_depth++ == 0)
        Messages::hold();
    return {};
}

Result<void> Connection::commit()
{
    if (m_depth <= 0)
        return makeError(ErrorCode::FileSystemError, QStringLiteral("No transaction to commit"));
    const QString sql = m_depth == 1 ? QStringLiteral("COMMIT")
                                     : QStringLiteral("RELEASE SAVEPOINT tarvo_sp%1").arg(m_depth - 1);
    auto r = control(sql);
    if (!r) {
        rollback();
        return r.error();
    }
    if (--m_depth == 0)
        Messages::release();
    return {};
}

void Connection::rollback()
{
    if (m_depth <= 0)
        return;
    if (m_depth == 1) {
        (void)control(QStringLiteral("ROLLBACK"));
    } else {
        const QString sp = QStringLiteral("tarvo_sp%1").arg(m_depth - 1);
        (void)control(QStringLiteral("ROLLBACK TO SAVEPOINT ") + sp);
        (void)control(QStringLiteral("RELEASE SAVEPOINT ") + sp);
    }
    if (--m_depth == 0)
        Messages::release();
}

} // namespace tarvo::data
