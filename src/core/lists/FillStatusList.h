#pragma once

#include "core/lists/StatusQueue.h"
#include "core/lists/Translation.h"
#include "platform/runtime/Result.h"

#include <functional>

namespace tarvo::data {
class Session;
}

namespace tarvo::core {

class AccessServices;

// The workflow switches of the settings record that the status list follows.
struct WorkflowSettings final {
    static constexpr int AssignRequired = 1;   // "Require to Assign Issue when added"
    static constexpr int AssignAllowed = 2;    // "Allow to Assign Issue when added"
    static constexpr int AssignNotAllowed = 3; // "Do not allow to Assign Issue when added"

    bool enabled = false;             // PAR:WFEnable
    int assignIssue = AssignRequired; // PAR:WFAssignIssue
    bool allowChange = false;         // PAR:WFAllowChange: "Allow modifications before Assignment"

    // The switches as the settings record of the run holds them; all off before it is loaded.
    static WorkflowSettings fromSettingsRecord();
};

// The issue the list is for, from the calling window's Bugs record.
struct CurrentIssue final {
    qint32 prgId = 0;
    QString status;

    // BUG:PrgID and BUG:Status of the thread's Bugs record.
    static CurrentIssue fromBugsRecord(data::Session &session);
};

// Whether the logged-in user holds a workflow right ("BEN:UserByte2" ... "BEN:UserByte9").
using WorkflowRightFn = std::function<bool(const QString &rightKey)>;

// The workflow rights as the access library grants them: a value of "1".
WorkflowRightFn accessWorkflowRights(AccessServices &access);

// Refills the window's status list. Without the workflow: the statuses of the program
// (forCurrentIssue: the issue's program, else programId), then an empty entry, then the general
// statuses. With the workflow: for the current issue, the statuses the workflow allows from its
// status and the user may set; otherwise none. The status file is read only without the
// workflow; a read error leaves what was read before it and is returned.
Result<void> FillStatusList(StatusQueue &queue, qint32 programId, bool forCurrentIssue,
                            const CurrentIssue &issue, const WorkflowSettings &workflow, StatusSource &source,
                            const WorkflowRightFn &hasRight, const TranslateFn &translate = {});

// The same for the window's thread: the issue of its Bugs record, the Status file of its session
// and the workflow switches of the settings record.
Result<void> FillStatusList(StatusQueue &queue, qint32 programId, bool forCurrentIssue,
                            data::Session &session, const WorkflowRightFn &hasRight,
                            const TranslateFn &translate = {});

} // namespace tarvo::core
