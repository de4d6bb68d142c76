#pragma once

#include "core/lists/RowsRead.h"
#include "core/lists/SharedList.h"

#include <QString>

namespace tarvo::core {

// One priority as the priority drop-downs offer it.
struct PriorityQueueEntry final {
    QString priority;         // QPRIORITY
    int prioritySort = 0;     // QPRIORITYSORT
    qint32 priorityColor = 0; // QPRIORITYCOLOR, 00BBGGRR

    bool operator==(const PriorityQueueEntry &) const = default;
};

// The priorities, shared by all windows.
using PriorityQueue = SharedList<PriorityQueueEntry>;

// One record of Priority as the filler needs it.
struct PriorityRow final {
    QString priority;
    int prioritySort = 0;
    qint32 color = 0;
};

// Reads every priority on the calling window's thread.
class PrioritySource {
  public:
    virtual ~PrioritySource() = default;
    virtual RowsRead<PriorityRow> priorities() = 0;
};

} // namespace tarvo::core
