#pragma once

#include "core/lists/PriorityQueue.h"
#include "core/startup/SettingsValues.h"
#include "issues/DuplicateChoices.h"
#include "issues/IssueHistory.h"
#include "issues/IssueSnapshot.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace tarvo::data {
class FileManager;
class Session;
} // namespace tarvo::data

namespace tarvo::issues {

class IssueFieldRules;

// The request an issue form runs under (ThreadRequest).
enum class IssueRequest { Insert = 1, Change = 2, Delete = 3, View = 6 };

// What an issue form leaves for the browse that started it, which acts on it once the form has
// closed and clears it: a release or program file was added (the program tree is read again), or
// a changed issue left the release the browse shows (its version changed).
struct FormChanges final {
    bool programChanged = false;
    bool versionChanged = false;
};

// What a new issue takes from the issue browse: its current program, release, program file and
// category tab, and the issue to duplicate (0 for none); and where the form leaves its changes
// for the browse (none when the caller is no browse).
struct NewIssueValues final {
    qint32 prgId = 0;
    QString release;
    QString programFile;
    int category = 0;
    qint32 duplicateSource = 0;
    DuplicateChoices duplicate;
    std::shared_ptr<FormChanges> changes;
};

// How an OK or a delete ended.
struct SaveResult final {
    enum class Outcome {
        Saved,   // stored, hold released, mails sent
        Stopped, // a check stopped it: `select` names the control, the form stays open
        Refused, // a notification preview was cancelled: nothing stored, nothing sent
        Held,    // another user holds the issue: nothing done
        Failed,  // the store refused: nothing stored, nothing sent; `error` says why
    };
    Outcome outcome = Outcome::Saved;
    QString select; // the control's label in upper case ("BUG:RESPONSIBLE")
    Error error;
    bool versionChanged = false; // VersionChanged: the used version differs from the snapshot's
    int mailsSent = 0;
};

// The issue form without its window: opening under a request (the hold, the priming of a new or
// duplicated issue, the snapshot), OK (checks, workflow, notifications decided first, then the
// issue and its stamps and "Record added" in one transaction, then the hold released and the mails
// sent), Cancel (the history it wrote taken back, or a new issue removed with everything written
// under it) and the delete request. It works on the session's Bugs buffer, as its sub-forms do.
class IssueSave final {
  public:
    IssueSave(data::Session &session, core::SettingsValues settings);
    ~IssueSave();
    IssueSave(const IssueSave &) = delete;
    IssueSave &operator=(const IssueSave &) = delete;

    // UserHasEMail of the issue browse.
    void setUserHasEMail(bool has) { m_userHasEMail = has; }

    // Opens on the issue in the Bugs buffer (change, view) or on a new one (insert, primed from
    // the browse's values or duplicated; IssueStatus::settleNew completes it once the form's lists
    // are filled). A change of an issue another user holds shows the message and opens it for
    // viewing. The request the form then runs under.
    Result<IssueRequest> open(IssueRequest request, const NewIssueValues &values = {});
    IssueRequest request() const { return m_request; }
    data::Record &issue();
    IssueHistory &history() { return m_history; }
    const IssueSnapshot &snapshot() const { return m_snapshot; }
    qint64 openDate() const { return m_openDate; }
    qint64 openTime() const { return m_openTime; }

    // OK. `rules` gives the marks and the field configuration, `alsoResponsible` the issue's
    // also-responsible persons, `priorities` the priority list and `browseRelease` the browse's
    // release (Rel). When the workflow closes the issue on saving and is to ask first, the
    // question goes through the message layer; No saves the issue in its status.
    SaveResult ok(const IssueFieldRules &rules, const QStringList &alsoResponsible,
                  const std::vector<core::PriorityQueueEntry> &priorities, const QString &browseRelease = {});
    // Cancel: releases the hold; a change takes back its history, an insert removes its row and
    // everything written under its number.
    Result<void> cancel();
    // The delete request for the issue in the Bugs buffer: held, confirmed by `confirm`, the
    // "Record deleted" previews decided, then the issue and its children deleted in one
    // transaction, the hold released and the mails sent.
    SaveResult remove(const std::function<bool()> &confirm);

    // The data files a save may have changed, for the refresh notice.
    static QString changedFiles();

  private:
    data::FileManager &bugs();
    // Reads the issue of the buffer's number again and holds it; code 43 when another holds it.
    Result<void> readHeld();
    void primeNew(const NewIssueValues &values);
    // Holds, primes and (when asked) duplicates the new issue whose number was just claimed.
    Result<void> startNew(const NewIssueValues &values);
    // The first control marked required whose field is empty, or empty.
    QString firstEmptyRequired(const IssueFieldRules &rules);
    // The preliminary checks of OK that select a control; empty when all pass.
    QString check(const IssueFieldRules &rules);
    SaveResult commit(int event, const std::function<Result<void>()> &write);
    void releaseHold();
    void sendRefresh();

    data::Session &m_session;
    core::SettingsValues m_settings;
    IssueHistory m_history;
    IssueSnapshot m_snapshot;
    IssueRequest m_request = IssueRequest::View;
    data::Record m_opened; // the issue as it was read, to tell whether OK changed it
    qint64 m_openDate = 0;
    qint64 m_openTime = 0;
    bool m_held = false;
    bool m_primed = false;
    bool m_userHasEMail = true;
};

} // namespace tarvo::issues
