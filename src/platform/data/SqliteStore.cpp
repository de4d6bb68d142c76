#include "platform/data/SqliteStore.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/SqliteFunctions.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <sqlite3.h>

namespace tarvo::data {

SqliteStore::SqliteStore(QString path) : Store(StoreKind::Sqlite), m_path(std::move(path)) {}

QString SqliteStore::columnType(FieldType type) const
{
    switch (type) {
    case FieldType::Real:
    case FieldType::Decimal:
        return QStringLiteral("REAL");
    case FieldType::String:
    case FieldType::CString:
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Blob:
        return QStringLiteral("BLOB");
    default:
        return QStringLiteral("INTEGER");
    }
}

QString SqliteStore::columnDefault(FieldType type) const
{
    return type == FieldType::Blob ? QStringLiteral("x''") : Store::columnDefault(type);
}

QString SqliteStore::rowIdDeclaration() const
{
    return QStringLiteral("\"_rid\" INTEGER PRIMARY KEY");
}

Result<QStringList> SqliteStore::tableColumns(Connection &connection, const QString &table)
{
    QSqlQuery q(connection.database());
    if (!q.exec(QStringLiteral("SELECT name FROM pragma_table_info('%1')")
                    .arg(QString(table).replace(QLatin1Char('\''), QLatin1String("''")))))
        return classify(q);
    QStringList columns;
    while (q.next())
        columns << q.value(0).toString().toLower();
    return columns;
}

bool SqliteStore::canWrite(Connection &connection, const QString &)
{
    sqlite3 *db = handle(connection.database());
    return db && sqlite3_db_readonly(db, "main") == 0;
}

sqlite3 *SqliteStore::handle(const QSqlDatabase &db)
{
    if (!db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(v.constData());
}

Error SqliteStore::classify(const QSqlQuery &query) const
{
    const QSqlError e = query.lastError();
    return classifyNative(e.nativeErrorCode().toInt(), e.text().trimmed());
}

Error SqliteStore::classifyNative(int native, const QString &text)
{
    switch (native & 0xff) {
    case SQLITE_CONSTRAINT:
        if (text.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive))
            return makeError(ErrorCode::DuplicateKey, text);
        break;
    case SQLITE_CORRUPT:
        if (text.contains(QLatin1String("index"), Qt::CaseInsensitive))
            return makeError(ErrorCode::KeysNeedRebuilding, text);
        return makeError(ErrorCode::InvalidDataFile, text);
    case SQLITE_NOTADB:
        return makeError(ErrorCode::InvalidDataFile, text);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return makeError(ErrorCode::AccessDenied, text);
    case SQLITE_CANTOPEN:
        return makeError(ErrorCode::FileSystemError, text);
    default:
        break;
    }
    return makeError(ErrorCode::FileSystemError, text.isEmpty() ? errorCodeText(90) : text);
}

Result<void> SqliteStore::reindex(Connection &connection, const QString &table)
{
    return connection.execDirect(QStringLiteral("REINDEX \"%1\"").arg(table));
}

Result<QSqlDatabase> SqliteStore::openDatabase(const QString &connectionName)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    if (!db.open()) {
        const QString text = db.lastError().text();
        return makeError(ErrorCode::FileSystemError, text);
    }
    sqlite3 *native = handle(db);
    if (!native || !SqliteFunctions::install(native))
        return makeError(ErrorCode::FileSystemError,
                         QStringLiteral("Could not set up the text collation of %1").arg(m_path));
    // Look before writing anything: switching to WAL rewrites the header of any SQLite file.
    if (auto tables = ownTables(db); !tables) {
        db.close();
        return tables.error();
    }
    QSqlQuery q(db);
    for (const char *pragma :
         {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA foreign_keys=OFF"}) {
        if (!q.exec(QString::fromLatin1(pragma))) {
            Error e = classify(q);
            q.finish();
            q = QSqlQuery();
            db.close();
            return e;
        }
        q.finish();
    }
    return db;
}

Result<QStringList> SqliteStore::ownTables(const QSqlDatabase &db) const
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
        return classify(q);
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    if (!tables.isEmpty() && !tables.contains(QStringLiteral("_tarvo_layouts")))
        return makeError(ErrorCode::InvalidDataFile,
                         QStringLiteral("%1 is not a data file of this program").arg(m_path));
    return tables;
}

Result<QStringList> SqliteStore::tablesOnDisk() const
{
    const QFileInfo info(m_path);
    if (!info.isFile() || info.size() == 0)
        return QStringList();
    static std::atomic<quint64> serial{0};
    const QString name = QStringLiteral("tarvo-look%1").arg(++serial);
    Result<QStringList> tables = QStringList();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=15000"));
        if (db.open())
            tables = ownTables(db);
        else
            tables = makeError(ErrorCode::FileSystemError, db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return tables;
}

Result<void> SqliteStore::prepare(Connection &connection)
{
    auto tables = ownTables(connection.database());
    if (!tables)
        return tables.error();
    if (tables->isEmpty())
        return createOwnTables(connection);
    return {};
}

} // namespace tarvo::data
