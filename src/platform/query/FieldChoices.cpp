#include "platform/query/FieldChoices.h"

#include "platform/runtime/IniFile.h"

namespace tarvo::query {

void FieldChoices::add(const QString &field, const QStringList &choices, bool dropList)
{
    if (!find(field))
        m_entries.push_back({field.trimmed(), choices, dropList});
}

const FieldChoices::Entry *FieldChoices::find(const QString &field) const
{
    for (const Entry &e : m_entries)
        if (e.field.compare(field.trimmed(), Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

Result<void> FieldChoices::save(IniFile &ini) const
{
    for (const Entry &e : m_entries) {
        if (e.dropList)
            if (auto r = ini.setValue(e.field, QStringLiteral("NoComboBox"), QStringLiteral("1")); !r)
                return r;
        for (qsizetype i = 0; i < e.choices.size(); ++i)
            if (auto r = ini.setValue(e.field, QString::number(i + 1), e.choices.at(i)); !r)
                return r;
    }
    return {};
}

FieldChoices FieldChoices::load(const IniFile &ini)
{
    FieldChoices choices;
    for (const QString &section : ini.sections()) {
        QStringList values;
        for (int n = 1; ini.contains(section, QString::number(n)); ++n)
            values << ini.value(section, QString::number(n));
        choices.add(section, values, ini.value(section, QStringLiteral("NoComboBox")) == u"1");
    }
    return choices;
}

} // namespace tarvo::query
