#pragma once

#include "platform/data/Record.h"
#include "platform/data/RecordLayout.h"
#include "platform/data/expr/NameTable.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace tarvo::query {

// One field of a registered file as the wizards offer it.
struct QueryField final {
    int index = -1;  // in the record layout
    QString name;    // full label, "BUG:Status"
    QString picture; // display picture, "@n_7"; empty: the value's plain text
    QString note;
    QStringList choices; // allowed values, when the caller names them

    bool isText() const;
};

// A data file registered for the query, export, import and mass-update wizards: its layout and,
// per field, the picture values are shown and read with, a note and the allowed values.
class RegisteredFile final {
  public:
    // Entry separators of the field-information text.
    static constexpr char16_t PartSeparator = 0xA6;
    static constexpr char16_t EntryEnd = 0xAB;

    // Every field of the layout with its declared picture.
    explicit RegisteredFile(data::LayoutPtr layout);
    // The fields described by the caller's field-information text: one entry per memo of the
    // file, then one per other field in record order; each entry is the picture, A6h, a note,
    // A6h, the allowed values separated by "|", and ABh. A text with fewer entries than the
    // file has fields is an error (the pictures would fall on the wrong fields).
    static Result<RegisteredFile> withFieldInformation(data::LayoutPtr layout, const QString &information);

    const data::RecordLayout &layout() const { return *m_layout; }
    const data::LayoutPtr &layoutPtr() const { return m_layout; }
    // The fields the wizards offer, in record order.
    const std::vector<QueryField> &fields() const { return m_fields; }
    // By "BUG:Status" or "Status", case-insensitive; null when not offered.
    const QueryField *field(const QString &name) const;
    // Takes a field out of what the wizards offer; an unknown name changes nothing.
    void removeField(const QString &name);

    // The value as shown: texts as they are, numbers, dates and times through the picture
    // (without the padding of its width); no date or time (0) is blank.
    static QString shown(const QueryField &field, const QVariant &value);
    QString shown(const QueryField &field, const data::Record &record) const;
    // The stored value of a text as shown or typed; an error naming the field when it does not
    // fit (a text longer than the field, trailing blanks aside). An empty text is the empty value.
    Result<QVariant> read(const QueryField &field, const QString &text) const;

    // Every field of the file as a column of a filter expression, whether offered or not.
    void addColumns(data::expr::NameTable &names) const;

  private:
    data::LayoutPtr m_layout;
    std::vector<QueryField> m_fields;
};

} // namespace tarvo::query
