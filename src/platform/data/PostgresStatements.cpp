#include "platform/data/PostgresStatements.h"

#include "platform/data/ErrorCode.h"
#include "platform/data/PostgresStore.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

#include <cmath>
#include <libpq-fe.h>
#include <vector>

namespace tarvo::data {

namespace {

// Whether Qt's driver writes the value as NULL: a null variant, text, byte array or date.
bool isNullParameter(const QVariant &v)
{
    if (v.isNull())
        return true;
    switch (v.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString *>(v.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray *>(v.constData())->isNull();
    case QMetaType::QDate:
        return static_cast<const QDate *>(v.constData())->isNull();
    case QMetaType::QTime:
        return static_cast<const QTime *>(v.constData())->isNull();
    case QMetaType::QDateTime:
        return static_cast<const QDateTime *>(v.constData())->isNull();
    default:
        return false;
    }
}

// A parameter as the text Qt's driver writes into its EXECUTE; false for NULL.
bool parameterText(const QVariant &v, QByteArray &out)
{
    if (isNullParameter(v))
        return false;
    switch (v.typeId()) {
    case QMetaType::Bool:
        out = v.toBool() ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
        return true;
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        out = QByteArray::number(v.toLongLong());
        return true;
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        out = QByteArray::number(v.toULongLong());
        return true;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = v.toDouble();
        if (std::isnan(d))
            out = QByteArrayLiteral("NaN");
        else if (std::isinf(d))
            out = d > 0 ? QByteArrayLiteral("Infinity") : QByteArrayLiteral("-Infinity");
        else
            out = QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
        return true;
    }
    case QMetaType::QByteArray:
        out = QByteArrayLiteral("\\x") + v.toByteArray().toHex();
        return true;
    case QMetaType::QDate:
        out = v.toDate().toString(Qt::ISODate).toUtf8();
        return true;
    case QMetaType::QTime:
        out = v.toTime().toString(Qt::ISODateWithMs).toUtf8();
        return true;
    case QMetaType::QDateTime:
        out = v.toDateTime().toString(Qt::ISODateWithMs).toUtf8();
        return true;
    default:
        out = v.toString().toUtf8();
        return true;
    }
}

} // namespace

void PostgresResultDeleter::operator()(PGresult *result) const
{
    PQclear(result);
}

PostgresStatements::PostgresStatements(PGconn *conn, QString location)
    : m_conn(conn), m_location(std::move(location))
{
}

bool PostgresStatements::isFree() const
{
    const PGTransactionStatusType status = PQtransactionStatus(m_conn);
    return status == PQTRANS_IDLE || status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

bool PostgresStatements::discardPending()
{
    while (PGresult *result = PQgetResult(m_conn))
        PQclear(result);
    return isFree();
}

QByteArray PostgresStatements::numberedParameters(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    QChar quote;
    int n = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('$') + QString::number(++n);
            continue;
        }
        out += c;
    }
    return out.toUtf8();
}

Error PostgresStatements::resultError(const PGresult *result) const
{
    const QString state = QString::fromUtf8(result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr);
    const QString text =
        QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(m_conn)).trimmed();
    return PostgresStore::classifyNative(state, text);
}

Result<PostgresResult> PostgresStatements::run(const QString &sql, const QVariantList &params)
{
    // PostgreSQL keeps no NUL in a text.
    for (const QVariant &p : params)
        if (p.typeId() == QMetaType::QString && p.toString().contains(QChar(0)))
            return makeError(
                ErrorCode::InvalidRecordDeclaration,
                QStringLiteral("A text holding a NUL character cannot be stored in %1").arg(m_location));
    auto found = m_names.constFind(sql);
    if (found == m_names.constEnd()) {
        const QByteArray name = QByteArrayLiteral("tarvo_read") + QByteArray::number(m_names.size() + 1);
        PostgresResult prepared(
            PQprepare(m_conn, name.constData(), numberedParameters(sql).constData(), 0, nullptr));
        if (!prepared || PQresultStatus(prepared.get()) != PGRES_COMMAND_OK)
            return resultError(prepared.get());
        found = m_names.insert(sql, name);
    }
    std::vector<QByteArray> texts(size_t(params.size()));
    std::vector<const char *> values(size_t(params.size()), nullptr);
    for (qsizetype i = 0; i < params.size(); ++i)
        if (parameterText(params.at(i), texts[size_t(i)]))
            values[size_t(i)] = texts[size_t(i)].constData();
    PostgresResult result(
        PQexecPrepared(m_conn, found->constData(), int(params.size()), values.data(), nullptr, nullptr, 0));
    if (!result || PQresultStatus(result.get()) != PGRES_TUPLES_OK)
        return resultError(result.get());
    return result;
}

} // namespace tarvo::data
