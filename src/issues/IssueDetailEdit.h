#pragma once

#include "core/lists/UserQueue.h"
#include "core/startup/SettingsValues.h"
#include "platform/data/Record.h"
#include "platform/runtime/Result.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace tarvo::data {
class Session;
}

namespace tarvo::issues {

// What a change in the detail panel did.
struct DetailChange final {
    bool written = false;            // the issue was read again and stored
    bool responsibleRefused = false; // the typed code is no user: the issue keeps no responsible person
    data::Record issue;              // the issue as stored
};

// A change of one field of the selected issue in the browse's detail panel (responsible person,
// estimated time, due date, "Text", "Work around", "Release Notes"): written at once with the
// changed stamp, then held against the notification rules. It writes no history entry.
class IssueDetailEdit final {
  public:
    IssueDetailEdit(data::Session &session, core::SettingsValues settings, QString userCode);

    // `field` is the issue record's field name ("Responsible", "EstTime", "DueDate", "BugText",
    // "WorkaroundText", "ReleaseNotes"). An issue that cannot be read again is left alone.
    Result<DetailChange> change(qint64 id, const QString &field, const QVariant &value,
                                const std::vector<core::UserQueueEntry> &users);

  private:
    data::Session &m_session;
    core::SettingsValues m_settings;
    QString m_userCode;
};

} // namespace tarvo::issues
