#pragma once

#include "platform/query/FieldChoices.h"
#include "platform/query/RegisteredFile.h"

#include <map>
#include <vector>

namespace tarvo::query {

// One field the mass update offers and how its new value is entered.
struct FieldEditor final {
    enum class Kind { Entry, ComboBox, DropList };

    const QueryField *field = nullptr;
    Kind kind = Kind::Entry;
    QStringList choices;
};

// One field that the mass update changed in a record: its name as the caller's loop reads it
// (upper case, without the prefix), its label, its picture and the old and new value as shown.
struct FieldChange final {
    QString name;
    QString label;
    QString picture;
    QString oldValue;
    QString newValue;
};

// The mass-update wizard's logic: which fields it offers with which editors, the new values the
// user chose (checked against their fields), and putting them into each record.
class MassUpdate final {
  public:
    MassUpdate(const RegisteredFile &file, FieldChoices choices);

    // The offered fields in record order, each with its editor.
    std::vector<FieldEditor> editors() const;
    // A value that does not fit the field, or is not one of a drop list's choices, is an error
    // and leaves the earlier choice.
    Result<void> setValue(const QString &field, const QString &text);
    void clearValue(const QString &field);
    bool hasValues() const { return !m_values.empty(); }

    // Puts the chosen values into the record; the fields whose value changed. Empty: the record
    // is as it was and is not to be written.
    std::vector<FieldChange> apply(data::Record &record) const;

  private:
    FieldEditor editor(const QueryField &field) const;

    const RegisteredFile &m_file;
    FieldChoices m_choices;
    std::map<int, QVariant> m_values; // field index -> stored value
};

} // namespace tarvo::query
