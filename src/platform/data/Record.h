#pragma once

#include "platform/data/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <vector>

namespace tarvo::data {

// One record of a file: its field values, reached by name ("BUG:Status") or by index, kept in
// the stored form of each field type, and the row it was read from.
class Record final {
  public:
    Record() = default;
    explicit Record(LayoutPtr layout);
    // A record read from the store: the values are already in their stored form (one per field,
    // in order) and are taken as they are.
    Record(LayoutPtr layout, std::vector<QVariant> storedValues, qint64 rowId)
        : m_layout(std::move(layout)), m_values(std::move(storedValues)), m_rowId(rowId)
    {
    }

    bool isValid() const { return m_layout != nullptr; }
    const RecordLayout &layout() const { return *m_layout; }
    const LayoutPtr &layoutPtr() const { return m_layout; }

    bool has(const QString &name) const { return m_layout && m_layout->fieldIndex(name) >= 0; }
    // An invalid QVariant for an unknown name.
    QVariant value(const QString &name) const;
    // False for an unknown name. The value is converted to the field's type: texts cut to
    // their width and clipped, integers wrapped to their type, decimals rounded to their places.
    bool setValue(const QString &name, const QVariant &value);

    // A partial record keeps no value of the fields it did not read (an invalid QVariant in
    // their slot): they read as their type's one shared empty value.
    const QVariant &value(int index) const
    {
        const QVariant &v = m_values[size_t(index)];
        return v.isValid() ? v : sharedEmptyValue(m_layout->field(index));
    }
    void setValue(int index, const QVariant &value);

    qint64 integer(const QString &name) const { return value(name).toLongLong(); }
    double real(const QString &name) const { return value(name).toDouble(); }
    QString text(const QString &name) const { return value(name).toString(); }
    QByteArray bytes(const QString &name) const { return value(name).toByteArray(); }

    // Every field back to zero or empty; the row is forgotten.
    void clear();

    // A record read with only some of its fields (View::setColumns): the others hold their empty
    // value, not the stored one. Such a record is for reading; the file manager refuses to write
    // it back or delete by it. clear() makes it a whole (empty) record again.
    bool isPartial() const { return m_partial; }
    void setPartial(bool partial) { m_partial = partial; }

    // The stored row this record was read from or written to; 0 when none.
    qint64 rowId() const { return m_rowId; }
    void setRowId(qint64 id) { m_rowId = id; }

    // Field values only (not the row): for snapshots and "has the record changed".
    bool sameValues(const Record &other) const;
    bool operator==(const Record &other) const
    {
        return m_layout == other.m_layout && m_rowId == other.m_rowId && sameValues(other);
    }

    // The empty value of a field type and a value converted to a field's stored form.
    static QVariant emptyValue(const FieldDecl &field);
    // The same, one instance per field type for the life of the process.
    static const QVariant &sharedEmptyValue(const FieldDecl &field);
    static QVariant normalised(const FieldDecl &field, const QVariant &value);
    // Text cut to at most `width` characters (a surrogate pair counts as one).
    static QString cutToWidth(const QString &text, int width);

  private:
    LayoutPtr m_layout;
    std::vector<QVariant> m_values;
    qint64 m_rowId = 0;
    bool m_partial = false;
};

} // namespace tarvo::data
