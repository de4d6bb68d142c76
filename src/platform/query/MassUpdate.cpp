#include "platform/query/MassUpdate.h"

namespace tarvo::query {

namespace {

QString nameWithoutPrefix(const QString &label)
{
    const qsizetype colon = label.indexOf(u':');
    return (colon < 0 ? label : label.mid(colon + 1)).toUpper();
}

} // namespace

MassUpdate::MassUpdate(const RegisteredFile &file, FieldChoices choices)
    : m_file(file), m_choices(std::move(choices))
{
}

FieldEditor MassUpdate::editor(const QueryField &field) const
{
    FieldEditor e;
    e.field = &field;
    if (const FieldChoices::Entry *entry = m_choices.find(field.name)) {
        e.kind = entry->dropList ? FieldEditor::Kind::DropList : FieldEditor::Kind::ComboBox;
        e.choices = entry->choices;
    } else if (!field.choices.isEmpty()) {
        e.kind = FieldEditor::Kind::DropList;
        e.choices = field.choices;
    }
    return e;
}

std::vector<FieldEditor> MassUpdate::editors() const
{
    std::vector<FieldEditor> all;
    for (const QueryField &f : m_file.fields())
        all.push_back(editor(f));
    return all;
}

Result<void> MassUpdate::setValue(const QString &field, const QString &text)
{
    const QueryField *f = m_file.field(field);
    if (!f)
        return makeError(1, QStringLiteral("%1 is not a field the mass update offers").arg(field));
    const FieldEditor e = editor(*f);
    if (e.kind == FieldEditor::Kind::DropList && !e.choices.contains(text))
        return makeError(1, QStringLiteral("\"%1\" is not one of the values of %2").arg(text, f->name));
    auto value = m_file.read(*f, text);
    if (!value)
        return value.error();
    m_values[f->index] = data::Record::normalised(m_file.layout().field(f->index), *value);
    return {};
}

void MassUpdate::clearValue(const QString &field)
{
    if (const QueryField *f = m_file.field(field))
        m_values.erase(f->index);
}

std::vector<FieldChange> MassUpdate::apply(data::Record &record) const
{
    std::vector<FieldChange> changes;
    for (const auto &[index, value] : m_values) {
        const QVariant old = record.value(index);
        if (old == value)
            continue;
        const QueryField *f = m_file.field(m_file.layout().fullFieldName(index));
        if (!f)
            continue;
        changes.push_back({nameWithoutPrefix(f->name), f->name, f->picture, m_file.shown(*f, old),
                           m_file.shown(*f, value)});
        record.setValue(index, value);
    }
    return changes;
}

} // namespace tarvo::query
