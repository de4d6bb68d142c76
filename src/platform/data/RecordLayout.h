#pragma once

#include "platform/data/FileDecl.h"

#include <QHash>
#include <QString>

#include <memory>

namespace tarvo::data {

// What every record, manager and view of one file shares, computed once from its declaration:
// the field index by name, the table and its quoted column list, and the keys.
class RecordLayout final {
  public:
    explicit RecordLayout(FileDecl decl);

    static std::shared_ptr<const RecordLayout> make(const FileDecl &decl);

    const FileDecl &decl() const { return m_decl; }
    const QString &label() const { return m_decl.label; }
    const QString &prefix() const { return m_decl.prefix; }
    const QString &table() const { return m_table; }
    int fieldCount() const { return int(m_decl.fields.size()); }
    const FieldDecl &field(int index) const { return m_decl.fields[size_t(index)]; }

    // "BUG:Status", "Status", case-insensitive; -1 when the file has no such field.
    int fieldIndex(const QString &name) const;
    // "BUG:KeyID" or "KeyID", case-insensitive; -1 when none.
    int keyIndex(const QString &name) const;
    const KeyDecl &key(int index) const { return m_decl.keys[size_t(index)]; }
    int keyCount() const { return int(m_decl.keys.size()); }
    int autoNumberKey() const { return m_autoNumberKey; }
    // The key's description for messages (%Key).
    QString keyDescription(int index) const;
    // Full label of a field ("BUG:Status").
    QString fullFieldName(int index) const;

    // The quoted column of a field, and the select list of every field followed by the row id.
    const QString &column(int index) const { return m_columns[size_t(index)]; }
    const QString &selectList() const { return m_selectList; }
    bool isText(int index) const;

    static QString quote(const QString &identifier);
    static QString rowIdColumn() { return QStringLiteral("\"_rid\""); }

  private:
    QString stripPrefix(const QString &name) const;

    FileDecl m_decl;
    QString m_table;
    QHash<QString, int> m_fieldIndex;
    QHash<QString, int> m_keyIndex;
    std::vector<QString> m_columns;
    QString m_selectList;
    int m_autoNumberKey = -1;
};

using LayoutPtr = std::shared_ptr<const RecordLayout>;

} // namespace tarvo::data
