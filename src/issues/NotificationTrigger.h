#pragma once

#include "core/services/MailServices.h"
#include "core/startup/SettingsValues.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// What happened to the issue, and who asks.
enum class IssueEvent { Entered = 1, Changed = 2, Deleted = 3 };
enum class TriggerCaller { Form = 1, MassUpdate = 2 };

// The notification mails one save has decided on. They go out once, after the save committed;
// when any preview was cancelled the save must not happen and nothing is sent.
class PendingNotifications final {
  public:
    bool cancelled() const { return m_cancelled; }
    const std::vector<core::NotificationMail> &mails() const { return m_mails; }
    void add(core::NotificationMail mail);
    void setCancelled() { m_cancelled = true; }

    // Sends every mail decided to be sent, once: a second call sends nothing. Nothing goes out
    // from a cancelled set. The number of mails sent.
    int send(int contextNumber, core::MailServices &mail);

  private:
    std::vector<core::NotificationMail> m_mails;
    bool m_cancelled = false;
    bool m_sent = false;
};

// BugEMailEvents: holds an issue (the session's Bugs buffer) against the notification rules of
// EMailEvents, comparing it with the snapshot taken before the change, and asks the mail preview
// about every rule that matches.
class NotificationTrigger final {
  public:
    NotificationTrigger(data::Session &session, core::SettingsValues settings);

    // UserHasEMail: false when the user cannot send mail; nothing is then evaluated.
    void setUserHasEMail(bool has) { m_userHasEMail = has; }

    // Every matching rule's preview, answered and not yet sent. A cancelled record-event preview
    // still lets the other record-event previews be asked; a cancelled field preview ends the
    // evaluation. The error of reading the rules, when they could not be read.
    Result<PendingNotifications> decide(TriggerCaller caller, IssueEvent event, const data::Record &before);

    // The value text of a compared field of `issue` (see IssueFieldTable::compared).
    static QString valueText(const data::Record &issue, const QString &label);

  private:
    bool enabledFor(TriggerCaller caller) const;
    // Asks the preview of each rule for `eventText` that `fires` accepts; false when one was
    // cancelled and `stopOnCancel` is set.
    Result<bool> walk(const QString &eventText, const std::function<bool(const data::Record &)> &fires,
                      bool stopOnCancel, PendingNotifications &pending);

    data::Session &m_session;
    core::SettingsValues m_settings;
    bool m_userHasEMail = true;
};

} // namespace tarvo::issues
