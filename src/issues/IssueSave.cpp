#include "issues/IssueSave.h"

#include "core/services/AccessServices.h"
#include "core/services/MailServices.h"
#include "core/services/Services.h"
#include "issues/IssueDuplicate.h"
#include "issues/IssueFieldRules.h"
#include "issues/IssueFieldTable.h"
#include "issues/IssueWorkflow.h"
#include "issues/NotificationTrigger.h"
#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/RecordHolds.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "platform/runtime/DayDate.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Translator.h"

namespace tarvo::issues {

namespace {

const QString kBugs = QStringLiteral("Bugs");

QString initials()
{
    const core::AccessServices *access = core::Services::access();
    return access ? access->initials() : QString();
}

bool isEmptyValue(const data::Record &issue, const QString &field)
{
    const QVariant value = issue.value(field);
    if (value.typeId() == QMetaType::QString)
        return Text::clip(value.toString()).isEmpty();
    return value.toLongLong() == 0;
}

SaveResult stopped(const QString &select)
{
    SaveResult r;
    r.outcome = SaveResult::Outcome::Stopped;
    r.select = select;
    return r;
}

SaveResult failed(const Error &error)
{
    SaveResult r;
    r.outcome = SaveResult::Outcome::Failed;
    r.error = error;
    return r;
}

} // namespace

IssueSave::IssueSave(data::Session &session, core::SettingsValues settings)
    : m_session(session), m_settings(settings), m_history(session, std::move(settings))
{
}

IssueSave::~IssueSave()
{
    releaseHold();
}

data::FileManager &IssueSave::bugs()
{
    return *m_session.file(kBugs);
}

data::Record &IssueSave::issue()
{
    return bugs().buffer();
}

QString IssueSave::changedFiles()
{
    return QStringLiteral(
        "|Bugs|Bugs|Attachments|EMails|Notes|History|Attachments|EMails|Notes|Programfiles|");
}

void IssueSave::sendRefresh()
{
    if (core::RefreshNotices *notices = core::Services::refreshNotices())
        notices->sendRefresh(changedFiles());
}

void IssueSave::releaseHold()
{
    if (!m_held)
        return;
    m_session.holds().release(bugs(), issue());
    m_held = false;
}

Result<void> IssueSave::readHeld()
{
    data::Record read = bugs().newRecord();
    read.setValue(QStringLiteral("ID"), issue().value(QStringLiteral("ID")));
    if (auto fetched = bugs().fetch(QStringLiteral("KeyID"), read); !fetched)
        return fetched;
    if (auto held = m_session.holds().hold(bugs(), read); !held)
        return held;
    issue() = read;
    m_opened = read;
    m_held = true;
    return {};
}

void IssueSave::primeNew(const NewIssueValues &values)
{
    data::Record &bug = issue();
    bug.setValue(QStringLiteral("PrgID"), values.prgId);
    bug.setValue(QStringLiteral("Version"), values.release);
    bug.setValue(QStringLiteral("Programfile"), values.programFile);
    bug.setValue(QStringLiteral("Category"), values.category);
    bug.setValue(QStringLiteral("ReportedDate"), DayDate::today());
    bug.setValue(QStringLiteral("CreateDate"), DayDate::today());
    bug.setValue(QStringLiteral("CreateTime"), DayDate::clock());
    bug.setValue(QStringLiteral("CreatedBy"), initials());
    bug.setValue(QStringLiteral("StartTime"), DayDate::clock());
}

Result<void> IssueSave::startNew(const NewIssueValues &values)
{
    if (auto held = m_session.holds().hold(bugs(), issue()); !held)
        return held;
    m_held = true;
    primeNew(values);
    if (values.duplicateSource > 0) {
        if (auto copied = duplicateIssue(m_session, issue(), values.duplicateSource, values.duplicate);
            !copied)
            return copied;
    }
    m_opened = issue();
    return {};
}

Result<IssueRequest> IssueSave::open(IssueRequest request, const NewIssueValues &values)
{
    m_request = request;
    if (request == IssueRequest::Insert) {
        if (auto primed = bugs().primeRecord(issue()); !primed)
            return primed.error();
        m_primed = true;
        if (auto started = startNew(values); !started) {
            // The claimed number goes again (the file manager reports a failure there itself);
            // the first error is the one to show.
            (void)cancel();
            return started.error();
        }
    } else if (request == IssueRequest::Change) {
        if (auto read = readHeld(); !read) {
            if (read.error().code != data::ErrorCode::RecordHeld)
                return read.error();
            Messages::beep(MessageIcon::Asterisk);
            Messages::show(Translator::instance().translate(
                               QStringLiteral("This record is locked because someone else is editing it!||"
                                              "It will be opened in view-only mode.")),
                           QStringLiteral("Tarvo"), MessageIcon::Application);
            m_request = IssueRequest::View;
        }
    }
    if (m_request == IssueRequest::View) {
        data::Record read = bugs().newRecord();
        read.setValue(QStringLiteral("ID"), issue().value(QStringLiteral("ID")));
        if (auto fetched = bugs().fetch(QStringLiteral("KeyID"), read); !fetched)
            return fetched.error();
        issue() = read;
        m_opened = read;
    }
    m_snapshot.take(m_request == IssueRequest::Insert ? IssueSnapshot::Clear : IssueSnapshot::Copy, issue(),
                    m_settings);
    m_openDate = DayDate::today();
    m_openTime = DayDate::clock();
    return m_request;
}

QString IssueSave::firstEmptyRequired(const IssueFieldRules &rules)
{
    const data::Record &bug = issue();
    for (const ComparedField &field : IssueFieldTable::compared()) {
        const QString name = IssueFieldTable::formField(field.label);
        if (!name.isEmpty() && rules.isRequired(field.label) && isEmptyValue(bug, name))
            return field.label.toUpper();
    }
    return QString();
}

QString IssueSave::check(const IssueFieldRules &rules)
{
    data::Record &bug = issue();
    const qint64 category = bug.integer(QStringLiteral("Category"));
    const FieldConfigRow *categoryRule = rules.configOf(QStringLiteral("BUG:Category"));
    if ((category < 1 || category > 4) && categoryRule && categoryRule->required)
        return QStringLiteral("BUG:CATEGORY");
    const FieldConfigRow *reporterRule = rules.configOf(QStringLiteral("BUG:ReportedBy"));
    if (isEmptyValue(bug, QStringLiteral("ReportedBy")) && reporterRule && reporterRule->required)
        return QStringLiteral("BUG:REPORTEDBY");
    const IssueWorkflow workflow(m_settings);
    if (workflow.enabled()) {
        if (IssueWorkflow::position(bug.text(QStringLiteral("Status"))) == IssueWorkflow::Assigned &&
            isEmptyValue(bug, QStringLiteral("Responsible")))
            return QStringLiteral("BUG:RESPONSIBLE");
        if (workflow.closesOnSave(bug)) {
            const bool close =
                !workflow.promptBeforeClose() ||
                Messages::show(IssueWorkflow::closeQuestion(bug), QStringLiteral("Tarvo"),
                               MessageIcon::Exclamation, Button::Yes | Button::No) == Button::Yes;
            if (close)
                IssueWorkflow::close(bug);
        }
    }
    return firstEmptyRequired(rules);
}

SaveResult IssueSave::commit(int event, const std::function<Result<void>()> &write)
{
    NotificationTrigger trigger(m_session, m_settings);
    trigger.setUserHasEMail(m_userHasEMail);
    auto pending = trigger.decide(TriggerCaller::Form, IssueEvent(event), m_snapshot.issue());
    if (!pending)
        return failed(pending.error());
    if (pending->cancelled()) {
        SaveResult refused;
        refused.outcome = SaveResult::Outcome::Refused;
        return refused;
    }
    auto conn = m_session.connection();
    if (!conn)
        return failed(conn.error());
    {
        data::Transaction transaction(**conn);
        if (!transaction.started())
            return failed(transaction.started().error());
        if (auto written = write(); !written)
            return failed(written.error());
        if (auto committed = transaction.commit(); !committed)
            return failed(committed.error());
    }
    releaseHold();
    SaveResult saved;
    if (core::MailServices *mail = core::Services::mail())
        saved.mailsSent = pending.value().send(m_session.context(), *mail);
    sendRefresh();
    return saved;
}

SaveResult IssueSave::ok(const IssueFieldRules &rules, const QStringList &alsoResponsible,
                         const std::vector<core::PriorityQueueEntry> &priorities,
                         const QString &browseRelease)
{
    if (m_request != IssueRequest::Insert && m_request != IssueRequest::Change)
        return stopped(QString());
    if (const QString select = check(rules); !select.isEmpty())
        return stopped(select);
    data::Record &bug = issue();
    for (const core::PriorityQueueEntry &p : priorities) {
        if (p.priority == Text::clip(bug.text(QStringLiteral("Priority")))) {
            bug.setValue(QStringLiteral("PrioritySort"), p.prioritySort);
            break;
        }
    }
    bug.setValue(
        QStringLiteral("AllResponsiblePersons"),
        IssueWorkflow::allResponsiblePersons(bug.text(QStringLiteral("Responsible")), alsoResponsible));

    if (m_request == IssueRequest::Insert) {
        SaveResult r = commit(int(IssueEvent::Entered), [&]() -> Result<void> {
            if (auto added = bugs().insert(issue()); !added)
                return added;
            return m_history.add(Translator::instance().translate(QStringLiteral("Record added")),
                                 QStringLiteral("S255"), QString(), QString());
        });
        if (r.outcome == SaveResult::Outcome::Saved) {
            m_primed = false;
            m_history.keep();
        }
        return r;
    }

    const bool changed = !bug.sameValues(m_opened);
    if (changed) {
        bug.setValue(QStringLiteral("ChangedDate"), DayDate::today());
        bug.setValue(QStringLiteral("ChangedTime"), DayDate::clock());
        bug.setValue(QStringLiteral("ChangedBy"), initials());
    }
    const bool versionChanged =
        !Text::clip(browseRelease).isEmpty() &&
        bug.value(QStringLiteral("Version")) != m_opened.value(QStringLiteral("Version"));
    SaveResult r;
    if (changed) {
        r = commit(int(IssueEvent::Changed),
                   [&] { return m_session.relations(kBugs)->update(issue(), m_opened); });
    } else {
        releaseHold();
        sendRefresh();
    }
    if (r.outcome == SaveResult::Outcome::Saved) {
        r.versionChanged = versionChanged;
        m_history.keep();
        m_opened = issue();
    }
    return r;
}

Result<void> IssueSave::cancel()
{
    Result<void> result;
    if (m_request == IssueRequest::Insert && m_primed) {
        auto conn = m_session.connection();
        if (!conn)
            return conn.error();
        data::Transaction transaction(**conn);
        if (!transaction.started())
            return transaction.started();
        data::Record claimed = issue();
        // The claimed row goes with everything the sub-forms wrote under its number.
        if (auto removed = m_session.relations(kBugs)->remove(claimed);
            !removed && removed.error().code != data::ErrorCode::RecordNotFound)
            return removed;
        if (auto dropped = bugs().cancelPrimed(issue());
            !dropped && dropped.error().code != data::ErrorCode::RecordNotFound)
            return dropped;
        if (auto committed = transaction.commit(); !committed)
            return committed;
        m_primed = false;
    } else if (m_request == IssueRequest::Change) {
        result = m_history.takeBack();
    }
    releaseHold();
    sendRefresh();
    return result;
}

SaveResult IssueSave::remove(const std::function<bool()> &confirm)
{
    m_request = IssueRequest::Delete;
    if (auto read = readHeld(); !read) {
        if (read.error().code != data::ErrorCode::RecordHeld)
            return failed(read.error());
        m_request = IssueRequest::View;
        SaveResult held;
        held.outcome = SaveResult::Outcome::Held;
        held.error = read.error();
        return held;
    }
    m_snapshot.take(IssueSnapshot::Copy, issue(), m_settings);
    if (!confirm()) {
        releaseHold();
        sendRefresh();
        return stopped(QString());
    }
    data::Record &bug = issue();
    bug.setValue(QStringLiteral("ChangedDate"), DayDate::today());
    bug.setValue(QStringLiteral("ChangedTime"), DayDate::clock());
    bug.setValue(QStringLiteral("ChangedBy"), initials());
    SaveResult r = commit(int(IssueEvent::Deleted), [&] {
        data::Record gone = issue();
        return m_session.relations(kBugs)->remove(gone);
    });
    if (r.outcome != SaveResult::Outcome::Saved) {
        releaseHold();
        sendRefresh();
    }
    return r;
}

} // namespace tarvo::issues
