#include "core/startup/SettingsRecord.h"

#include "platform/runtime/Text.h"

namespace tarvo::core {

SettingsRecord &SettingsRecord::instance()
{
    static SettingsRecord record;
    return record;
}

bool SettingsRecord::isLoaded() const
{
    std::lock_guard lock(m_lock);
    return m_record.isValid();
}

void SettingsRecord::set(const data::Record &record)
{
    std::lock_guard lock(m_lock);
    m_record = record;
}

void SettingsRecord::clear()
{
    std::lock_guard lock(m_lock);
    m_record = data::Record();
}

data::Record SettingsRecord::record() const
{
    std::lock_guard lock(m_lock);
    return m_record;
}

QString SettingsRecord::text(const QString &field) const
{
    std::lock_guard lock(m_lock);
    if (!m_record.isValid() || !m_record.has(field))
        return {};
    return Text::clip(m_record.text(field));
}

qint64 SettingsRecord::integer(const QString &field) const
{
    std::lock_guard lock(m_lock);
    if (!m_record.isValid() || !m_record.has(field))
        return 0;
    return m_record.integer(field);
}

void SettingsRecord::update(const std::function<void(data::Record &)> &change)
{
    std::lock_guard lock(m_lock);
    if (m_record.isValid())
        change(m_record);
}

void SettingsRecord::updateValues(const std::function<void(SettingsValues &)> &change)
{
    std::lock_guard lock(m_lock);
    if (!m_record.isValid())
        return;
    SettingsValues values(m_record);
    change(values);
    m_record = values.record();
}

Result<void> SettingsRecord::publish(const data::Record &record,
                                     const std::function<Result<void>(const data::Record &)> &write)
{
    std::lock_guard lock(m_lock);
    if (auto written = write(record); !written)
        return written;
    m_record = record;
    return {};
}

} // namespace tarvo::core
