#include "issues/IssueWorkflow.h"

#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

namespace tarvo::issues {

namespace {

constexpr int kAllResponsibleWidth = 35;
constexpr int kFixedOption = 5;
constexpr int kVerifiedOption = 6;

const char *const kStatuses[] = {"New",      "Assigned", "Postponed", "Investigated",
                                 "Resolved", "Verified", "Failed",    "Closed"};

bool hasOption(const QString &options, int k)
{
    return options.size() >= k && options.at(k - 1) == QLatin1Char('1');
}

} // namespace

IssueWorkflow::IssueWorkflow(core::SettingsValues settings) : m_settings(std::move(settings)) {}

bool IssueWorkflow::enabled() const
{
    return m_settings.workflowEnabled();
}

QString IssueWorkflow::status(int position)
{
    if (position < 1 || position > 8)
        return QString();
    return Translator::instance().translate(QString::fromLatin1(kStatuses[position - 1]));
}

int IssueWorkflow::position(const QString &status)
{
    const QString clipped = Text::clip(status);
    for (int k = 1; k <= 8; ++k) {
        if (clipped == IssueWorkflow::status(k))
            return k;
    }
    return 0;
}

WorkflowGroups IssueWorkflow::groupsFor(const QString &status) const
{
    WorkflowGroups groups;
    switch (position(status)) {
    case Assigned:
        groups.internal = true;
        break;
    case Verified:
        groups.verified = true;
        groups.fixed = m_settings.workflowCloseIssue() == 2;
        break;
    case Closed:
        groups.fixed = true;
        break;
    case Resolved:
        groups.verified = true;
        groups.fixed = true;
        break;
    default:
        break;
    }
    return groups;
}

void IssueWorkflow::fillLists(const std::vector<core::UserQueueEntry> &users, const QString &status,
                              const WorkflowGroups &groups,
                              const std::function<QString(const QString &)> &options,
                              WorkflowLists &lists) const
{
    if (!groups.any())
        return;
    if (groups.internal)
        lists.assign.clear();
    if (groups.fixed)
        lists.fixed.clear();
    if (groups.verified)
        lists.verified.clear();
    const int k = position(status);
    for (const core::UserQueueEntry &user : users) {
        const QString userOptions = options(user.userMak);
        if (groups.fixed && hasOption(userOptions, kFixedOption))
            lists.fixed.push_back(user);
        if (groups.verified && hasOption(userOptions, kVerifiedOption))
            lists.verified.push_back(user);
        if (groups.internal && k > 0 && hasOption(userOptions, k))
            lists.assign.push_back(user);
    }
}

void IssueWorkflow::primeNew(data::Record &issue) const
{
    if (!enabled())
        return;
    const bool assign = m_settings.workflowAssignIssue() == 1;
    issue.setValue(QStringLiteral("Status"), status(assign ? Assigned : New));
    issue.setValue(QStringLiteral("StatusSort"), assign ? Assigned : New);
}

bool IssueWorkflow::closesOnSave(const data::Record &issue) const
{
    if (!enabled())
        return false;
    const int k = position(issue.text(QStringLiteral("Status")));
    const int rule = m_settings.workflowCloseIssue();
    return (k == Resolved && rule == 1) || (k == Verified && rule == 2);
}

bool IssueWorkflow::promptBeforeClose() const
{
    return m_settings.workflowPromptBeforeClose();
}

void IssueWorkflow::close(data::Record &issue)
{
    issue.setValue(QStringLiteral("Status"), status(Closed));
    issue.setValue(QStringLiteral("StatusSort"), Closed);
    issue.setValue(QStringLiteral("Gray"), 1);
}

QString IssueWorkflow::closeQuestion(const data::Record &issue)
{
    static const char *const words[] = {"Bug", "Feature", "Support", "To-Do"};
    const qint64 category = issue.integer(QStringLiteral("Category"));
    const QString word =
        category >= 1 && category <= 4 ? QString::fromLatin1(words[category - 1]) : QString();
    const Translator &t = Translator::instance();
    return t.translate(QStringLiteral("Do you want to close this")) + QLatin1Char(' ') + word +
           QLatin1Char(' ') + t.translate(QStringLiteral("now?"));
}

QString IssueWorkflow::allResponsiblePersons(const QString &responsible, const QStringList &also)
{
    QString all = Text::clip(responsible);
    for (const QString &person : also)
        all += QLatin1Char('|') + Text::clip(person);
    return Text::cutTo(all, kAllResponsibleWidth);
}

} // namespace tarvo::issues
