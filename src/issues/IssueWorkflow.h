#pragma once

#include "core/lists/UserQueue.h"
#include "core/startup/SettingsValues.h"
#include "platform/data/Record.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tarvo::issues {

// The person groups of the issue form that the workflow enables by status.
struct WorkflowGroups final {
    bool internal = false; // "Internal Information": the responsible person
    bool fixed = false;
    bool verified = false;

    bool any() const { return internal || fixed || verified; }
    bool operator==(const WorkflowGroups &) const = default;
};

// The choices of the three person fields while the workflow is on.
struct WorkflowLists final {
    std::vector<core::UserQueueEntry> assign;
    std::vector<core::UserQueueEntry> fixed;
    std::vector<core::UserQueueEntry> verified;
};

// The issue workflow: its eight statuses, which person groups a status opens, who may be chosen
// for them, how a new issue starts and when saving closes an issue.
class IssueWorkflow final {
  public:
    static constexpr int New = 1;
    static constexpr int Assigned = 2;
    static constexpr int Resolved = 5;
    static constexpr int Verified = 6;
    static constexpr int Closed = 8;

    explicit IssueWorkflow(core::SettingsValues settings);

    bool enabled() const;
    // The status text of a position (1 to 8), translated.
    static QString status(int position);
    // The position of a status (clipped, compared with the translated texts); 0 for any other.
    static int position(const QString &status);

    WorkflowGroups groupsFor(const QString &status) const;
    // Fills the lists of the enabled groups from the users in order; `options` gives a user's
    // workflow options text ("WORKFLOWOPTIONS"), whose character k is "1" for option k. The lists
    // of disabled groups keep what they held; with no group enabled nothing changes.
    void fillLists(const std::vector<core::UserQueueEntry> &users, const QString &status,
                   const WorkflowGroups &groups, const std::function<QString(const QString &)> &options,
                   WorkflowLists &lists) const;

    // The status of a new issue: "New" (sort 1), or "Assigned" (sort 2) when new issues are
    // assigned at once. Without workflow nothing changes.
    void primeNew(data::Record &issue) const;
    // True when saving the issue in its status closes it by the settings.
    bool closesOnSave(const data::Record &issue) const;
    bool promptBeforeClose() const;
    // Sets the issue to "Closed" (sort 8, greyed).
    static void close(data::Record &issue);
    // The question asked before closing, with the issue's category word.
    static QString closeQuestion(const data::Record &issue);

    // BUG:AllResponsiblePersons: the responsible person, then "|" and each also-responsible
    // person, cut to the field's 35 characters.
    static QString allResponsiblePersons(const QString &responsible, const QStringList &also);

  private:
    core::SettingsValues m_settings;
};

} // namespace tarvo::issues
