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

// Steps a statement, handing each row to onRow; the statement goes back to its cache at the end.
template <typename OnRow>
Result<void> stepRows(SqliteStatements &statements, const QString &sql, const QVariantList &params,
                      OnRow onRow)
{
    auto started = statements.start(sql, params);
    if (!started)
        return started.error();
    sqlite3_stmt *st = *started;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        onRow(st);
    if (rc != SQLITE_DONE) {
        const Error e = statements.lastError();
        SqliteStatements::done(st);
        return e;
    }
    SqliteStatements::done(st);
    return {};
}

// Column i of the row a statement stands on, in the field type's C++ type. Empty texts and bytes
// share one buffer instead of allocating per row.
class ColumnDecoder final {
  public:
    void decode(sqlite3_stmt *st, int i, FieldType type, QVariant &v) const
    {
        switch (type) {
        case FieldType::Real:
        case FieldType::Decimal:
            v = QVariant(sqlite3_column_double(st, i));
            break;
        case FieldType::String:
        case FieldType::CString:
        case FieldType::Memo: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
            const int bytes = sqlite3_column_bytes(st, i);
            v = bytes > 0 ? QVariant(QString::fromUtf8(text, bytes)) : m_emptyText;
            break;
        }
        case FieldType::Blob: {
            const void *data = sqlite3_column_blob(st, i);
            const int bytes = sqlite3_column_bytes(st, i);
            v = bytes > 0 ? QVariant(QByteArray(static_cast<const char *>(data), bytes)) : m_emptyBytes;
            break;
        }
        default:
            v = QVariant(qint64(sqlite3_column_int64(st, i)));
            break;
        }
    }

  private:
    const QVariant m_emptyText{QStringLiteral("")};
    const QVariant m_emptyBytes{QByteArray("")};
};

// The field types of the selected columns, in the statement's order.
std::vector<FieldType> columnTypes(const RecordLayout &layout, const std::vector<int> &fields)
{
    std::vector<FieldType> types;
    const int n = fields.empty() ? layout.fieldCount() : int(fields.size());
    types.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        types.push_back(layout.field(fields.empty() ? i : fields[size_t(i)]).type);
    return types;
}

Result<void> readSqlite(SqliteStatements &statements, const LayoutPtr &layout, const QString &sql,
                        const QVariantList &params, std::vector<Record> &rows, const std::vector<int> &fields)
{
    const bool partial = !fields.empty();
    const std::vector<FieldType> types = columnTypes(*layout, fields);
    const int n = int(types.size());
    const size_t fieldSlots = size_t(layout->fieldCount());
    const ColumnDecoder decoder;
    return stepRows(statements, sql, params, [&](sqlite3_stmt *st) {
        // The fields a partial record did not read stay invalid: Record gives them their
        // shared empty value, so a row costs only the values it read.
        std::vector<QVariant> values(fieldSlots);
        for (int i = 0; i < n; ++i)
            decoder.decode(st, i, types[size_t(i)], values[size_t(partial ? fields[size_t(i)] : i)]);
        rows.emplace_back(layout, std::move(values), qint64(sqlite3_column_int64(st, n)));
        rows.back().setPartial(partial);
    });
}

} // namespace

Record RecordReader::fromQuery(const QSqlQuery &query, const LayoutPtr &layout,
                               const std::vector<int> &fields)
{
    if (!fields.empty()) {
        std::vector<QVariant> values(size_t(layout->fieldCount()));
        const int n = int(fields.size());
        for (int i = 0; i < n; ++i) {
            const int f = fields[size_t(i)];
            values[size_t(f)] = storedValue(layout->field(f), query.value(i));
        }
        Record record(layout, std::move(values), query.value(n).toLongLong());
        record.setPartial(true);
        return record;
    }
    const int n = layout->fieldCount();
    std::vector<QVariant> values;
    values.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        values.push_back(storedValue(layout->field(i), query.value(i)));
    return Record(layout, std::move(values), query.value(n).toLongLong());
}

QString RecordReader::selectList(const RecordLayout &layout, const std::vector<int> &fields)
{
    if (fields.empty())
        return layout.selectList();
    QStringList columns;
    for (const int f : fields)
        columns << layout.column(f);
    columns << RecordLayout::rowIdColumn();
    return columns.join(QLatin1Char(','));
}

Result<void> RecordReader::readValues(Connection &connection, const LayoutPtr &layout, const QString &sql,
                                      const QVariantList &params, const std::vector<int> &fields,
                                      const RowValues &row)
{
    const std::vector<FieldType> types = columnTypes(*layout, fields);
    const int n = int(types.size());
    std::vector<QVariant> values(static_cast<size_t>(n));
    if (SqliteStatements *statements = connection.sqlite()) {
        const ColumnDecoder decoder;
        return stepRows(*statements, sql, params, [&](sqlite3_stmt *st) {
            for (int i = 0; i < n; ++i)
                decoder.decode(st, i, types[size_t(i)], values[size_t(i)]);
            row(values, qint64(sqlite3_column_int64(st, n)));
        });
    }
    auto q = connection.exec(sql, params);
    if (!q)
        return q.error();
    while (q.value()->next()) {
        for (int i = 0; i < n; ++i)
            values[size_t(i)] =
                storedValue(layout->field(fields.empty() ? i : fields[size_t(i)]), q.value()->value(i));
        row(values, q.value()->value(n).toLongLong());
    }
    return {};
}

Result<void> RecordReader::readIntegers(Connection &connection, const QString &sql,
                                        const QVariantList &params, std::vector<qint64> &values)
{
    if (SqliteStatements *statements = connection.sqlite())
        return stepRows(*statements, sql, params,
                        [&](sqlite3_stmt *st) { values.push_back(qint64(sqlite3_column_int64(st, 0))); });
    auto q = connection.exec(sql, params);
    if (!q)
        return q.error();
    while (q.value()->next())
        values.push_back(q.value()->value(0).toLongLong());
    return {};
}

Result<void> RecordReader::read(Connection &connection, const LayoutPtr &layout, const QString &sql,
                                const QVariantList &params, std::vector<Record> &rows,
                                const std::vector<int> &fields)
{
    if (SqliteStatements *statements = connection.sqlite())
        return readSqlite(*statements, layout, sql, params, rows, fields);
    auto q = connection.exec(sql, params);
    if (!q)
        return q.error();
    while (q.value()->next())
        rows.push_back(fromQuery(**q, layout, fields));
    return {};
}

} // namespace tarvo::data
