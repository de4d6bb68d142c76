#include "platform/data/RecordReader.h"

#include "platform/data/Connection.h"
#include "platform/data/SqliteStatements.h"

#include <QSqlQuery>

#include <sqlite3.h>

namespace tarvo::data {

namespace {

// A stored value as Qt's driver gives it, in the field type's C++ type (the drivers differ:
// INTEGER as int or qlonglong, a NULL as an invalid variant).
QVariant storedValue(const FieldDecl &field, const QVariant &v)
{
    switch (field.type) {
    case FieldType::Real:
    case FieldType::Decimal:
        return v.typeId() == QMetaType::Double ? v : QVariant(v.toDouble());
    case FieldType::String:
    case FieldType::CString:
    case FieldType::Memo: {
        QString s = v.toString();
        return QVariant(s.isNull() ? QStringLiteral("") : std::move(s));
    }
    case FieldType::Blob: {
        QByteArray b = v.toByteArray();
        return QVariant(b.isNull() ? QByteArray("") : std::move(b));
    }
    default:
        return v.typeId() == QMetaType::LongLong ? v : QVariant(qint64(v.toLongLong()));
    }
}

Result<void> readSqlite(SqliteStatements &statements, const LayoutPtr &layout, const QString &sql,
                        const QVariantList &params, std::vector<Record> &rows)
{
    auto started = statements.start(sql, params);
    if (!started)
        return started.error();
    sqlite3_stmt *st = *started;
    const int n = layout->fieldCount();
    // Empty values share one buffer instead of allocating per row.
    const QVariant emptyText(QStringLiteral(""));
    const QVariant emptyBytes(QByteArray(""));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<QVariant> values;
        values.reserve(size_t(n));
        for (int i = 0; i < n; ++i) {
            switch (layout->field(i).type) {
            case FieldType::Real:
            case FieldType::Decimal:
                values.emplace_back(sqlite3_column_double(st, i));
                break;
            case FieldType::String:
            case FieldType::CString:
            case FieldType::Memo: {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
                const int bytes = sqlite3_column_bytes(st, i);
                if (bytes > 0)
                    values.emplace_back(QString::fromUtf8(text, bytes));
                else
                    values.push_back(emptyText);
                break;
            }
            case FieldType::Blob: {
                const void *data = sqlite3_column_blob(st, i);
                const int bytes = sqlite3_column_bytes(st, i);
                if (bytes > 0)
                    values.emplace_back(QByteArray(static_cast<const char *>(data), bytes));
                else
                    values.push_back(emptyBytes);
                break;
            }
            default:
                values.emplace_back(qint64(sqlite3_column_int64(st, i)));
                break;
            }
        }
        rows.emplace_back(layout, std::move(values), qint64(sqlite3_column_int64(st, n)));
    }
    if (rc != SQLITE_DONE) {
        const Error e = statements.lastError();
        SqliteStatements::done(st);
        return e;
    }
    SqliteStatements::done(st);
    return {};
}

} // namespace

Record RecordReader::fromQuery(const QSqlQuery &query, const LayoutPtr &layout)
{
    const int n = layout->fieldCount();
    std::vector<QVariant> values;
    values.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        values.push_back(storedValue(layout->field(i), query.value(i)));
    return Record(layout, std::move(values), query.value(n).toLongLong());
}

Result<void> RecordReader::read(Connection &connection, const LayoutPtr &layout, const QString &sql,
                                const QVariantList &params, std::vector<Record> &rows)
{
    if (SqliteStatements *statements = connection.sqlite())
        return readSqlite(*statements, layout, sql, params, rows);
    auto q = connection.exec(sql, params);
    if (!q)
        return q.error();
    while (q.value()->next())
        rows.push_back(fromQuery(**q, layout));
    return {};
}

} // namespace tarvo::data
