#include "core/frame/FrameUserSettings.h"

#include "core/services/AccessServices.h"
#include "platform/runtime/IniFile.h"

#include <QDir>

namespace tarvo::core {

namespace {

const QString Toolbars = QStringLiteral("Toolbars");
const QString UserSettings = QStringLiteral("User Settings");

QString dockedKey(ToolbarKind kind)
{
    return QStringLiteral("Toolbar%1Docked").arg(toolbarDescription(kind).name);
}
QString placeSection(ToolbarKind kind)
{
    return QStringLiteral("Toolbar_%1").arg(toolbarDescription(kind).name);
}

} // namespace

FrameUserSettings FrameUserSettings::read(const IniFile &userIni)
{
    FrameUserSettings settings;
    settings.toolbars = parseToolbarSwitches(userIni.value(Toolbars, Toolbars, QStringLiteral("11111")));
    settings.minimizeToTray = userIni.intValue(UserSettings, QStringLiteral("MinimizeToTray"), 1) == 1;
    settings.startIconized = userIni.intValue(UserSettings, QStringLiteral("StartIconized"), 0) == 1;
    settings.tabColor = userIni.intValue(UserSettings, QStringLiteral("Tab Color"), 255);
    return settings;
}

Result<void> FrameUserSettings::writeToolbars(IniFile &userIni, const ToolbarSwitches &switches)
{
    return userIni.setValue(Toolbars, Toolbars, formatToolbarSwitches(switches));
}

QString FrameUserSettings::userIniPath(const AccessServices &access)
{
    return QDir(access.makOrdner()).filePath(QStringLiteral("User.ini"));
}

ToolbarPlace readToolbarPlace(const IniFile &userIni, ToolbarKind kind)
{
    const ToolbarPlace defaults = toolbarDescription(kind).defaultPlace;
    const QString section = placeSection(kind);
    ToolbarPlace place;
    place.docked = userIni.intValue(Toolbars, dockedKey(kind), defaults.docked);
    place.x = userIni.intValue(section, QStringLiteral("XPos"), defaults.x);
    place.y = userIni.intValue(section, QStringLiteral("YPos"), defaults.y);
    place.width = userIni.intValue(section, QStringLiteral("Width"), defaults.width);
    place.height = userIni.intValue(section, QStringLiteral("Height"), defaults.height);
    return place;
}

Result<void> writeToolbarPlace(IniFile &userIni, ToolbarKind kind, const ToolbarPlace &place)
{
    const QString section = placeSection(kind);
    for (auto write : {userIni.setIntValue(Toolbars, dockedKey(kind), place.docked),
                       userIni.setIntValue(section, QStringLiteral("XPos"), place.x),
                       userIni.setIntValue(section, QStringLiteral("YPos"), place.y),
                       userIni.setIntValue(section, QStringLiteral("Width"), place.width),
                       userIni.setIntValue(section, QStringLiteral("Height"), place.height)}) {
        if (!write)
            return write;
    }
    return {};
}

} // namespace tarvo::core
