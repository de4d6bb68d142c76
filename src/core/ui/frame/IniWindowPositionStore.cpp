#include "core/ui/frame/IniWindowPositionStore.h"

#include "platform/runtime/IniFile.h"

namespace tarvo::core::ui {

std::optional<tarvo::ui::WindowPosition> IniWindowPositionStore::load(const QString &section) const
{
    const IniFile ini(m_path);
    if (!ini.contains(section, QStringLiteral("Width")))
        return std::nullopt;
    tarvo::ui::WindowPosition position;
    position.geometry = QRect(ini.intValue(section, QStringLiteral("XPos"), 0),
                              ini.intValue(section, QStringLiteral("YPos"), 0),
                              ini.intValue(section, QStringLiteral("Width"), 0),
                              ini.intValue(section, QStringLiteral("Height"), 0));
    position.maximized = ini.intValue(section, QStringLiteral("Maximize"), 0) == 1;
    return position;
}

void IniWindowPositionStore::save(const QString &section, const tarvo::ui::WindowPosition &position)
{
    IniFile ini(m_path);
    (void)ini.setIntValue(section, QStringLiteral("XPos"), position.geometry.x());
    (void)ini.setIntValue(section, QStringLiteral("YPos"), position.geometry.y());
    (void)ini.setIntValue(section, QStringLiteral("Width"), position.geometry.width());
    (void)ini.setIntValue(section, QStringLiteral("Height"), position.geometry.height());
    (void)ini.setIntValue(section, QStringLiteral("Maximize"), position.maximized ? 1 : 0);
}

} // namespace tarvo::core::ui
