#include "platform/data/RecordReader.h"

#include "platform/data/Connection.h"
#include "platform/data/PostgresStatements.h"
#include "platform/data/SqliteStatements.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QTime>

#include <charconv>
#include <cmath>
#include <libpq-fe.h>
#include <limits>
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

// PostgreSQL type numbers (pg_type.oid) of the results the stores read.
enum PgType : Oid {
    PgBool = 16,
    PgBytea = 17,
    PgInt8 = 20,
    PgInt2 = 21,
    PgInt4 = 23,
    PgText = 25,
    PgOid = 26,
    PgFloat4 = 700,
    PgFloat8 = 701,
    PgBpchar = 1042,
    PgVarchar = 1043,
    PgDate = 1082,
    PgTime = 1083,
    PgTimestamp = 1114,
    PgTimestampTz = 1184,
    PgNumeric = 1700,
};

// The type Qt's driver gives a column of this PostgreSQL type.
QMetaType qtType(Oid type)
{
    switch (type) {
    case PgBool:
        return QMetaType::fromType<bool>();
    case PgInt2:
    case PgInt4:
    case PgOid:
        return QMetaType::fromType<int>();
    case PgInt8:
        return QMetaType::fromType<qlonglong>();
    case PgFloat4:
    case PgFloat8:
    case PgNumeric:
        return QMetaType::fromType<double>();
    case PgBytea:
        return QMetaType::fromType<QByteArray>();
    case PgDate:
        return QMetaType::fromType<QDate>();
    case PgTime:
        return QMetaType::fromType<QTime>();
    case PgTimestamp:
    case PgTimestampTz:
        return QMetaType::fromType<QDateTime>();
    default:
        return QMetaType::fromType<QString>();
    }
}

bool parseInteger(const char *text, int bytes, qint64 &out)
{
    const auto [end, ec] = std::from_chars(text, text + bytes, out);
    return ec == std::errc() && end == text + bytes;
}

// A floating point text of the server ("NaN", "Infinity" and "-Infinity" among them).
double parseDouble(const char *text, int bytes)
{
    double d = 0;
    const auto [end, ec] = std::from_chars(text, text + bytes, d);
    if (ec == std::errc() && end == text + bytes)
        return d;
    const QByteArrayView v(text, bytes);
    if (v == "NaN")
        return std::numeric_limits<double>::quiet_NaN();
    if (v == "Infinity")
        return std::numeric_limits<double>::infinity();
    if (v == "-Infinity")
        return -std::numeric_limits<double>::infinity();
    return 0;
}

QByteArray unescapeBytes(const char *text)
{
    size_t length = 0;
    unsigned char *bytes = PQunescapeBytea(reinterpret_cast<const unsigned char *>(text), &length);
    QByteArray out(reinterpret_cast<const char *>(bytes), qsizetype(length));
    PQfreemem(bytes);
    return out;
}

// A value as Qt's driver gives it from the text of a column of this type.
QVariant qtValue(Oid type, const char *text, int bytes)
{
    switch (type) {
    case PgBool:
        return QVariant(bytes > 0 && text[0] == 't');
    case PgInt2:
    case PgInt4:
    case PgOid:
        return QVariant(QByteArrayView(text, bytes).toInt());
    case PgInt8:
        return QVariant(qlonglong(QByteArrayView(text, bytes).toLongLong()));
    case PgFloat4:
    case PgFloat8:
    case PgNumeric:
        return QVariant(parseDouble(text, bytes));
    case PgBytea:
        return QVariant(unescapeBytes(text));
    default:
        return QVariant(QString::fromUtf8(text, bytes));
    }
}

// Column i of a libpq text result, in the field type's C++ type, equal to what Qt's driver and
// storedValue() make of it. The column types the stores create are read straight from their
// text; any other goes the driver's way.
class PostgresDecoder final {
  public:
    PostgresDecoder(const PGresult *result, const RecordLayout &layout, const std::vector<int> &fields,
                    int count)
    {
        m_columns.reserve(size_t(count));
        for (int i = 0; i < count; ++i) {
            const FieldDecl &field = layout.field(fields.empty() ? i : fields[size_t(i)]);
            const Oid type = PQftype(result, i);
            m_columns.push_back({&field, type, kindOf(field.type, type)});
        }
    }

    void decode(const PGresult *result, int row, int i, QVariant &v) const
    {
        const Column &c = m_columns[size_t(i)];
        if (PQgetisnull(result, row, i)) {
            v = storedValue(*c.field, QVariant(qtType(c.type), nullptr));
            return;
        }
        const char *text = PQgetvalue(result, row, i);
        const int bytes = PQgetlength(result, row, i);
        switch (c.kind) {
        case Kind::Integer: {
            qint64 n = 0;
            v = parseInteger(text, bytes, n) ? QVariant(n)
                                             : storedValue(*c.field, qtValue(c.type, text, bytes));
            break;
        }
        case Kind::Double:
            v = QVariant(parseDouble(text, bytes));
            break;
        case Kind::Text:
            v = bytes > 0 ? QVariant(QString::fromUtf8(text, bytes)) : m_emptyText;
            break;
        case Kind::Bytes:
            v = bytes == 0 || (bytes == 2 && text[0] == '\\' && text[1] == 'x')
                    ? m_emptyBytes
                    : QVariant(unescapeBytes(text));
            break;
        case Kind::Other:
            v = storedValue(*c.field, qtValue(c.type, text, bytes));
            break;
        }
    }

  private:
    enum class Kind { Integer, Double, Text, Bytes, Other };
    struct Column {
        const FieldDecl *field;
        Oid type;
        Kind kind;
    };

    static Kind kindOf(FieldType field, Oid type)
    {
        switch (field) {
        case FieldType::Real:
        case FieldType::Decimal:
            return type == PgFloat8 || type == PgFloat4 ? Kind::Double : Kind::Other;
        case FieldType::String:
        case FieldType::CString:
        case FieldType::Memo:
            return type == PgText || type == PgVarchar ? Kind::Text : Kind::Other;
        case FieldType::Blob:
            return type == PgBytea ? Kind::Bytes : Kind::Other;
        default:
            return type == PgInt2 || type == PgInt4 || type == PgInt8 ? Kind::Integer : Kind::Other;
        }
    }

    std::vector<Column> m_columns;
    const QVariant m_emptyText{QStringLiteral("")};
    const QVariant m_emptyBytes{QByteArray("")};
};

// The integer in column i of a libpq text result, as Qt's driver and toLongLong() make it.
qint64 postgresInteger(const PGresult *result, int row, int i)
{
    if (PQgetisnull(result, row, i))
        return 0;
    const char *text = PQgetvalue(result, row, i);
    const int bytes = PQgetlength(result, row, i);
    qint64 n = 0;
    return parseInteger(text, bytes, n) ? n : qtValue(PQftype(result, i), text, bytes).toLongLong();
}

// Runs a statement through libpq, handing the result and each row number to onRow.
template <typename OnRow>
Result<void> postgresRows(PostgresStatements &statements, const QString &sql, const QVariantList &params,
                          OnRow onRow)
{
    auto result = statements.run(sql, params);
    if (!result)
        return result.error();
    const PGresult *r = result->get();
    const int rows = PQntuples(r);
    for (int row = 0; row < rows; ++row)
        onRow(r, row);
    return {};
}

Result<void> readPostgres(PostgresStatements &statements, const LayoutPtr &layout, const QString &sql,
                          const QVariantList &params, std::vector<Record> &rows,
                          const std::vector<int> &fields)
{
    auto result = statements.run(sql, params);
    if (!result)
        return result.error();
    const PGresult *r = result->get();
    const bool partial = !fields.empty();
    const int n = partial ? int(fields.size()) : layout->fieldCount();
    const size_t fieldSlots = size_t(layout->fieldCount());
    const PostgresDecoder decoder(r, *layout, fields, n);
    const int count = PQntuples(r);
    rows.reserve(rows.size() + size_t(count));
    for (int row = 0; row < count; ++row) {
        std::vector<QVariant> values(fieldSlots);
        for (int i = 0; i < n; ++i)
            decoder.decode(r, row, i, values[size_t(partial ? fields[size_t(i)] : i)]);
        rows.emplace_back(layout, std::move(values), postgresInteger(r, row, n));
        rows.back().setPartial(partial);
    }
    return {};
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
    if (PostgresStatements *statements = connection.postgres()) {
        auto result = statements->run(sql, params);
        if (!result)
            return result.error();
        const PGresult *r = result->get();
        const PostgresDecoder decoder(r, *layout, fields, n);
        const int count = PQntuples(r);
        for (int at = 0; at < count; ++at) {
            for (int i = 0; i < n; ++i)
                decoder.decode(r, at, i, values[size_t(i)]);
            row(values, postgresInteger(r, at, n));
        }
        return {};
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
    if (PostgresStatements *statements = connection.postgres())
        return postgresRows(*statements, sql, params, [&](const PGresult *r, int row) {
            values.push_back(postgresInteger(r, row, 0));
        });
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
    if (PostgresStatements *statements = connection.postgres())
        return readPostgres(*statements, layout, sql, params, rows, fields);
    auto q = connection.exec(sql, params);
    if (!q)
        return q.error();
    while (q.value()->next())
        rows.push_back(fromQuery(**q, layout, fields));
    return {};
}

} // namespace tarvo::data
