#include "platform/data/TableSchema.h"

#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/Record.h"
#include "platform/data/Store.h"
#include "platform/data/TextIndex.h"
#include "platform/data/Transaction.h"

#include <QCryptographicHash>
#include <QSqlQuery>

namespace tarvo::data {

TableSchema::TableSchema(Connection &connection, const RecordLayout &layout)
    : m_connection(connection), m_store(connection.store()), m_layout(layout)
{
}

QString TableSchema::indexName(const QString &table, const QString &key)
{
    QString name = table + QLatin1Char('_') + key;
    if (name.size() > 60) // PostgreSQL cuts identifiers at 63 bytes
        name = name.left(48) + QLatin1Char('_') +
               QString::fromLatin1(
                   QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Md5).toHex().left(10));
    return name;
}

QString TableSchema::orderTerm(const RecordLayout &layout, int field, bool caseInsensitive, bool descending)
{
    QString term = layout.column(field);
    if (layout.isText(field))
        term += QStringLiteral(" COLLATE ") + Store::collation(caseInsensitive);
    if (descending)
        term += QStringLiteral(" DESC");
    return term;
}

QString TableSchema::columnDefinition(int field) const
{
    const FieldType type = m_layout.field(field).type;
    return m_layout.column(field) + QLatin1Char(' ') + m_store.columnType(type) +
           QStringLiteral(" NOT NULL DEFAULT ") + m_store.columnDefault(type);
}

QString TableSchema::createIndexSql(int key) const
{
    const KeyDecl &k = m_layout.key(key);
    if (k.dynamic || k.components.empty())
        return QString();
    QStringList terms;
    for (const KeyComponent &c : k.components) {
        const int f = m_layout.fieldIndex(c.field);
        if (f < 0)
            return QString();
        terms << orderTerm(m_layout, f, k.caseInsensitive, c.descending);
    }
    if (!k.unique)
        terms << RecordLayout::rowIdColumn();
    return QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
        .arg(k.unique ? QStringLiteral("UNIQUE ") : QString(),
             RecordLayout::quote(indexName(m_layout.table(), k.name)), RecordLayout::quote(m_layout.table()),
             terms.join(QStringLiteral(", ")));
}

Result<void> TableSchema::createIndexes()
{
    for (int k = 0; k < m_layout.keyCount(); ++k) {
        const QString sql = createIndexSql(k);
        if (sql.isEmpty())
            continue;
        if (auto r = m_connection.execDirect(sql); !r)
            return r;
    }
    return TextIndex::ensure(m_connection, m_layout);
}

Result<int> TableSchema::storedVersion()
{
    auto q = m_connection.exec(
        QStringLiteral("SELECT \"version\" FROM \"_tarvo_layouts\" WHERE \"tablename\" = ?"),
        {m_layout.table()});
    if (!q)
        return q.error();
    if (!q.value()->next())
        return -1;
    return q.value()->value(0).toInt();
}

Result<void> TableSchema::setVersion()
{
    auto q = m_connection.exec(
        QStringLiteral("INSERT INTO \"_tarvo_layouts\" (\"tablename\", \"version\") VALUES (?, ?) "
                       "ON CONFLICT (\"tablename\") DO UPDATE SET \"version\" = excluded.\"version\""),
        {m_layout.table(), m_layout.decl().version});
    if (!q)
        return q.error();
    return {};
}

Result<void> TableSchema::check()
{
    auto columns = m_store.tableColumns(m_connection, m_layout.table());
    if (!columns)
        return columns.error();
    if (columns->isEmpty())
        return makeError(ErrorCode::FileNotFound, errorCodeText(ErrorCode::FileNotFound));
    auto version = storedVersion();
    if (!version)
        return version.error();
    if (*version < 0)
        return makeError(ErrorCode::InvalidRecordDeclaration,
                         QStringLiteral("Table %1 has no layout version").arg(m_layout.table()));
    if (*version > m_layout.decl().version)
        return makeError(ErrorCode::InvalidRecordDeclaration,
                         QStringLiteral("The data file is stored in layout version %1; this program "
                                        "knows version %2 only")
                             .arg(*version)
                             .arg(m_layout.decl().version));
    if (*version < m_layout.decl().version)
        return upgrade(*columns);
    for (int i = 0; i < m_layout.fieldCount(); ++i)
        if (!columns->contains(m_layout.field(i).name.toLower()))
            return makeError(
                ErrorCode::InvalidRecordDeclaration,
                QStringLiteral("Field %1 is missing from the stored file").arg(m_layout.fullFieldName(i)));
    // Reading the last row touches the far end of the table, where a cut-off file shows.
    {
        auto probe = m_connection.exec(
            QStringLiteral("SELECT MAX(\"_rid\") FROM %1").arg(RecordLayout::quote(m_layout.table())));
        if (!probe)
            return probe.error();
    }
    // A folder made before the file declared its text index gets it now, filled from its rows;
    // one this program may only read is searched without it.
    if (m_layout.decl().textIndex.isEmpty() || !m_store.canWrite(m_connection, m_layout.table()))
        return {};
    Transaction tx(m_connection);
    if (!tx.started())
        return tx.started();
    if (auto r = TextIndex::ensure(m_connection, m_layout); !r)
        return r;
    return tx.commit();
}

Result<void> TableSchema::create()
{
    Transaction tx(m_connection);
    if (!tx.started())
        return tx.started();
    QStringList defs{m_store.rowIdDeclaration()};
    for (int i = 0; i < m_layout.fieldCount(); ++i)
        defs << columnDefinition(i);
    auto r = m_connection.execDirect(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
            .arg(RecordLayout::quote(m_layout.table()), defs.join(QStringLiteral(", "))));
    if (!r)
        return r;
    r = createIndexes();
    if (!r)
        return r;
    auto existing = storedVersion();
    if (!existing)
        return existing.error();
    if (*existing < 0) {
        r = setVersion();
        if (!r)
            return r;
    }
    return tx.commit();
}

Result<void> TableSchema::upgrade(const QStringList &oldColumnsSeen)
{
    Transaction tx(m_connection);
    if (!tx.started())
        return tx.started();
    // Another copy may have converted the file while this one waited for the write lock.
    auto version = storedVersion();
    if (!version)
        return version.error();
    if (*version >= m_layout.decl().version)
        return tx.commit();
    auto cols = m_store.tableColumns(m_connection, m_layout.table());
    if (!cols)
        return cols.error();
    const QStringList oldColumns = cols->isEmpty() ? oldColumnsSeen : *cols;
    const QString table = RecordLayout::quote(m_layout.table());
    const FileDecl &decl = m_layout.decl();

    QStringList added;
    for (int i = 0; i < m_layout.fieldCount(); ++i) {
        if (oldColumns.contains(m_layout.field(i).name.toLower()))
            continue;
        auto r = m_connection.execDirect(
            QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(table, columnDefinition(i)));
        if (!r)
            return r;
        added << m_layout.field(i).name.toLower();
    }
    for (const SetIfNewRule &rule : decl.setIfNew) {
        const int f = m_layout.fieldIndex(rule.field);
        if (f < 0 || !added.contains(m_layout.field(f).name.toLower()))
            continue;
        const bool numbering = rule.value.compare(QLatin1String("AUTONUMBER"), Qt::CaseInsensitive) == 0;
        auto q =
            numbering
                ? m_connection.exec(
                      QStringLiteral("UPDATE %1 SET %2 = n.rn FROM (SELECT \"_rid\" AS rid, "
                                     "ROW_NUMBER() OVER (ORDER BY \"_rid\") AS rn FROM %1) AS n "
                                     "WHERE n.rid = %1.\"_rid\"")
                          .arg(table, m_layout.column(f)))
                : m_connection.exec(QStringLiteral("UPDATE %1 SET %2 = ?").arg(table, m_layout.column(f)),
                                    {Record::normalised(m_layout.field(f), rule.value)});
        if (!q)
            return q.error();
    }
    QStringList sets;
    for (const AlternateNameRule &rule : decl.alternateNames) {
        const int f = m_layout.fieldIndex(rule.field);
        const QString stored = rule.storedName.mid(rule.storedName.indexOf(QLatin1Char(':')) + 1);
        if (f < 0 || stored.isEmpty() || !oldColumns.contains(stored.toLower()) ||
            stored.compare(m_layout.field(f).name, Qt::CaseInsensitive) == 0)
            continue;
        sets << m_layout.column(f) + QStringLiteral(" = ") + RecordLayout::quote(stored);
    }
    if (!sets.isEmpty()) {
        // One statement, so every value comes from the record as it was stored.
        auto r = m_connection.execDirect(
            QStringLiteral("UPDATE %1 SET %2").arg(table, sets.join(QStringLiteral(", "))));
        if (!r)
            return r;
    }
    auto r = createIndexes();
    if (!r)
        return r;
    r = setVersion();
    if (!r)
        return r;
    return tx.commit();
}

} // namespace tarvo::data
