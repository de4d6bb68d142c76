#pragma once

#include "platform/data/RecordLayout.h"
#include "platform/runtime/Result.h"

#include <QStringList>

namespace tarvo::data {

class Connection;
class Store;

// The SQL table of one file as its declaration makes it: created with one index per key,
// checked against the stored layout version, and converted in one transaction when the stored
// layout is older.
class TableSchema final {
  public:
    TableSchema(Connection &connection, const RecordLayout &layout);

    // Ready for use: code 2 when the table does not exist, 47 when it is not the declared
    // layout or is stored in a newer version than this program knows, or the store's error.
    Result<void> check();
    Result<void> create();

    // The ORDER BY/index term of one key component ("Status" COLLATE tarvo_ci DESC).
    static QString orderTerm(const RecordLayout &layout, int field, bool caseInsensitive, bool descending);
    static QString indexName(const QString &table, const QString &key);

  private:
    QString columnDefinition(int field) const;
    QString createIndexSql(int key) const;
    // One index per declared key, those that exist already left as they are.
    Result<void> createIndexes();
    Result<int> storedVersion();
    Result<void> upgrade(const QStringList &oldColumns);
    Result<void> setVersion();

    Connection &m_connection;
    Store &m_store;
    const RecordLayout &m_layout;
};

} // namespace tarvo::data
