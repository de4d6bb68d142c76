#pragma once

#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QVariantList>

#include <vector>

class QSqlQuery;

namespace tarvo::data {

class Connection;
class Session;
struct FileError;

// One data file for one logical thread: opens it on first use (creating, converting or
// repairing it as needed), numbers new records, fills insert defaults, checks ranges, writes and
// reads records, and reports every file error through the session's error reporter.
// Every failing call has reported its error when it returns it, so callers never report it again;
// inside a transaction the report is kept and shown once the transaction has ended.
class FileManager final {
  public:
    FileManager(Session &session, LayoutPtr layout);

    const RecordLayout &layout() const { return *m_layout; }
    const LayoutPtr &layoutPtr() const { return m_layout; }
    Session &session() const { return m_session; }
    // The thread's record buffer of this file.
    Record &buffer() { return m_buffer; }
    Record newRecord() const { return Record(m_layout); }

    // Opens the file (codes 0, 2, 5, 46 handled as the dictionary's managers do); the error
    // carries the code when the file could not be opened.
    Result<void> open();
    bool isOpen() const { return m_open; }
    bool isReadOnly() const { return m_readOnly; }
    void close();

    // Prepares `record` for an insert: cleared, numbered (the number is claimed at once by adding
    // the record) and given the insert defaults. insert() then writes it; cancelPrimed() drops
    // the claimed number when the user cancels.
    Result<void> primeRecord(Record &record);
    Result<void> cancelPrimed(Record &record);
    // insert, update and remove refuse a partial record (read with some fields only, see
    // View::setColumns): writing it would store empty values over the fields it did not read.
    // Adds the record (numbering it first when its autonumber is 0), or writes a primed one.
    Result<void> insert(Record &record);
    // Writes a record read before (by its row).
    Result<void> update(Record &record);
    // The same for a record whose stored values the caller holds unchanged (`stored`, read under
    // its hold): only the fields that differ are written, so untouched keys are left alone.
    Result<void> update(Record &record, const Record &stored);
    // Deletes one record, without relation rules (see RelationManager::remove).
    Result<void> remove(Record &record);

    // How many writes (inserts, updates, removals, also failed ones) this manager was asked for:
    // a reader that keeps rows between reads sees from it that they may have changed.
    quint64 writeCount() const { return m_writes; }

    // Reads the first record whose key components equal those of `record`; code 35 when none.
    // Not reported: a missing record is an answer, not an error.
    Result<void> fetch(const QString &keyName, Record &record);
    Result<void> fetchRow(qint64 rowId, Record &record);

    // The declared range checks; message 18 for the first value outside its range.
    Result<void> validate(const Record &record);

    // Reads the current row into `record` from a statement positioned on it.
    void load(const QSqlQuery &query, Record &record) const;
    // Runs a SELECT of the layout's select list, or of `fields` and the row id, and appends its
    // rows to `rows` (see RecordReader).
    Result<void> select(const QString &sql, const QVariantList &params, std::vector<Record> &rows,
                        const std::vector<int> &fields = {});
    // Code 47, reported, for a partial record: it must not be written.
    Result<void> checkWhole(const Record &record);
    // Code 47, reported, for a text holding a NUL character in a store that cannot keep one.
    Result<void> checkTexts(const Record &record);
    Result<Connection *> connection();
    // The file on disk or the server schema that holds this file, and its table, as messages
    // name it: "/data/Tarvo.db (table Bugs)".
    QString storedName() const;
    // Reports an error of this file (the file name filled in) and returns the user's answer.
    int report(int messageNumber, const Error &error, const QString &field = QString(),
               const QString &key = QString(), const QString &message = QString()) const;
    // Code 5 when the file is open read-only or not open.
    Result<void> checkWritable();

    // WHERE text (without the word) that selects the rows whose key components equal `values`.
    QString keyEquals(int key, int components) const;

  private:
    Result<void> tryOpen();
    // The first row of a SELECT of the layout's select list; code 35 when there is none.
    Result<void> selectOne(const QString &sql, const QVariantList &params, Record &record);
    Result<qint64> nextNumber(const Record &record);
    Result<void> addRow(Record &record);
    Result<void> writeRow(Record &record, const Record *stored = nullptr);
    Result<void> updateFrom(Record &record, const Record *stored);
    Result<void> insertNumbered(Record &record, bool claimOnly);
    Error duplicateError(const Record &record, const Error &error);
    // Reports a failed write (naming the key of a duplicate) and returns its error.
    Error writeError(const Record &record, const Error &error);
    QVariantList keyValues(int key, const Record &record, int components) const;

    Session &m_session;
    LayoutPtr m_layout;
    Record m_buffer;
    bool m_open = false;
    bool m_readOnly = false;
    qint64 m_claimedRow = 0;
    quint64 m_writes = 0;
    QString m_insertSql;
    QString m_insertReturningSql;
    QString m_updateSql;
    QString m_nextNumberSql; // made on first use
};

} // namespace tarvo::data
