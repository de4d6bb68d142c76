#include "platform/data/TextIndex.h"

#include "platform/data/Connection.h"
#include "platform/data/Store.h"

namespace tarvo::data {

namespace {

QStringList indexedColumns(const RecordLayout &layout)
{
    QStringList columns;
    for (const QString &name : layout.decl().textIndex) {
        const int f = layout.fieldIndex(name);
        if (f >= 0)
            columns << layout.column(f);
    }
    return columns;
}

QStringList prefixed(const QString &prefix, const QStringList &columns)
{
    QStringList out;
    for (const QString &c : columns)
        out << prefix + c;
    return out;
}

Result<bool> exists(Connection &connection, const QString &sql, const QString &name)
{
    auto q = connection.exec(sql, {name});
    if (!q)
        return q.error();
    return q.value()->next();
}

// Whether the index is there: on SQLite its last trigger, made after the table it fills.
Result<bool> indexPresent(Connection &connection, const RecordLayout &layout)
{
    if (connection.store().kind() == StoreKind::Sqlite)
        return exists(connection,
                      QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'trigger' AND name = ?"),
                      TextIndex::tableName(layout) + QStringLiteral("_au"));
    return exists(
        connection,
        QStringLiteral("SELECT 1 FROM pg_indexes WHERE schemaname = current_schema() AND indexname = ?"),
        TextIndex::tableName(layout).toLower());
}

// The lower-casing of the PostgreSQL index and its searches: ICU's, whatever the database's own
// locale, so that umlauts fold as they do in the program.
const QString kPgCollation = QStringLiteral("\"und-x-icu\"");

QString pgFolded(const QStringList &columns)
{
    return QStringLiteral("lower((%1) COLLATE %2)")
        .arg(columns.join(QStringLiteral(" || chr(31) || ")), kPgCollation);
}

Result<void> ensureSqlite(Connection &connection, const RecordLayout &layout, const QStringList &columns)
{
    const QString fts = RecordLayout::quote(TextIndex::tableName(layout));
    const QString table = RecordLayout::quote(layout.table());
    const QString list = columns.join(QStringLiteral(", "));
    const QString news = prefixed(QStringLiteral("new."), columns).join(QStringLiteral(", "));
    const QString olds = prefixed(QStringLiteral("old."), columns).join(QStringLiteral(", "));
    const QString remove =
        QStringLiteral("INSERT INTO %1 (%1, rowid, %2) VALUES ('delete', old.\"_rid\", %3);")
            .arg(fts, list, olds);
    const QString add =
        QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (new.\"_rid\", %3);").arg(fts, list, news);
    const QString name = TextIndex::tableName(layout);
    const QStringList statements = {
        QStringLiteral("DROP TABLE IF EXISTS %1").arg(fts),
        // Without positions and sizes: the index only has to say which rows hold every trigram
        // of a search, which halves the work of each write.
        QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content=%3, content_rowid='_rid', "
                       "tokenize='trigram', detail=none, columnsize=0)")
            .arg(fts, list, table),
        QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON %2 BEGIN %3 END")
            .arg(RecordLayout::quote(name + QStringLiteral("_ai")), table, add),
        QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON %2 BEGIN %3 END")
            .arg(RecordLayout::quote(name + QStringLiteral("_ad")), table, remove),
        QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF %2 ON %3 BEGIN %4 %5 END")
            .arg(RecordLayout::quote(name + QStringLiteral("_au")), list, table, remove, add),
        QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')").arg(fts),
    };
    for (const QString &sql : statements)
        if (auto r = connection.execDirect(sql); !r)
            return r;
    return {};
}

Result<void> ensurePostgres(Connection &connection, const RecordLayout &layout, const QStringList &columns)
{
    const QString name = TextIndex::tableName(layout);
    // pg_trgm is a trusted extension: the database's owner may create it. Where it lives already,
    // its operator class is named with that schema.
    if (auto r = connection.execDirect(QStringLiteral("CREATE EXTENSION IF NOT EXISTS pg_trgm")); !r)
        return r;
    auto schema = connection.exec(QStringLiteral("SELECT n.nspname FROM pg_extension e JOIN pg_namespace n "
                                                 "ON n.oid = e.extnamespace WHERE e.extname = 'pg_trgm'"));
    if (!schema)
        return schema.error();
    if (!schema.value()->next())
        return makeError(90, QStringLiteral("The extension pg_trgm is missing"));
    const QString opclass =
        RecordLayout::quote(schema.value()->value(0).toString()) + QStringLiteral(".gin_trgm_ops");
    return connection.execDirect(QStringLiteral("CREATE INDEX %1 ON %2 USING gin ((%3) %4)")
                                     .arg(RecordLayout::quote(name.toLower()),
                                          RecordLayout::quote(layout.table()), pgFolded(columns), opclass));
}

} // namespace

QString TextIndex::tableName(const RecordLayout &layout)
{
    return layout.table() + QStringLiteral("_text");
}

Result<void> TextIndex::ensure(Connection &connection, const RecordLayout &layout)
{
    const QStringList columns = indexedColumns(layout);
    if (columns.isEmpty())
        return {};
    auto present = indexPresent(connection, layout);
    if (!present)
        return present.error();
    if (*present)
        return {};
    return connection.store().kind() == StoreKind::Sqlite ? ensureSqlite(connection, layout, columns)
                                                          : ensurePostgres(connection, layout, columns);
}

Result<std::optional<SqlCondition>> TextIndex::candidates(Connection &connection, const RecordLayout &layout,
                                                          const QString &text)
{
    const QStringList columns = indexedColumns(layout);
    if (columns.isEmpty() || text.toUcs4().size() < MinimumLength)
        return std::optional<SqlCondition>();
    // A store that could not make its index (opened read-only since) is searched without it.
    auto present = indexPresent(connection, layout);
    if (!present)
        return present.error();
    if (!*present)
        return std::optional<SqlCondition>();
    if (connection.store().kind() == StoreKind::Sqlite) {
        // Every trigram of the text, each as a quoted term: the rows that hold them all.
        const QList<uint> points = text.toUcs4();
        QStringList terms;
        for (qsizetype i = 0; i + MinimumLength <= points.size(); ++i) {
            QString term =
                QString::fromUcs4(reinterpret_cast<const char32_t *>(points.constData() + i), MinimumLength);
            term.replace(u'"', QStringLiteral("\"\""));
            term = u'"' + term + u'"';
            if (!terms.contains(term))
                terms << term;
        }
        const QString fts = RecordLayout::quote(tableName(layout));
        return std::optional(
            SqlCondition{QStringLiteral("\"_rid\" IN (SELECT rowid FROM %1 WHERE %1 MATCH ?)").arg(fts),
                         {QVariant(terms.join(QStringLiteral(" AND ")))}});
    }
    QString pattern = text;
    pattern.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return std::optional(SqlCondition{
        QStringLiteral("%1 LIKE lower((?::text) COLLATE %2)").arg(pgFolded(columns), kPgCollation),
        {QVariant(QString(u'%' + pattern + u'%'))}});
}

} // namespace tarvo::data
