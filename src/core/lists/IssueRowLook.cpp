#include "core/lists/IssueRowLook.h"

#include "core/lists/FillPriorityList.h"
#include "core/lists/FillStatusList.h"
#include "platform/runtime/IniFile.h"

#include <algorithm>

namespace tarvo::core {

Result<void> IssueRowLook::read(IssueRowLook &look, const QString &userIniPath, qint32 programId,
                                bool forCurrentIssue, data::Session &session, AccessServices &access)
{
    const IniFile ini(userIniPath);
    look.colorMode =
        ini.value(QStringLiteral("User Settings"), QStringLiteral("Color Mode"), QStringLiteral("1")).toInt();
    look.workflowOn = WorkflowSettings::fromSettingsRecord().enabled;
    look.statuses.clear();
    if (auto r =
            FillStatusList(look.statuses, programId, forCurrentIssue, session, accessWorkflowRights(access));
        !r)
        return r;
    if (look.colorMode == ByPriority || look.colorMode == ByPriorityAndStatus) {
        if (auto r = FillPriorityList(session); !r)
            return r;
        look.priorities = PriorityQueue::global().rows();
    }
    return {};
}

qint32 IssueRowLook::colour(const QString &status, const QString &priority) const
{
    const QString shownStatus = status.trimmed();
    const auto statusEntry = std::find_if(statuses.begin(), statuses.end(), [&](const StatusQueueEntry &e) {
        return !e.status.trimmed().isEmpty() && e.status.trimmed() == shownStatus;
    });
    const auto byStatus = [&]() -> qint32 {
        return !workflowOn && statusEntry != statuses.end() ? statusEntry->statusColor : -1;
    };
    const auto byPriority = [&]() -> qint32 {
        const QString shownPriority = priority.trimmed();
        const auto it = std::find_if(priorities.begin(), priorities.end(), [&](const PriorityQueueEntry &e) {
            return e.priority.trimmed() == shownPriority;
        });
        return it != priorities.end() ? it->priorityColor : -1;
    };
    switch (colorMode) {
    case ByStatus:
        return byStatus();
    case ByPriority:
        return byPriority();
    case ByPriorityAndStatus: {
        qint32 c = byStatus();
        // A greyed (closed) status keeps its colour; an open one shows its priority when it has one.
        const bool grayStatus = !workflowOn && statusEntry != statuses.end() && statusEntry->statusGray;
        if (!grayStatus)
            if (const qint32 p = byPriority(); p != 0 && p != -1)
                c = p;
        return c;
    }
    default:
        return -1;
    }
}

int IssueRowLook::categoryIcon(int category)
{
    switch (category) {
    case 1:
        return 4;
    case 2:
        return 5;
    case 3:
        return 6;
    case 4:
        return 2;
    default:
        return 0;
    }
}

int IssueRowLook::priorityIcon(const QString &priority)
{
    const QString upper = priority.trimmed().toUpper();
    return upper == QLatin1String("LOW") ? 7 : upper == QLatin1String("HIGH") ? 3 : 0;
}

} // namespace tarvo::core
