#pragma once

#include "core/lists/RowsRead.h"

#include <QString>

#include <vector>

namespace tarvo::core {

// One status that an issue may be given, as the status drop-downs offer it.
struct StatusQueueEntry final {
    QString status;          // QSTATUS
    qint32 statusColor = 0;  // QSTATUSCOLOR
    bool statusGray = false; // QSTATUSGRAY: issues in this status are shown greyed (closed)
    int statusSort = 0;      // QSTATUSSORT

    bool operator==(const StatusQueueEntry &) const = default;
};

// The statuses one window offers. Each window owns its own list, so two open forms never see
// each other's choices.
using StatusQueue = std::vector<StatusQueueEntry>;

// One record of Status as the filler needs it.
struct StatusRow final {
    qint32 prgId = 0; // 0 for a general status
    int sort = 0;
    QString status;
    bool gray = false;
    qint32 color = 0;
};

// Reads the status file on the calling window's thread.
class StatusSource {
  public:
    virtual ~StatusSource() = default;
    virtual RowsRead<StatusRow> statuses() = 0;
};

} // namespace tarvo::core
