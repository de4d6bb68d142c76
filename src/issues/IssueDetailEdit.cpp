#include "issues/IssueDetailEdit.h"

#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "issues/IssueSnapshot.h"
#include "issues/NotificationTrigger.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/DayDate.h"

#include <algorithm>

namespace tarvo::issues {

IssueDetailEdit::IssueDetailEdit(data::Session &session, core::SettingsValues settings, QString userCode)
    : m_session(session), m_settings(std::move(settings)), m_userCode(std::move(userCode))
{
}

Result<DetailChange> IssueDetailEdit::change(qint64 id, const QString &field, const QVariant &value,
                                             const std::vector<core::UserQueueEntry> &users)
{
    DetailChange done;
    data::FileManager &bugs = *m_session.file(QStringLiteral("Bugs"));
    data::Record &issue = bugs.buffer();
    issue = bugs.newRecord();
    issue.setValue(QStringLiteral("ID"), id);
    if (id <= 0 || !bugs.fetch(QStringLiteral("BUG:KeyID"), issue))
        return done;
    IssueSnapshot snapshot;
    snapshot.take(IssueSnapshot::Copy, issue, m_settings);
    QVariant newValue = value;
    if (field.compare(QLatin1String("Responsible"), Qt::CaseInsensitive) == 0) {
        const QString code = value.toString().trimmed();
        const bool known = std::any_of(users.begin(), users.end(), [&code](const core::UserQueueEntry &u) {
            return u.userMak.trimmed().compare(code, Qt::CaseInsensitive) == 0;
        });
        if (!code.isEmpty() && !known) {
            done.responsibleRefused = true;
            newValue = QString();
        } else {
            newValue = code;
        }
    }
    issue.setValue(field, newValue);
    issue.setValue(QStringLiteral("ChangedDate"), DayDate::today());
    issue.setValue(QStringLiteral("ChangedTime"), DayDate::clock());
    issue.setValue(QStringLiteral("ChangedBy"), m_userCode.left(core::UserQueueEntry::MakWidth));
    if (auto written = bugs.update(issue); !written)
        return written.error();
    done.written = true;
    done.issue = issue;
    // The change is stored whatever the rules decide; they only say who hears of it.
    NotificationTrigger trigger(m_session, m_settings);
    auto pending = trigger.decide(TriggerCaller::Form, IssueEvent::Changed, snapshot.issue());
    if (pending && !pending->cancelled())
        if (core::MailServices *mail = core::Services::mail())
            pending.value().send(m_session.context(), *mail);
    return done;
}

} // namespace tarvo::issues
