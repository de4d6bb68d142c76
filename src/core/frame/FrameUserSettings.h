#pragma once

#include "core/frame/ToolbarSwitches.h"
#include "platform/runtime/Result.h"

#include <QString>

namespace tarvo {
class IniFile;
}

namespace tarvo::core {

class AccessServices;

// The user's "User.ini" values that the frame reads when it opens.
struct FrameUserSettings final {
    ToolbarSwitches toolbars{};
    bool minimizeToTray = true;
    bool startIconized = false;
    qint32 tabColor = 255;

    static FrameUserSettings read(const IniFile &userIni);
    // The switches as the frame stores them when it closes.
    static Result<void> writeToolbars(IniFile &userIni, const ToolbarSwitches &switches);

    // The user's "User.ini", in the user's own folder of the access library.
    static QString userIniPath(const AccessServices &access);
};

// The place of one toolbar as the user left it (defaults from the toolbar's description).
ToolbarPlace readToolbarPlace(const IniFile &userIni, ToolbarKind kind);
Result<void> writeToolbarPlace(IniFile &userIni, ToolbarKind kind, const ToolbarPlace &place);

} // namespace tarvo::core
