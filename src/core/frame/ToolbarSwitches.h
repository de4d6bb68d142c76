#pragma once

#include "core/frame/ToolbarTable.h"

#include <QString>

#include <array>

namespace tarvo::core {

// One switch per toolbar, in chain order: true while the toolbar is to be shown.
using ToolbarSwitches = std::array<bool, ToolbarCount>;

// The "Toolbars" value of User.ini: one digit per toolbar in chain order. Each character is taken
// as a number, so a letter, a blank or a missing character reads as off; only 1 is on.
ToolbarSwitches parseToolbarSwitches(const QString &value);
QString formatToolbarSwitches(const ToolbarSwitches &switches);

inline bool isOn(const ToolbarSwitches &switches, ToolbarKind kind)
{
    return switches[std::size_t(kind)];
}

} // namespace tarvo::core
