#include "core/lists/FillStatusList.h"

#include "core/lists/DataStatusSource.h"
#include "core/services/AccessServices.h"
#include "core/startup/SettingsRecord.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tarvo::core {

namespace {

enum class Wf { New, Assigned, Postponed, Investigated, Resolved, Verified, Failed, Closed };

struct WorkflowStatus final {
    const char *text;
    const char *right;
    int sort;
    bool gray;
};

constexpr std::array<WorkflowStatus, 8> kWorkflow{{
    {"New", "BEN:UserByte2", 1, false},
    {"Assigned", "BEN:UserByte3", 2, false},
    {"Postponed", "BEN:UserByte4", 3, false},
    {"Investigated", "BEN:UserByte5", 4, false},
    {"Resolved", "BEN:UserByte6", 5, false},
    {"Verified", "BEN:UserByte7", 6, false},
    {"Failed", "BEN:UserByte8", 7, false},
    {"Closed", "BEN:UserByte9", 8, true},
}};

const WorkflowStatus &info(Wf status)
{
    return kWorkflow[static_cast<std::size_t>(status)];
}

Result<void> fillWithoutWorkflow(StatusQueue &queue, qint32 program, StatusSource &source)
{
    RowsRead<StatusRow> read = source.statuses();
    std::stable_sort(read.rows.begin(), read.rows.end(), [](const StatusRow &a, const StatusRow &b) {
        if (a.prgId != b.prgId)
            return a.prgId < b.prgId;
        if (a.sort != b.sort)
            return a.sort < b.sort;
        return QString::compare(clipped(a.status), clipped(b.status), Qt::CaseSensitive) < 0;
    });
    // The program's own statuses go to the front in key order and the general ones to the back;
    // the empty entry separates the two groups once the program has statuses of its own.
    std::ptrdiff_t own = 0;
    for (const StatusRow &row : read.rows) {
        const StatusQueueEntry entry{row.status, row.color, row.gray, row.sort};
        if (row.prgId == program) {
            if (own == 0)
                queue.insert(queue.begin(), StatusQueueEntry{});
            queue.insert(queue.begin() + own, entry);
            ++own;
        } else if (row.prgId == 0) {
            queue.push_back(entry);
        }
    }
    if (read.error)
        return *read.error;
    return {};
}

void fillWithWorkflow(StatusQueue &queue, const QString &current, const WorkflowSettings &workflow,
                      const WorkflowRightFn &hasRight, const TranslateFn &translate)
{
    const auto word = [&](Wf status) {
        return translated(translate, QString::fromLatin1(info(status).text));
    };
    const auto offer = [&](Wf status, bool always = false) {
        const WorkflowStatus &s = info(status);
        if (always || (hasRight && hasRight(QString::fromLatin1(s.right))))
            queue.push_back(StatusQueueEntry{word(status), 0, s.gray, s.sort});
    };
    const auto offerAll = [&](std::initializer_list<Wf> statuses) {
        for (Wf status : statuses)
            offer(status);
    };

    if (current.isEmpty()) {
        if (workflow.assignIssue == WorkflowSettings::AssignRequired) {
            offer(Wf::Assigned, true);
        } else {
            offer(Wf::New);
            if (workflow.assignIssue == WorkflowSettings::AssignAllowed)
                offer(Wf::Assigned);
        }
    } else if (current == word(Wf::New)) {
        offerAll({Wf::Assigned, Wf::Postponed});
        if (workflow.allowChange)
            offerAll({Wf::Investigated, Wf::Resolved});
    } else if (current == word(Wf::Assigned)) {
        offerAll({Wf::Postponed, Wf::Investigated, Wf::Resolved});
    } else if (current == word(Wf::Postponed)) {
        offer(Wf::Assigned);
    } else if (current == word(Wf::Investigated)) {
        offerAll({Wf::Postponed, Wf::Resolved});
    } else if (current == word(Wf::Resolved)) {
        offerAll({Wf::Verified, Wf::Failed});
    } else if (current == word(Wf::Verified) || current == word(Wf::Closed)) {
        offer(Wf::Closed);
    } else if (current == word(Wf::Failed)) {
        offerAll({Wf::Assigned, Wf::Resolved});
    }
}

} // namespace

WorkflowSettings WorkflowSettings::fromSettingsRecord()
{
    const SettingsValues settings = SettingsRecord::instance().values();
    WorkflowSettings workflow;
    workflow.enabled = settings.workflowEnabled();
    workflow.assignIssue = settings.workflowAssignIssue();
    workflow.allowChange = settings.workflowAllowChange();
    return workflow;
}

CurrentIssue CurrentIssue::fromBugsRecord(data::Session &session)
{
    data::FileManager *bugs = session.file(QStringLiteral("Bugs"));
    if (!bugs)
        return {};
    const data::Record &record = bugs->buffer();
    return {qint32(record.integer(QStringLiteral("BUG:PrgID"))), record.text(QStringLiteral("BUG:Status"))};
}

WorkflowRightFn accessWorkflowRights(AccessServices &access)
{
    return [&access](const QString &rightKey) {
        return access.getValue(rightKey).trimmed() == QLatin1String("1");
    };
}

Result<void> FillStatusList(StatusQueue &queue, qint32 programId, bool forCurrentIssue,
                            const CurrentIssue &issue, const WorkflowSettings &workflow, StatusSource &source,
                            const WorkflowRightFn &hasRight, const TranslateFn &translate)
{
    queue.clear();
    if (!workflow.enabled)
        return fillWithoutWorkflow(queue, forCurrentIssue ? issue.prgId : programId, source);
    if (forCurrentIssue)
        fillWithWorkflow(queue, clipped(issue.status), workflow, hasRight, translate);
    return {};
}

Result<void> FillStatusList(StatusQueue &queue, qint32 programId, bool forCurrentIssue,
                            data::Session &session, const WorkflowRightFn &hasRight,
                            const TranslateFn &translate)
{
    const CurrentIssue issue = forCurrentIssue ? CurrentIssue::fromBugsRecord(session) : CurrentIssue{};
    DataStatusSource source(session, forCurrentIssue ? issue.prgId : programId);
    return FillStatusList(queue, programId, forCurrentIssue, issue, WorkflowSettings::fromSettingsRecord(),
                          source, hasRight, translate);
}

} // namespace tarvo::core
