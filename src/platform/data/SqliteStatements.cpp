#include "platform/data/SqliteStatements.h"

#include "platform/data/SqliteStore.h"

#include <sqlite3.h>

namespace tarvo::data {

namespace {
int bindValue(sqlite3_stmt *st, int index, const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return sqlite3_bind_null(st, index);
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return sqlite3_bind_int64(st, index, v.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return sqlite3_bind_int64(st, index, sqlite3_int64(v.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(st, index, v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        if (b.isNull())
            return sqlite3_bind_null(st, index);
        return sqlite3_bind_blob64(st, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QString s = v.toString();
        if (s.isNull())
            return sqlite3_bind_null(st, index);
        const QByteArray utf8 = s.toUtf8();
        return sqlite3_bind_text64(st, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    }
}
} // namespace

SqliteStatements::~SqliteStatements()
{
    for (sqlite3_stmt *st : std::as_const(m_cache))
        sqlite3_finalize(st);
}

Error SqliteStatements::lastError() const
{
    return SqliteStore::classifyNative(sqlite3_extended_errcode(m_db),
                                       QString::fromUtf8(sqlite3_errmsg(m_db)));
}

Result<sqlite3_stmt *> SqliteStatements::start(const QString &sql, const QVariantList &params)
{
    sqlite3_stmt *&st = m_cache[sql];
    if (!st) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &st,
                               nullptr) != SQLITE_OK) {
            const Error e = lastError();
            sqlite3_finalize(st);
            m_cache.remove(sql);
            return e;
        }
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    for (int i = 0; i < params.size(); ++i)
        if (bindValue(st, i + 1, params.at(i)) != SQLITE_OK) {
            const Error e = lastError();
            sqlite3_reset(st);
            return e;
        }
    return st;
}

void SqliteStatements::done(sqlite3_stmt *statement)
{
    sqlite3_reset(statement);
}

} // namespace tarvo::data
