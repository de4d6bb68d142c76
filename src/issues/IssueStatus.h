#pragma once

#include "core/lists/ReleaseQueue.h"
#include "core/lists/StatusQueue.h"
#include "platform/data/Record.h"

namespace tarvo::issues {

class IssueWorkflow;

// The status and used version of an issue as the form's lists give them.
class IssueStatus final {
  public:
    // A chosen row of the status list: its sort number and grey flag go with the status.
    static void take(data::Record &issue, const core::StatusQueueEntry &row);
    // The status at a position (from 1) of the list, for a quick status change; false, and nothing
    // changed, for a position outside the list.
    static bool takePosition(data::Record &issue, const core::StatusQueue &statuses, int position);
    // A new issue once the form's lists are filled and its field configuration ran: the workflow's
    // starting status, or without workflow the sort and grey flag of a status the list holds; an
    // empty version takes the first release that has a release date.
    static void settleNew(data::Record &issue, const IssueWorkflow &workflow,
                          const core::StatusQueue &statuses, const core::ReleaseQueue &releases);
};

} // namespace tarvo::issues
