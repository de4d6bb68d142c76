#pragma once

#include "core/frame/ToolbarTable.h"

#include <QIcon>

namespace tarvo::core::ui {

// The picture of a toolbar button, from the desktop's icon theme or the style's own pictures.
QIcon toolbarIcon(ToolbarKind kind, const QString &button);

} // namespace tarvo::core::ui
