#include "issues/IssueSnapshot.h"

namespace tarvo::issues {

void IssueSnapshot::take(int mode, const data::Record &issue, const core::SettingsValues &settings)
{
    if (!settings.emailEnabled())
        return;
    if (mode == Copy) {
        m_issue = issue;
        m_issue.setRowId(0);
    } else if (mode == Clear) {
        m_issue = data::Record(issue.layoutPtr());
    }
}

} // namespace tarvo::issues
