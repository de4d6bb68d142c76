#pragma once

#include "core/lists/ReleaseQueue.h"
#include "platform/runtime/Result.h"

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// Refills the window's release list with the program's releases, the highest release text
// first. On a read error the list keeps the releases read before it and the error is returned
// for the window to show.
Result<void> FillReleaseList(ReleaseQueue &queue, qint32 programId, ReleaseSource &source);
// The same from the Releases file of the window's thread.
Result<void> FillReleaseList(ReleaseQueue &queue, qint32 programId, data::Session &session);

} // namespace tarvo::core
