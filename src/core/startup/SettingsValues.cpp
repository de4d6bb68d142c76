#include "core/startup/SettingsValues.h"

#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

namespace tarvo::core {

namespace {

QString numbered(const char *name, int number)
{
    return QString::fromLatin1(name) + QString::number(number);
}

} // namespace

bool SettingsValues::isGerman() const
{
    return isGermanLanguage(language());
}

CustomFieldSetting SettingsValues::customField(int number) const
{
    if (number < 1 || number > CustomFieldCount)
        return {};
    CustomFieldSetting field;
    field.enabled = m_record.integer(numbered("FIELD", number) + QStringLiteral("ENABLED")) != 0;
    field.name = Text::clip(m_record.text(numbered("FIELD", number)));
    field.type = Text::clip(m_record.text(numbered("FIELDTYPE", number)));
    field.length = int(m_record.integer(numbered("FIELDLEN", number)));
    field.choices = Text::clip(m_record.text(numbered("FIELDCHOICES", number)));
    return field;
}

bool SettingsValues::setCustomField(int number, const CustomFieldSetting &field)
{
    if (number < 1 || number > CustomFieldCount)
        return false;
    m_record.setValue(numbered("FIELD", number) + QStringLiteral("ENABLED"), field.enabled ? 1 : 0);
    m_record.setValue(numbered("FIELD", number), field.name);
    m_record.setValue(numbered("FIELDTYPE", number), field.type);
    m_record.setValue(numbered("FIELDLEN", number), field.length);
    m_record.setValue(numbered("FIELDCHOICES", number), field.choices);
    return true;
}

bool SettingsValues::anyCustomFieldEnabled() const
{
    for (int number = 1; number <= CustomFieldCount; ++number)
        if (customField(number).enabled)
            return true;
    return false;
}

QString SettingsValues::text(const char *field) const
{
    return Text::clip(m_record.text(QString::fromLatin1(field)));
}

qint64 SettingsValues::integer(const char *field) const
{
    return m_record.integer(QString::fromLatin1(field));
}

void SettingsValues::set(const char *field, const QVariant &value)
{
    m_record.setValue(QString::fromLatin1(field), value);
}

} // namespace tarvo::core
