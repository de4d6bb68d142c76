#pragma once

namespace tarvo::core {

// Events of the frame's own that are not shared with other windows.
namespace FrameEvents {
// A floating toolbar has opened during the start chain; the data is its notify code (1 to 4).
constexpr int ToolbarNotify = 524;
} // namespace FrameEvents

} // namespace tarvo::core
