#include "platform/ui/MemoryWindowPositionStore.h"

namespace tarvo::ui {

std::optional<WindowPosition> MemoryWindowPositionStore::load(const QString &section) const
{
    const auto it = m_positions.constFind(section.toCaseFolded());
    if (it == m_positions.constEnd())
        return std::nullopt;
    return *it;
}

void MemoryWindowPositionStore::save(const QString &section, const WindowPosition &position)
{
    m_positions.insert(section.toCaseFolded(), position);
}

} // namespace tarvo::ui
