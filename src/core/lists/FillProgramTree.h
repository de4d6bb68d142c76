#pragma once

#include "core/lists/ProgramTreeQueue.h"
#include "core/lists/Translation.h"
#include "platform/runtime/Result.h"

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

// Colour of the root row and of programs whose status is "Inactive" (00BBGGRR).
constexpr qint32 ProgramTreeRootColor = 0x808080;
constexpr qint32 ProgramTreeInactiveColor = 0xC08080;

// The rows of the program tree: the root row, then each program the user may see (secP: the
// permitted IDs each between "|", empty for all) under its parent in sort order. A program the
// user may not see is left out, but its permitted sub-programs are still shown.
std::vector<ProgramTreeQueueEntry> programTreeRows(const std::vector<ProgramRow> &programs,
                                                   const QString &secP, const TranslateFn &translate = {});

// Refills the program tree list from the programs read on the caller's thread.
void FillProgramTree(const std::vector<ProgramRow> &programs, const QString &secP,
                     const TranslateFn &translate = {}, ProgramTreeQueue &queue = ProgramTreeQueue::global());
// The same from the Programs file of the window's thread. On a read error the tree holds the
// programs read before it and the error is returned for the window to show.
Result<void> FillProgramTree(data::Session &session, const QString &secP, const TranslateFn &translate = {},
                             ProgramTreeQueue &queue = ProgramTreeQueue::global());

} // namespace tarvo::core
