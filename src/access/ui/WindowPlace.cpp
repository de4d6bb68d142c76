#include "access/ui/WindowPlace.h"

#include "access/VuvuzuPaths.h"
#include "platform/runtime/IniFile.h"

#include <QWidget>

namespace tarvo::access {

void WindowPlace::restore(QWidget *window, const QString &name)
{
    IniFile ini(VuvuzuPaths::vuvuzuIni());
    const int width = ini.intValue(name, QStringLiteral("Width"), 0);
    const int height = ini.intValue(name, QStringLiteral("Height"), 0);
    if (width <= 0 || height <= 0)
        return;
    window->move(ini.intValue(name, QStringLiteral("X"), window->x()),
                 ini.intValue(name, QStringLiteral("Y"), window->y()));
    window->resize(width, height);
}

void WindowPlace::store(const QWidget *window, const QString &name)
{
    // A position that cannot be written only costs the next opening its place.
    IniFile ini(VuvuzuPaths::vuvuzuIni());
    const QRect r = window->geometry();
    (void)ini.setIntValue(name, QStringLiteral("X"), r.x());
    (void)ini.setIntValue(name, QStringLiteral("Y"), r.y());
    (void)ini.setIntValue(name, QStringLiteral("Width"), r.width());
    (void)ini.setIntValue(name, QStringLiteral("Height"), r.height());
}

} // namespace tarvo::access
