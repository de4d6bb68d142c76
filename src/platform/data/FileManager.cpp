#include "platform/data/FileManager.h"

#include "platform/data/Connection.h"
#include "platform/data/Dictionary.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/ErrorReporter.h"
#include "platform/data/RecordReader.h"
#include "platform/data/Session.h"
#include "platform/data/SqliteStatements.h"
#include "platform/data/Store.h"
#include "platform/data/TableSchema.h"
#include "platform/data/Transaction.h"
#include "platform/runtime/Messages.h"

#include <QSqlQuery>
#include <QThread>

#include <optional>
#include <sqlite3.h>

namespace tarvo::data {

namespace {
constexpr int kMsgAccessDenied = 2;
constexpr int kMsgCreateFailed = 12;
constexpr int kMsgRangeError = 18;
constexpr int kMsgDuplicateKey = 15;
constexpr int kMsgOpenFailed = 26;
constexpr int kMsgKeysNotBuilt = 29;
constexpr int kMsgInvalidKey = 30;
constexpr int kMsgAutoIncrement = 35;
constexpr int kAutoNumberAttempts = 3;
} // namespace

FileManager::FileManager(Session &session, LayoutPtr layout)
    : m_session(session), m_layout(std::move(layout)), m_buffer(m_layout)
{
    QStringList cols, marks, sets;
    for (int i = 0; i < m_layout->fieldCount(); ++i) {
        cols << m_layout->column(i);
        marks << QStringLiteral("?");
        sets << m_layout->column(i) + QStringLiteral(" = ?");
    }
    const QString table = RecordLayout::quote(m_layout->table());
    m_insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    m_insertReturningSql = m_insertSql + QStringLiteral(" RETURNING \"_rid\"");
    m_updateSql =
        QStringLiteral("UPDATE %1 SET %2 WHERE \"_rid\" = ?").arg(table, sets.join(QLatin1Char(',')));
}

Result<Connection *> FileManager::connection()
{
    return m_session.connection();
}

QString FileManager::storedName() const
{
    return QStringLiteral("%1 (table %2)").arg(m_session.store().location(), m_layout->table());
}

int FileManager::report(int messageNumber, const Error &error, const QString &field, const QString &key,
                        const QString &message) const
{
    FileError e;
    e.messageNumber = messageNumber;
    e.file = storedName();
    e.field = field;
    e.key = key;
    e.errorCode = error.code;
    e.errorText = error.message.isEmpty() ? errorCodeText(error.code) : error.message;
    e.message = message;
    return m_session.report(e);
}

Result<void> FileManager::open()
{
    if (m_open)
        return {};
    auto r = tryOpen();
    if (r)
        m_open = true;
    return r;
}

Result<void> FileManager::tryOpen()
{
    // The table belongs to the base file of an alias; its declaration makes and converts it.
    LayoutPtr owner = m_layout;
    if (!m_layout->decl().aliasOf.isEmpty())
        if (LayoutPtr base = m_session.dictionary().layout(m_layout->decl().aliasOf))
            owner = base;
    int creates = 0;
    bool accessRetried = false;
    bool rebuilt = false;
    for (;;) {
        auto conn = connection();
        if (!conn) {
            report(kMsgOpenFailed, conn.error());
            return conn.error();
        }
        Store &store = (*conn)->store();
        Result<void> checked;
        if (!store.isTableReady(owner->table())) {
            checked = TableSchema(**conn, *owner).check();
            if (checked)
                store.setTableReady(owner->table(), true);
        }
        if (checked && !store.canWrite(**conn, owner->table()))
            checked = makeError(ErrorCode::AccessDenied, errorCodeText(ErrorCode::AccessDenied));
        if (checked) {
            m_readOnly = false;
            return {};
        }
        const Error err = checked.error();
        switch (err.code) {
        case ErrorCode::FileNotFound:
            if (creates++ >= 2) {
                report(kMsgOpenFailed, err);
                return err;
            }
            if (auto made = TableSchema(**conn, *owner).create(); !made) {
                report(kMsgCreateFailed, made.error());
                return made.error();
            }
            continue;
        case ErrorCode::AccessDenied:
            if (!accessRetried) {
                accessRetried = true;
                QThread::msleep(100);
                continue;
            }
            report(kMsgAccessDenied, err);
            m_readOnly = true;
            return {};
        case ErrorCode::KeysNeedRebuilding:
            if (rebuilt) {
                report(kMsgOpenFailed, err);
                return err;
            }
            rebuilt = true;
            report(kMsgInvalidKey, err);
            if (auto fixed = store.reindex(**conn, owner->table()); !fixed) {
                report(kMsgKeysNotBuilt, fixed.error());
                return fixed.error();
            }
            continue;
        default:
            report(kMsgOpenFailed, err);
            return err;
        }
    }
}

void FileManager::close()
{
    m_open = false;
    m_readOnly = false;
    m_claimedRow = 0;
}

Result<void> FileManager::checkWritable()
{
    if (auto r = open(); !r)
        return r;
    if (m_readOnly)
        return makeError(ErrorCode::AccessDenied, errorCodeText(ErrorCode::AccessDenied));
    return {};
}

void FileManager::load(const QSqlQuery &query, Record &record) const
{
    record = RecordReader::fromQuery(query, m_layout);
}

Result<void> FileManager::select(const QString &sql, const QVariantList &params, std::vector<Record> &rows,
                                 const std::vector<int> &fields)
{
    auto conn = connection();
    if (!conn)
        return conn.error();
    return RecordReader::read(**conn, m_layout, sql, params, rows, fields);
}

Result<void> FileManager::checkTexts(const Record &record)
{
    if (m_session.store().kind() != StoreKind::Postgres)
        return {};
    for (int i = 0; i < m_layout->fieldCount(); ++i) {
        const QVariant &v = record.value(i);
        if (v.typeId() != QMetaType::QString || !v.toString().contains(QChar(0)))
            continue;
        const Error err =
            makeError(ErrorCode::InvalidRecordDeclaration,
                      QStringLiteral("The text of %1 holds a NUL character, which %2 cannot keep")
                          .arg(m_layout->fullFieldName(i), storedName()));
        report(0, err, m_layout->fullFieldName(i));
        return err;
    }
    return {};
}

Result<void> FileManager::checkWhole(const Record &record)
{
    if (!record.isPartial())
        return {};
    const Error err = makeError(ErrorCode::InvalidRecordDeclaration,
                                QStringLiteral("The record was read with some of its fields only "
                                               "and cannot be written"));
    report(0, err);
    return err;
}

Result<void> FileManager::selectOne(const QString &sql, const QVariantList &params, Record &record)
{
    std::vector<Record> rows;
    if (auto r = select(sql, params, rows); !r)
        return r;
    if (rows.empty())
        return makeError(ErrorCode::RecordNotFound, errorCodeText(ErrorCode::RecordNotFound));
    record = std::move(rows.front());
    return {};
}

QString FileManager::keyEquals(int key, int components) const
{
    const KeyDecl &k = m_layout->key(key);
    QStringList terms;
    for (int c = 0; c < components && c < int(k.components.size()); ++c) {
        const int f = m_layout->fieldIndex(k.components[size_t(c)].field);
        terms << TableSchema::orderTerm(*m_layout, f, k.caseInsensitive, false) + QStringLiteral(" = ?");
    }
    return terms.isEmpty() ? QStringLiteral("1 = 1") : terms.join(QStringLiteral(" AND "));
}

QVariantList FileManager::keyValues(int key, const Record &record, int components) const
{
    QVariantList values;
    const KeyDecl &k = m_layout->key(key);
    for (int c = 0; c < components && c < int(k.components.size()); ++c)
        values << record.value(m_layout->fieldIndex(k.components[size_t(c)].field));
    return values;
}

Result<void> FileManager::validate(const Record &record)
{
    for (const RangeCheck &check : m_layout->decl().rangeChecks) {
        const int f = m_layout->fieldIndex(check.field);
        if (f < 0)
            continue;
        const double v = record.value(f).toDouble();
        if (v < check.low || v > check.high) {
            const QString range =
                QString::number(check.low) + QStringLiteral(" .. ") + QString::number(check.high);
            const Error err =
                makeError(ErrorCode::InvalidRecordDeclaration, QStringLiteral("Value out of range"));
            report(kMsgRangeError, err, m_layout->fullFieldName(f), QString(), range);
            return err;
        }
    }
    return {};
}

Result<qint64> FileManager::nextNumber(const Record &record)
{
    const int key = m_layout->autoNumberKey();
    const KeyDecl &k = m_layout->key(key);
    const int leading = int(k.components.size()) - 1;
    const int f = m_layout->fieldIndex(k.components.back().field);
    auto conn = connection();
    if (!conn)
        return conn.error();
    if (m_nextNumberSql.isEmpty())
        m_nextNumberSql =
            QStringLiteral("SELECT MAX(%1) FROM %2 WHERE %3")
                .arg(m_layout->column(f), RecordLayout::quote(m_layout->table()), keyEquals(key, leading));
    std::vector<qint64> highest;
    if (auto r =
            RecordReader::readIntegers(**conn, m_nextNumberSql, keyValues(key, record, leading), highest);
        !r)
        return r.error();
    return (highest.empty() ? 0 : highest.front()) + 1;
}

Result<void> FileManager::addRow(Record &record)
{
    auto conn = connection();
    if (!conn)
        return conn.error();
    QVariantList values;
    values.reserve(m_layout->fieldCount());
    for (int i = 0; i < m_layout->fieldCount(); ++i)
        values << record.value(i);
    // SQLite tells the new row without a result set, which saves a good part of an insert; its
    // statement runs on the C API, which binds the texts as the UTF-8 they are stored in.
    if (SqliteStatements *statements = (*conn)->sqlite()) {
        auto started = statements->start(m_insertSql, values);
        if (!started)
            return started.error();
        const int rc = sqlite3_step(*started);
        if (rc != SQLITE_DONE) {
            const Error e = statements->lastError();
            SqliteStatements::done(*started);
            return e;
        }
        SqliteStatements::done(*started);
        record.setRowId(qint64(sqlite3_last_insert_rowid(statements->handle())));
        return {};
    }
    const bool returning = (*conn)->store().kind() == StoreKind::Postgres;
    auto q = (*conn)->exec(returning ? m_insertReturningSql : m_insertSql, values);
    if (!q)
        return q.error();
    const QVariant id =
        returning ? (q.value()->next() ? q.value()->value(0) : QVariant()) : q.value()->lastInsertId();
    if (!id.isValid())
        return makeError(ErrorCode::FileSystemError, QStringLiteral("The new row has no number"));
    record.setRowId(id.toLongLong());
    return {};
}

Result<void> FileManager::writeRow(Record &record, const Record *stored)
{
    auto conn = connection();
    if (!conn)
        return conn.error();
    QVariantList values;
    QStringList sets;
    for (int i = 0; i < m_layout->fieldCount(); ++i) {
        if (stored && stored->value(i) == record.value(i))
            continue;
        values << record.value(i);
        sets << m_layout->column(i) + QStringLiteral(" = ?");
    }
    values << record.rowId();
    // Every index of a column in the SET list is rewritten, so a change names only its fields; with
    // none changed the whole row is written, which also finds out whether it is still there.
    const bool partial = stored && !sets.isEmpty();
    if (stored && sets.isEmpty()) {
        values.clear();
        for (int i = 0; i < m_layout->fieldCount(); ++i)
            values << record.value(i);
        values << record.rowId();
    }
    const QString sql = partial
                            ? QStringLiteral("UPDATE %1 SET %2 WHERE \"_rid\" = ?")
                                  .arg(RecordLayout::quote(m_layout->table()), sets.join(QLatin1Char(',')))
                            : m_updateSql;
    auto q = (*conn)->exec(sql, values);
    if (!q)
        return q.error();
    if (q.value()->numRowsAffected() == 0)
        return makeError(ErrorCode::RecordNotFound, errorCodeText(ErrorCode::RecordNotFound));
    return {};
}

Error FileManager::duplicateError(const Record &record, const Error &error)
{
    // Name the key that the record collides with, as the message shows it.
    auto conn = connection();
    for (int k = 0; conn && k < m_layout->keyCount(); ++k) {
        const KeyDecl &key = m_layout->key(k);
        if (!key.unique || key.dynamic)
            continue;
        const int n = int(key.components.size());
        QVariantList params = keyValues(k, record, n);
        params << record.rowId();
        auto q = (*conn)->exec(QStringLiteral("SELECT 1 FROM %1 WHERE %2 AND \"_rid\" <> ? LIMIT 1")
                                   .arg(RecordLayout::quote(m_layout->table()), keyEquals(k, n)),
                               params);
        if (q && q.value()->next()) {
            const QString desc = m_layout->keyDescription(k);
            report(kMsgDuplicateKey, error, QString(), desc, desc);
            return error;
        }
    }
    report(kMsgDuplicateKey, error);
    return error;
}

Error FileManager::writeError(const Record &record, const Error &error)
{
    if (error.code == ErrorCode::DuplicateKey)
        return duplicateError(record, error);
    report(0, error);
    return error;
}

Result<void> FileManager::insertNumbered(Record &record, bool claimOnly)
{
    const int key = m_layout->autoNumberKey();
    const int f = m_layout->fieldIndex(m_layout->key(key).components.back().field);
    auto conn = connection();
    if (!conn)
        return conn.error();
    for (;;) {
        Error last;
        for (int attempt = 0; attempt < kAutoNumberAttempts; ++attempt) {
            Record attemptRecord = record;
            if (claimOnly) {
                attemptRecord.clear();
                const auto &comps = m_layout->key(key).components;
                for (size_t c = 0; c + 1 < comps.size(); ++c) {
                    const int lf = m_layout->fieldIndex(comps[c].field);
                    attemptRecord.setValue(lf, record.value(lf));
                }
            }
            qint64 number = 0;
            Result<void> added = [&]() -> Result<void> {
                // Reading the highest number and adding the record is one transaction that holds
                // the table's numbering, so no other copy can take the number in between. Inside
                // a transaction SQLite already holds the write lock and undoes a failed statement
                // by itself; PostgreSQL needs a savepoint to go on after a failed one.
                std::optional<Transaction> tx;
                if ((*conn)->transactionDepth() == 0 || (*conn)->store().kind() == StoreKind::Postgres) {
                    tx.emplace(**conn);
                    if (!tx->started())
                        return tx->started();
                }
                if (auto locked = (*conn)->store().lockNumbering(**conn, m_layout->table()); !locked)
                    return locked;
                auto next = nextNumber(record);
                if (!next)
                    return next.error();
                number = *next;
                attemptRecord.setValue(f, number);
                if (auto r = addRow(attemptRecord); !r)
                    return r;
                return tx ? tx->commit() : Result<void>();
            }();
            if (added) {
                record.setValue(f, number);
                record.setRowId(attemptRecord.rowId());
                return {};
            }
            last = added.error();
            if (last.code == ErrorCode::DuplicateKey && !claimOnly && number != 0) {
                // Only a collision on the number is worth another number.
                auto q = (*conn)->exec(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1")
                                           .arg(RecordLayout::quote(m_layout->table()), m_layout->column(f)),
                                       {number});
                if (!(q && q.value()->next())) {
                    attemptRecord.setRowId(0);
                    return duplicateError(attemptRecord, last);
                }
            }
        }
        const int answer = report(kMsgAutoIncrement, last, QString(), m_layout->keyDescription(key));
        if (answer != Button::Yes)
            return last;
    }
}

Result<void> FileManager::primeRecord(Record &record)
{
    ++m_writes;
    if (auto w = checkWritable(); !w)
        return w;
    if (!record.isValid() || &record.layout() != m_layout.get())
        record = Record(m_layout);
    record.clear();
    m_claimedRow = 0;
    if (m_layout->autoNumberKey() >= 0) {
        auto claimed = insertNumbered(record, true);
        if (!claimed)
            return claimed;
        m_claimedRow = record.rowId();
    }
    for (const auto &[field, value] : m_layout->decl().insertDefaults)
        record.setValue(field, value);
    return {};
}

Result<void> FileManager::cancelPrimed(Record &record)
{
    ++m_writes;
    if (m_claimedRow == 0 || record.rowId() != m_claimedRow)
        return {};
    m_claimedRow = 0;
    auto r = remove(record);
    record.setRowId(0);
    return r;
}

Result<void> FileManager::insert(Record &record)
{
    ++m_writes;
    if (auto whole = checkWhole(record); !whole)
        return whole;
    if (auto texts = checkTexts(record); !texts)
        return texts;
    if (auto w = checkWritable(); !w)
        return w;
    if (auto v = validate(record); !v)
        return v;
    if (m_claimedRow != 0 && record.rowId() == m_claimedRow) {
        if (auto r = writeRow(record); !r)
            return writeError(record, r.error());
        m_claimedRow = 0;
        return {};
    }
    record.setRowId(0);
    const int key = m_layout->autoNumberKey();
    if (key >= 0) {
        const int f = m_layout->fieldIndex(m_layout->key(key).components.back().field);
        if (record.value(f).toLongLong() == 0)
            return insertNumbered(record, false);
    }
    if (auto r = addRow(record); !r)
        return writeError(record, r.error());
    return {};
}

Result<void> FileManager::update(Record &record)
{
    return updateFrom(record, nullptr);
}

Result<void> FileManager::update(Record &record, const Record &stored)
{
    // A record of another row cannot stand for this one: that case writes the whole row.
    return updateFrom(record, stored.rowId() == record.rowId() && stored.rowId() != 0 ? &stored : nullptr);
}

Result<void> FileManager::updateFrom(Record &record, const Record *stored)
{
    ++m_writes;
    if (auto whole = checkWhole(record); !whole)
        return whole;
    if (auto texts = checkTexts(record); !texts)
        return texts;
    if (auto w = checkWritable(); !w)
        return w;
    if (auto v = validate(record); !v)
        return v;
    if (auto r = writeRow(record, stored); !r)
        return writeError(record, r.error());
    return {};
}

Result<void> FileManager::remove(Record &record)
{
    ++m_writes;
    if (auto whole = checkWhole(record); !whole)
        return whole;
    if (auto w = checkWritable(); !w)
        return w;
    auto conn = connection();
    if (!conn)
        return conn.error();
    auto q = (*conn)->exec(
        QStringLiteral("DELETE FROM %1 WHERE \"_rid\" = ?").arg(RecordLayout::quote(m_layout->table())),
        {record.rowId()});
    if (!q) {
        report(0, q.error());
        return q.error();
    }
    if (q.value()->numRowsAffected() == 0)
        return makeError(ErrorCode::RecordNotFound, errorCodeText(ErrorCode::RecordNotFound));
    return {};
}

Result<void> FileManager::fetch(const QString &keyName, Record &record)
{
    if (auto o = open(); !o)
        return o;
    const int key = m_layout->keyIndex(keyName);
    if (key < 0 || m_layout->key(key).dynamic)
        return makeError(ErrorCode::InvalidRecordDeclaration,
                         QStringLiteral("No key %1 in %2").arg(keyName, m_layout->label()));
    const KeyDecl &k = m_layout->key(key);
    QStringList order;
    for (const KeyComponent &c : k.components)
        order << TableSchema::orderTerm(*m_layout, m_layout->fieldIndex(c.field), k.caseInsensitive,
                                        c.descending);
    order << RecordLayout::rowIdColumn();
    const int n = int(k.components.size());
    return selectOne(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4 LIMIT 1")
                         .arg(m_layout->selectList(), RecordLayout::quote(m_layout->table()),
                              keyEquals(key, n), order.join(QLatin1Char(','))),
                     keyValues(key, record, n), record);
}

Result<void> FileManager::fetchRow(qint64 rowId, Record &record)
{
    if (auto o = open(); !o)
        return o;
    return selectOne(QStringLiteral("SELECT %1 FROM %2 WHERE \"_rid\" = ?")
                         .arg(m_layout->selectList(), RecordLayout::quote(m_layout->table())),
                     {rowId}, record);
}

} // namespace tarvo::data
