#pragma once

#include "core/lists/PriorityQueue.h"
#include "core/lists/StatusQueue.h"
#include "core/lists/UserQueue.h"
#include "platform/query/FieldChoices.h"
#include "platform/query/MassUpdate.h"
#include "platform/query/RegisteredFile.h"

#include <functional>
#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// The mass update of the tagged issues: the fields it offers (never the issue number, nor what
// the program keeps itself), the choices of their editors, and the run that puts the chosen
// values into every tagged issue, keeps the derived fields consistent and writes one history
// entry per changed field, all in one transaction.
class IssueMassUpdate final {
  public:
    // `settings` is the settings record (Parameter): custom fields and the history switch.
    IssueMassUpdate(data::Session &session, const data::Record &settings);

    // The issue file as the mass update offers it.
    Result<query::RegisteredFile> offeredFields();
    // The choices of the field editors; the program's releases, priorities and program files only
    // when a program is selected (`prgId`).
    Result<query::FieldChoices> choices(qint64 prgId, const core::StatusQueue &statuses,
                                        const std::vector<core::PriorityQueueEntry> &priorities,
                                        const std::vector<core::UserQueueEntry> &users);

    // Called around each changed issue when mails on mass updates are on: before the values are
    // put in (the snapshot) and after the issue is written (the notification rules).
    std::function<void(const data::Record &issue)> beforeChange;
    std::function<void(const data::Record &issue)> afterChange;

    struct Outcome final {
        int changed = 0;
        int missing = 0; // tagged issues that no longer exist
    };
    // Updates the issues of `ids` in their order. An issue that is gone, or that the chosen values
    // leave as it was, is skipped. A failed write ends the run with nothing changed.
    Result<Outcome> run(const std::vector<qint64> &ids, const query::MassUpdate &update,
                        const core::StatusQueue &statuses,
                        const std::vector<core::PriorityQueueEntry> &priorities);

  private:
    Result<void> deriveFields(data::Record &issue, const std::vector<query::FieldChange> &changes,
                              const core::StatusQueue &statuses,
                              const std::vector<core::PriorityQueueEntry> &priorities);

    data::Session &m_session;
    const data::Record &m_settings;
};

} // namespace tarvo::issues
