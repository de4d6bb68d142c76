#include "platform/data/expr/NameTable.h"

namespace tarvo::data::expr {

void NameTable::addColumn(const QString &name, const QString &sqlColumn, ValueType type)
{
    m_entries.insert(name.toUpper(), Entry{NameInfo::column(sqlColumn, type), {}});
}

void NameTable::bind(const QString &name, const QVariant &value)
{
    const bool text = value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray ||
                      value.typeId() == QMetaType::QChar;
    bind(name, value, text ? ValueType::Text : ValueType::Number);
}

void NameTable::bind(const QString &name, const QVariant &value, ValueType type)
{
    m_entries.insert(name.toUpper(), Entry{NameInfo::bound(type), value});
}

void NameTable::setColumnValue(const QString &name, const QVariant &value)
{
    auto it = m_entries.find(name.toUpper());
    if (it != m_entries.end() && it->info.kind == NameInfo::Kind::Column)
        it->value = value;
}

std::optional<NameInfo> NameTable::resolve(const QString &name) const
{
    auto it = m_entries.constFind(name.toUpper());
    if (it == m_entries.constEnd())
        return std::nullopt;
    return it->info;
}

QVariant NameTable::value(const QString &name) const
{
    return m_entries.value(name.toUpper()).value;
}

} // namespace tarvo::data::expr
