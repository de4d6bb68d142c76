#pragma once

#include "core/startup/SettingsValues.h"
#include "platform/runtime/Result.h"

#include <QString>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// The change history one issue form writes while it is open: each entry goes to History at
// once, and a cancelled change takes back exactly the entries this form wrote, whatever the clock
// did meanwhile and whatever others wrote.
class IssueHistory final {
  public:
    IssueHistory(data::Session &session, core::SettingsValues settings);

    // One entry for the issue in the session's Bugs buffer (nothing while history is off); the
    // error when the entry could not be written (the stop message has then been shown).
    Result<void> add(const QString &label, const QString &picture, const QString &oldContents,
                     const QString &newContents);
    // The rows written so far and not taken back.
    const std::vector<qint64> &written() const { return m_written; }
    // Removes the rows this form wrote, all in one transaction.
    Result<void> takeBack();
    // The rows are kept for good (the change was saved).
    void keep() { m_written.clear(); }

  private:
    data::Session &m_session;
    core::SettingsValues m_settings;
    std::vector<qint64> m_written;
};

} // namespace tarvo::issues
