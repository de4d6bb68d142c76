#pragma once

#include "core/ui/frame/FrameSetup.h"

namespace tarvo {
class Context;
}

namespace tarvo::core::ui {

// TARVO: runs the application frame on the first context until the user (or a close-down)
// closes it. Returns 0 after a normal close, 1 when the frame could not open.
int TARVO(Context &first, const FrameSetup &setup = {});

} // namespace tarvo::core::ui
