#pragma once

#include "core/lists/PriorityQueue.h"
#include "platform/runtime/Result.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// Refills the priority list in ascending sort number. On a read error the list keeps the
// priorities read before it and the error is returned for the window to show.
Result<void> FillPriorityList(PrioritySource &source, PriorityQueue &queue = PriorityQueue::global());
// The same from the Priority file of the window's thread.
Result<void> FillPriorityList(data::Session &session, PriorityQueue &queue = PriorityQueue::global());

} // namespace tarvo::core
