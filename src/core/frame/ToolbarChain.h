#pragma once

#include "core/frame/ToolbarSwitches.h"

#include <optional>

namespace tarvo::core {

// The start chain of the floating toolbars: each toolbar, once open, notifies the frame with its
// code, and the frame starts the next one that is switched on. The frame becomes visible at the
// last step, once the Options toolbar has opened or been passed over.
class ToolbarChain final {
  public:
    // What the frame does next.
    struct Step {
        std::optional<ToolbarKind> start; // start this toolbar (it notifies when open)
        int notifySelf = 0;               // else notify itself with this code
        bool finished = false;            // the chain has ended: show the frame

        friend bool operator==(const Step &, const Step &) = default;
    };

    static Step begin(const ToolbarSwitches &on);
    // The frame received notify code 1 to 4; other codes do nothing.
    static Step take(int code, const ToolbarSwitches &on);
};

} // namespace tarvo::core
