#include "core/startup/PathFile.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/runtime/ProgramFolder.h"
#include "platform/runtime/Text.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace tarvo::core {

namespace {

// Table, columns and width of the path field come from the dictionary's declaration.
struct Names {
    QString table;
    QString id;
    QString path;
    int width = 256;
};

const Names &names()
{
    static const Names n = [] {
        const data::FileDecl decl = pathsFile();
        Names out;
        out.table = decl.label;
        out.id = decl.fields.at(0).name;
        out.path = decl.fields.at(1).name;
        out.width = decl.fields.at(1).size;
        return out;
    }();
    return n;
}

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("tarvo-paths-%1").arg(++counter);
}

Error sqlError(int code, const QSqlError &error)
{
    QString text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Unknown error");
    return makeError(code, text);
}

} // namespace

QString PathFile::defaultPath()
{
    return ProgramFolder::filePath(QStringLiteral("PATHS.db"));
}

PathFile::PathFile(QString path) : m_path(std::move(path)) {}

PathFile::~PathFile()
{
    close();
}

QString PathFile::fileName() const
{
    return QFileInfo(m_path).fileName();
}

Result<void> PathFile::open()
{
    close();
    if (!QFileInfo(m_path).isFile())
        return makeError(ErrorFileNotFound, QStringLiteral("File Not Found"));
    const QString name = uniqueConnectionName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            const Error e = sqlError(ErrorInvalidFile, db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return e;
        }
        QSqlQuery q(db);
        Error failure;
        if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = '%1'")
                        .arg(names().table)))
            failure = sqlError(ErrorInvalidFile, q.lastError());
        else if (!q.next())
            failure = makeError(ErrorFileNotFound, QStringLiteral("File Not Found"));
        if (failure.code != 0) {
            q = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            return failure;
        }
    }
    m_connection = name;
    return {};
}

Result<void> PathFile::create()
{
    close();
    const QString name = uniqueConnectionName();
    Result<void> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_path);
        if (!db.open()) {
            result = sqlError(ErrorFileSystem, db.lastError());
        } else {
            const Names &n = names();
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 INTEGER NOT NULL DEFAULT 0, "
                                       "%3 TEXT NOT NULL DEFAULT '')")
                            .arg(quoted(n.table), quoted(n.id), quoted(n.path))) ||
                !q.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                            .arg(quoted(n.table + QStringLiteral("_KEYID")), quoted(n.table), quoted(n.id))))
                result = sqlError(ErrorFileSystem, q.lastError());
            q = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

void PathFile::close()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

Result<QString> PathFile::read()
{
    if (!isOpen())
        return makeError(37, QStringLiteral("File Not Open"));
    const Names &n = names();
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = 1 ORDER BY rowid LIMIT 1")
                  .arg(quoted(n.path), quoted(n.table), quoted(n.id)));
    if (!q.exec())
        return sqlError(ErrorFileSystem, q.lastError());
    if (!q.next())
        return makeError(ErrorRecordNotFound, QStringLiteral("Record Not Found"));
    return Text::clip(q.value(0).toString());
}

Result<void> PathFile::add(const QString &folder)
{
    const Names &n = names();
    return exec(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (1, ?)")
                    .arg(quoted(n.table), quoted(n.id), quoted(n.path)),
                {Text::fit(folder, n.width)});
}

Result<void> PathFile::update(const QString &folder)
{
    const Names &n = names();
    return exec(QStringLiteral("UPDATE %1 SET %3 = ? WHERE rowid = (SELECT rowid FROM %1 WHERE %2 = 1 "
                               "ORDER BY rowid LIMIT 1)")
                    .arg(quoted(n.table), quoted(n.id), quoted(n.path)),
                {Text::fit(folder, n.width)});
}

Result<void> PathFile::exec(const QString &sql, const QVariantList &params)
{
    if (!isOpen())
        return makeError(37, QStringLiteral("File Not Open"));
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(sql);
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec())
        return sqlError(ErrorFileSystem, q.lastError());
    if (q.numRowsAffected() == 0)
        return makeError(ErrorRecordNotFound, QStringLiteral("Record Not Found"));
    return {};
}

} // namespace tarvo::core
