#include "platform/data/Store.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/PostgresStore.h"
#include "platform/data/SqliteStore.h"
#include "platform/runtime/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QThread>

#include <atomic>

namespace tarvo::data {

namespace {
std::atomic<int> g_nextStoreId{1};

} // namespace

Store::Store(StoreKind kind) : m_kind(kind), m_id(g_nextStoreId++) {}

Store::~Store()
{
    std::lock_guard lock(m_mutex);
    m_connections.clear();
}

Result<std::unique_ptr<Store>> Store::forFolder(const QString &dataFolder, const QString &name)
{
    const QString ini = QDir(dataFolder).filePath(QStringLiteral("Database.ini"));
    const IniFile settings(ini);
    const QString section = QStringLiteral("PostgreSQL");
    if (settings.sections().contains(section, Qt::CaseInsensitive)) {
        PostgresSettings s;
        s.host = settings.value(section, QStringLiteral("host")).trimmed();
        s.port = settings.value(section, QStringLiteral("port"), QStringLiteral("5432")).trimmed().toInt();
        s.database = settings.value(section, QStringLiteral("database")).trimmed();
        s.user = settings.value(section, QStringLiteral("user")).trimmed();
        s.schema = name.toLower();
        if (s.database.isEmpty())
            return makeError(ErrorCode::InvalidDataFile,
                             QStringLiteral("Database.ini names no database in [PostgreSQL]"));
        return std::unique_ptr<Store>(new PostgresStore(s));
    }
    return std::unique_ptr<Store>(new SqliteStore(QDir(dataFolder).filePath(name + QStringLiteral(".db"))));
}

Result<Connection *> Store::connection()
{
    QThread *thread = QThread::currentThread();
    {
        std::lock_guard lock(m_mutex);
        auto it = m_connections.find(thread);
        if (it != m_connections.end())
            return it->second.get();
    }
    static std::atomic<quint64> serial{0};
    const QString name = QStringLiteral("tarvo-store%1-conn%2").arg(m_id).arg(++serial);
    auto db = openDatabase(name);
    if (!db) {
        QSqlDatabase::removeDatabase(name);
        return db.error();
    }
    auto conn = std::make_unique<Connection>(*this, db.value());
    std::lock_guard lock(m_mutex);
    if (!m_prepared) {
        auto ok = prepare(*conn);
        if (!ok)
            return ok.error(); // the connection closes; the next call checks again
        m_prepared = true;
    }
    Connection *raw = conn.get();
    m_connections[thread] = std::move(conn);
    return raw;
}

void Store::releaseConnection()
{
    std::unique_ptr<Connection> conn;
    std::lock_guard lock(m_mutex);
    auto it = m_connections.find(QThread::currentThread());
    if (it != m_connections.end()) {
        conn = std::move(it->second);
        m_connections.erase(it);
    }
}

QString Store::columnDefault(FieldType type) const
{
    switch (type) {
    case FieldType::String:
    case FieldType::CString:
    case FieldType::Memo:
        return QStringLiteral("''");
    case FieldType::Real:
    case FieldType::Decimal:
        return QStringLiteral("0.0");
    default:
        return QStringLiteral("0");
    }
}

QString Store::collation(bool caseInsensitive)
{
    return caseInsensitive ? QStringLiteral("tarvo_ci") : QStringLiteral("tarvo_cs");
}

Result<void> Store::reindex(Connection &connection, const QString &table)
{
    return connection.execDirect(QStringLiteral("REINDEX TABLE \"%1\"").arg(table));
}

Result<void> Store::lockNumbering(Connection &, const QString &)
{
    return {};
}

bool Store::isTableReady(const QString &table) const
{
    std::lock_guard lock(m_mutex);
    return m_readyTables.contains(table.toLower());
}

void Store::setTableReady(const QString &table, bool ready)
{
    std::lock_guard lock(m_mutex);
    if (ready)
        m_readyTables.insert(table.toLower());
    else
        m_readyTables.remove(table.toLower());
}

Result<void> Store::createOwnTables(Connection &connection)
{
    const QStringList statements = {
        QStringLiteral("CREATE TABLE IF NOT EXISTS \"_tarvo_layouts\" (\"tablename\" TEXT NOT NULL "
                       "PRIMARY KEY, \"version\" INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS \"_tarvo_holds\" (\"tablename\" TEXT NOT NULL, "
                       "\"rid\" BIGINT NOT NULL, \"host\" TEXT NOT NULL, \"pid\" BIGINT NOT NULL, "
                       "\"context\" BIGINT NOT NULL, \"expires\" BIGINT NOT NULL, "
                       "PRIMARY KEY (\"tablename\", \"rid\"))"),
    };
    for (const QString &sql : statements) {
        auto r = connection.execDirect(sql);
        if (!r)
            return r;
    }
    return {};
}

} // namespace tarvo::data
