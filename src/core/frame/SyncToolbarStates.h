#pragma once

#include "core/frame/RecordButtons.h"

namespace tarvo {
class ContextRegistry;
}

namespace tarvo::core {

// SyncToolbarStates: a window with record buttons tells the Navigation and Update toolbars the
// disabled state of its buttons (in the order of RecordButtons; a window without them passes all
// false). Each running toolbar whose buttons changed gets the refresh event.
void SyncToolbarStates(ContextRegistry &registry, const RecordButtonStates &disabled);

} // namespace tarvo::core
