#include "access/SqlAccessRepository.h"

#include "access/AccessTables.h"
#include "access/SqlSchema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <map>

namespace tarvo::access {

namespace {

std::atomic<int> g_nextInstance{1};
std::atomic<int> g_nextThread{1};

// Removes the connections a thread opened when the thread ends.
struct ThreadConnections final {
    int serial = g_nextThread++;
    std::vector<QString> names;
    std::map<int, int> transactionDepth; // per repository instance
    ~ThreadConnections()
    {
        for (const auto &name : names)
            if (QSqlDatabase::contains(name))
                QSqlDatabase::removeDatabase(name);
    }
};

ThreadConnections &threadConnections()
{
    thread_local ThreadConnections connections;
    return connections;
}

QString connectionName(int instance)
{
    return QStringLiteral("vuvuzu-%1-%2").arg(instance).arg(threadConnections().serial);
}

const data::FileDecl &decl(const char *label)
{
    return *accessDictionary().file(QString::fromLatin1(label));
}

QString tableOf(const char *label)
{
    return SqlSchema::quoted(decl(label).tableName);
}

Error sqlError(const QSqlError &error)
{
    return makeError(error.nativeErrorCode().toInt(), error.text());
}

// A text as the field stores it: cut to its width, trailing blanks removed.
QVariant stored(const data::FileDecl &file, const QString &field, const QVariant &value)
{
    for (const auto &f : file.fields) {
        if (f.name != field)
            continue;
        if (f.type != data::FieldType::String && f.type != data::FieldType::CString)
            return value;
        QString text = value.toString().left(f.size);
        qsizetype end = text.size();
        while (end > 0 && text.at(end - 1) == u' ')
            --end;
        // A null text would be bound as SQL NULL.
        return text.left(end).isNull() ? QStringLiteral("") : text.left(end);
    }
    return value;
}

QVariant foldValue(const QString &text)
{
    const QString folded = SqlSchema::fold(text);
    return folded.isNull() ? QStringLiteral("") : folded;
}

QString foldCol(const char *field)
{
    return SqlSchema::quoted(SqlSchema::foldColumn(QString::fromLatin1(field)));
}

} // namespace

SqlAccessRepository::SqlAccessRepository(QString databaseFile)
    : m_path(std::move(databaseFile)), m_instance(g_nextInstance++)
{
}

SqlAccessRepository::~SqlAccessRepository()
{
    const QString name = connectionName(m_instance);
    if (QSqlDatabase::contains(name))
        QSqlDatabase::removeDatabase(name);
}

bool SqlAccessRepository::exists() const
{
    return QFileInfo(m_path).isFile();
}

Result<QSqlDatabase> SqlAccessRepository::connection() const
{
    const QString name = connectionName(m_instance);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() || db.open())
            return db;
        return sqlError(db.lastError());
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    threadConnections().names.push_back(name);
    db.setDatabaseName(m_path);
    // Other copies of the program may hold a write lock for a moment; wait up to 10 seconds.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open())
        return sqlError(db.lastError());
    return db;
}

Result<int> SqlAccessRepository::exec(const QString &sql, const QVariantList &binds) const
{
    auto db = connection();
    if (!db)
        return db.error();
    QSqlQuery query(*db);
    if (!query.prepare(sql))
        return sqlError(query.lastError());
    for (const auto &value : binds)
        query.addBindValue(value);
    if (!query.exec())
        return sqlError(query.lastError());
    return query.numRowsAffected();
}

template <class R>
Result<std::vector<R>>
SqlAccessRepository::select(const char *label, const std::vector<SqlColumn<R>> &columns, const QString &where,
                            const QVariantList &binds, const QString &order) const
{
    auto db = connection();
    if (!db)
        return db.error();
    QStringList names;
    for (const auto &c : columns)
        names << SqlSchema::quoted(c.field);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(names.join(u", "), tableOf(label));
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order;
    QSqlQuery query(*db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return sqlError(query.lastError());
    for (const auto &value : binds)
        query.addBindValue(value);
    if (!query.exec())
        return sqlError(query.lastError());
    std::vector<R> rows;
    while (query.next()) {
        R record;
        for (int i = 0; i < int(columns.size()); ++i)
            columns[size_t(i)].set(record, query.value(i));
        rows.push_back(std::move(record));
    }
    return rows;
}

template <class R>
Result<int> SqlAccessRepository::write(const char *label, const std::vector<SqlColumn<R>> &columns,
                                       const R &record, const QString &where, const QVariantList &whereBinds,
                                       bool ignoreDuplicate)
{
    const data::FileDecl &file = decl(label);
    QStringList names;
    QVariantList values;
    for (const auto &c : columns) {
        names << SqlSchema::quoted(c.field);
        values << stored(file, c.field, c.get(record));
    }
    for (const auto &field : SqlSchema::foldedFields(file)) {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (names.at(i) == SqlSchema::quoted(field)) {
                names << SqlSchema::quoted(SqlSchema::foldColumn(field));
                values << foldValue(values.at(i).toString());
                break;
            }
        }
    }
    QString sql;
    if (where.isEmpty()) {
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(tableOf(label), names.join(u", "),
                       QStringList(names.size(), QStringLiteral("?")).join(u", "));
        if (ignoreDuplicate)
            sql += QStringLiteral(" ON CONFLICT DO NOTHING");
    } else {
        QStringList sets;
        for (const auto &n : names)
            sets << n + QStringLiteral(" = ?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(tableOf(label), sets.join(u", "), where);
        values << whereBinds;
    }
    return exec(sql, values);
}

Result<void> SqlAccessRepository::create()
{
    return transaction([this]() -> Result<void> {
        auto r =
            exec(QStringLiteral("CREATE TABLE IF NOT EXISTS \"LayoutVersions\" (\"Label\" TEXT PRIMARY KEY, "
                                "\"Version\" INTEGER NOT NULL)"),
                 {});
        if (!r)
            return r.error();
        for (const auto &file : accessDictionary().files) {
            for (const auto &statement : SqlSchema::createStatements(file))
                if (auto s = exec(statement, {}); !s)
                    return s.error();
            auto v =
                exec(QStringLiteral("INSERT INTO \"LayoutVersions\" (\"Label\", \"Version\") VALUES (?, ?) "
                                    "ON CONFLICT DO NOTHING"),
                     {file.label, file.version});
            if (!v)
                return v.error();
        }
        return {};
    });
}

Result<void> SqlAccessRepository::transaction(const std::function<Result<void>()> &work)
{
    int &depth = threadConnections().transactionDepth[m_instance];
    if (depth > 0) {
        ++depth;
        Result<void> result = work();
        --depth;
        return result;
    }
    if (auto begin = exec(QStringLiteral("BEGIN IMMEDIATE"), {}); !begin)
        return begin.error();
    depth = 1;
    Result<void> result = work();
    depth = 0;
    if (!result) {
        (void)exec(QStringLiteral("ROLLBACK"), {});
        return result;
    }
    if (auto commit = exec(QStringLiteral("COMMIT"), {}); !commit) {
        (void)exec(QStringLiteral("ROLLBACK"), {});
        return commit.error();
    }
    return {};
}

Result<std::optional<OptionsRecord>> SqlAccessRepository::options()
{
    auto rows = select(table::Options, optionsColumns(), QStringLiteral("\"ID\" = ?"), {1}, {});
    if (!rows)
        return rows.error();
    if (rows->empty())
        return std::optional<OptionsRecord>();
    return std::optional<OptionsRecord>(rows->front());
}

Result<void> SqlAccessRepository::saveOptions(const OptionsRecord &options)
{
    OptionsRecord record = options;
    record.id = 1;
    return transaction([&]() -> Result<void> {
        auto updated = write(table::Options, optionsColumns(), record, QStringLiteral("\"ID\" = ?"), {1});
        if (!updated)
            return updated.error();
        if (*updated == 0)
            if (auto inserted = write(table::Options, optionsColumns(), record); !inserted)
                return inserted.error();
        return {};
    });
}

Result<std::optional<UserRecord>> SqlAccessRepository::user(const QString &code)
{
    auto rows = select(table::Benutzer, userColumns(), foldCol("MAK") + QStringLiteral(" = ?"),
                       {foldValue(code)}, {});
    if (!rows)
        return rows.error();
    if (rows->empty())
        return std::optional<UserRecord>();
    return std::optional<UserRecord>(rows->front());
}

Result<std::vector<UserRecord>> SqlAccessRepository::users()
{
    return select(table::Benutzer, userColumns(), {}, {}, foldCol("MAK"));
}

Result<void> SqlAccessRepository::insertUser(const UserRecord &user)
{
    auto r = write(table::Benutzer, userColumns(), user);
    if (!r)
        return r.error();
    return {};
}

Result<void> SqlAccessRepository::updateUser(const QString &storedCode, const UserRecord &user)
{
    return transaction([&]() -> Result<void> {
        const QVariantList old{foldValue(storedCode)};
        auto r = write(table::Benutzer, userColumns(), user, foldCol("MAK") + QStringLiteral(" = ?"), old);
        if (!r)
            return r.error();
        if (*r == 0)
            return makeError(35, QStringLiteral("Record not found"));
        const QString newCode = stored(decl(table::Benutzer), QStringLiteral("MAK"), user.mak).toString();
        if (newCode == storedCode)
            return {};
        for (const char *child : {table::ProgramLimit, table::ResUser, table::Password}) {
            auto c = exec(QStringLiteral("UPDATE %1 SET \"MAK\" = ?, %2 = ? WHERE %2 = ?")
                              .arg(tableOf(child), foldCol("MAK")),
                          {newCode, foldValue(newCode), old.front()});
            if (!c)
                return c.error();
        }
        return {};
    });
}

Result<void> SqlAccessRepository::deleteUser(const QString &code)
{
    return transaction([&]() -> Result<void> {
        for (const char *t : {table::ProgramLimit, table::ResUser, table::Password, table::Benutzer}) {
            auto r = exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(tableOf(t), foldCol("MAK")),
                          {foldValue(code)});
            if (!r)
                return r.error();
        }
        return {};
    });
}

Result<std::vector<PasswordRecord>> SqlAccessRepository::passwordHistory(const QString &code)
{
    return select(table::Password, passwordColumns(), foldCol("MAK") + QStringLiteral(" = ?"),
                  {foldValue(code)}, QStringLiteral("\"DATE\" DESC, rowid DESC"));
}

Result<void> SqlAccessRepository::addPasswordHistory(const PasswordRecord &entry)
{
    auto r = write(table::Password, passwordColumns(), entry);
    if (!r)
        return r.error();
    return {};
}

Result<void> SqlAccessRepository::removePasswordHistory(const PasswordRecord &entry)
{
    auto r = exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND \"PASSWORD\" = ?")
                      .arg(tableOf(table::Password), foldCol("MAK")),
                  {foldValue(entry.mak), entry.password});
    if (!r)
        return r.error();
    return {};
}

Result<std::vector<ProcRecord>> SqlAccessRepository::procs()
{
    return select(table::Proc, procColumns(), {}, {}, foldCol("PROC"));
}

Result<void> SqlAccessRepository::saveProc(const ProcRecord &proc)
{
    return transaction([&]() -> Result<void> {
        auto updated = write(table::Proc, procColumns(), proc, foldCol("PROC") + QStringLiteral(" = ?"),
                             {foldValue(proc.proc)});
        if (!updated)
            return updated.error();
        if (*updated == 0)
            if (auto inserted = write(table::Proc, procColumns(), proc); !inserted)
                return inserted.error();
        return {};
    });
}

Result<void> SqlAccessRepository::deleteProc(const QString &proc)
{
    auto r = exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(tableOf(table::Proc), foldCol("PROC")),
                  {foldValue(proc)});
    if (!r)
        return r.error();
    return {};
}

Result<std::vector<ResourceRecord>> SqlAccessRepository::resources()
{
    return select(table::Resource, resourceColumns(), {}, {}, QStringLiteral("\"RESOURCEID\""));
}

Result<qint32> SqlAccessRepository::insertResource(const ResourceRecord &resource)
{
    qint32 number = 0;
    auto r = transaction([&]() -> Result<void> {
        auto db = connection();
        if (!db)
            return db.error();
        QSqlQuery query(*db);
        if (!query.exec(QStringLiteral("SELECT COALESCE(MAX(\"RESOURCEID\"), 0) + 1 FROM ") +
                        tableOf(table::Resource)) ||
            !query.next())
            return sqlError(query.lastError());
        number = query.value(0).toInt();
        ResourceRecord record = resource;
        record.resourceId = number;
        auto inserted = write(table::Resource, resourceColumns(), record);
        if (!inserted)
            return inserted.error();
        return {};
    });
    if (!r)
        return r.error();
    return number;
}

Result<void> SqlAccessRepository::updateResource(const ResourceRecord &resource)
{
    auto r = write(table::Resource, resourceColumns(), resource, QStringLiteral("\"RESOURCEID\" = ?"),
                   {resource.resourceId});
    if (!r)
        return r.error();
    return {};
}

Result<void> SqlAccessRepository::deleteResource(qint32 resourceId)
{
    auto r = exec(QStringLiteral("DELETE FROM %1 WHERE \"RESOURCEID\" = ?").arg(tableOf(table::Resource)),
                  {resourceId});
    if (!r)
        return r.error();
    return {};
}

Result<std::vector<qint32>> SqlAccessRepository::grants(const QString &code)
{
    struct Row final {
        qint32 id = 0;
    };
    auto rows =
        select(table::ResUser, std::vector<SqlColumn<Row>>{sqlColumn("RESOURCEID", &Row::id)},
               foldCol("MAK") + QStringLiteral(" = ?"), {foldValue(code)}, QStringLiteral("\"RESOURCEID\""));
    if (!rows)
        return rows.error();
    std::vector<qint32> ids;
    for (const auto &row : *rows)
        ids.push_back(row.id);
    return ids;
}

namespace {
struct ResUserRow final {
    QString mak;
    qint32 id = 0;
};
std::vector<SqlColumn<ResUserRow>> resUserColumns()
{
    return {sqlColumn("MAK", &ResUserRow::mak), sqlColumn("RESOURCEID", &ResUserRow::id)};
}
struct LimitRow final {
    QString mak;
    QString prgName;
};
std::vector<SqlColumn<LimitRow>> limitColumns()
{
    return {sqlColumn("MAK", &LimitRow::mak), sqlColumn("PrgName", &LimitRow::prgName)};
}
} // namespace

Result<void> SqlAccessRepository::grant(const QString &code, qint32 resourceId)
{
    auto r = write(table::ResUser, resUserColumns(), ResUserRow{code, resourceId}, {}, {}, true);
    if (!r)
        return r.error();
    return {};
}

Result<void> SqlAccessRepository::revoke(const QString &code, qint32 resourceId)
{
    auto r = exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND \"RESOURCEID\" = ?")
                      .arg(tableOf(table::ResUser), foldCol("MAK")),
                  {foldValue(code), resourceId});
    if (!r)
        return r.error();
    return {};
}

Result<void> SqlAccessRepository::addLogin(const LoginRecord &login)
{
    auto r = write(table::Logins, loginColumns(), login);
    if (!r)
        return r.error();
    return {};
}

Result<std::vector<LoginRecord>> SqlAccessRepository::logins()
{
    return select(table::Logins, loginColumns(), {}, {},
                  QStringLiteral("\"MAK\", \"DATE\" DESC, \"TIME\" DESC"));
}

Result<std::vector<QString>> SqlAccessRepository::programLimits(const QString &code)
{
    auto rows = select(table::ProgramLimit, limitColumns(), foldCol("MAK") + QStringLiteral(" = ?"),
                       {foldValue(code)}, foldCol("PrgName"));
    if (!rows)
        return rows.error();
    std::vector<QString> names;
    for (const auto &row : *rows)
        names.push_back(row.prgName);
    return names;
}

Result<void> SqlAccessRepository::addProgramLimit(const QString &code, const QString &prgName)
{
    auto r = write(table::ProgramLimit, limitColumns(), LimitRow{code, prgName});
    if (!r)
        return r.error();
    return {};
}

Result<void> SqlAccessRepository::removeProgramLimit(const QString &code, const QString &prgName)
{
    auto r = exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND %3 = ?")
                      .arg(tableOf(table::ProgramLimit), foldCol("MAK"), foldCol("PrgName")),
                  {foldValue(code), foldValue(prgName)});
    if (!r)
        return r.error();
    return {};
}

} // namespace tarvo::access
