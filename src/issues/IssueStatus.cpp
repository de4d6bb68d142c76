#include "issues/IssueStatus.h"

#include "issues/IssueWorkflow.h"
#include "platform/runtime/Text.h"

namespace tarvo::issues {

void IssueStatus::take(data::Record &issue, const core::StatusQueueEntry &row)
{
    issue.setValue(QStringLiteral("Status"), row.status);
    issue.setValue(QStringLiteral("StatusSort"), row.statusSort);
    issue.setValue(QStringLiteral("Gray"), row.statusGray ? 1 : 0);
}

bool IssueStatus::takePosition(data::Record &issue, const core::StatusQueue &statuses, int position)
{
    if (position < 1 || position > int(statuses.size()))
        return false;
    take(issue, statuses[size_t(position - 1)]);
    return true;
}

void IssueStatus::settleNew(data::Record &issue, const IssueWorkflow &workflow,
                            const core::StatusQueue &statuses, const core::ReleaseQueue &releases)
{
    if (workflow.enabled()) {
        workflow.primeNew(issue);
    } else if (const QString status = Text::clip(issue.text(QStringLiteral("Status"))); !status.isEmpty()) {
        for (const core::StatusQueueEntry &row : statuses) {
            if (Text::clip(row.status) == status) {
                take(issue, row);
                break;
            }
        }
    }
    if (Text::clip(issue.text(QStringLiteral("Version"))).isEmpty()) {
        for (const core::ReleaseQueueEntry &release : releases) {
            if (release.releaseDate > 0) {
                issue.setValue(QStringLiteral("Version"), release.release);
                break;
            }
        }
    }
}

} // namespace tarvo::issues
