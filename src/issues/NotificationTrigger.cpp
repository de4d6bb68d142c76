#include "issues/NotificationTrigger.h"

#include "core/lists/ReadKeyOrder.h"
#include "core/services/Services.h"
#include "issues/DeclaredFile.h"
#include "issues/IssueFieldTable.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"
#include "platform/runtime/Picture.h"
#include "platform/runtime/Text.h"

namespace tarvo::issues {

namespace {

constexpr int kMemoValueWidth = 255;

QString eventTextOf(IssueEvent event)
{
    switch (event) {
    case IssueEvent::Entered:
        return QStringLiteral("Record entered");
    case IssueEvent::Changed:
        return QStringLiteral("Record changed");
    case IssueEvent::Deleted:
        return QStringLiteral("Record deleted");
    }
    return {};
}

bool categoryMatches(const data::Record &rule, const data::Record &issue)
{
    const qint64 category = rule.integer(QStringLiteral("Category"));
    return category == 99 || category == issue.integer(QStringLiteral("Category"));
}

} // namespace

void PendingNotifications::add(core::NotificationMail mail)
{
    if (mail.decision == 0)
        m_cancelled = true;
    m_mails.push_back(std::move(mail));
}

int PendingNotifications::send(int contextNumber, core::MailServices &mail)
{
    if (m_sent || m_cancelled)
        return 0;
    m_sent = true;
    int sent = 0;
    for (const core::NotificationMail &m : m_mails) {
        if (m.decision == 1 && mail.sendNotification(contextNumber, m) == 1)
            ++sent;
    }
    return sent;
}

NotificationTrigger::NotificationTrigger(data::Session &session, core::SettingsValues settings)
    : m_session(session), m_settings(std::move(settings))
{
}

bool NotificationTrigger::enabledFor(TriggerCaller caller) const
{
    if (!m_userHasEMail)
        return false;
    return caller == TriggerCaller::Form ? m_settings.emailEnabled() : m_settings.emailOnMassUpdate();
}

QString NotificationTrigger::valueText(const data::Record &issue, const QString &label)
{
    ValueText kind = ValueText::Text;
    for (const ComparedField &f : IssueFieldTable::compared()) {
        if (f.label.compare(label, Qt::CaseInsensitive) == 0)
            kind = f.text;
    }
    const QVariant value = issue.value(label);
    QString text;
    switch (kind) {
    case ValueText::Text:
        text = value.toString();
        break;
    case ValueText::Memo:
        text = data::Record::cutToWidth(value.toString(), kMemoValueWidth);
        break;
    case ValueText::Digits:
        text = Picture::format(value, QStringLiteral("@n_7"));
        break;
    case ValueText::SignedThousands:
        text = Picture::format(value, QStringLiteral("@n-14"));
        break;
    case ValueText::Date:
        text = Picture::format(value, QStringLiteral("@D017B"));
        break;
    case ValueText::Time:
        text = Picture::format(value, QStringLiteral("@T08B"));
        break;
    }
    // Only blanks are dropped: a memo's line breaks are part of its value.
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == QLatin1Char(' '))
        ++first;
    return Text::clip(text.mid(first));
}

Result<bool> NotificationTrigger::walk(const QString &eventText,
                                       const std::function<bool(const data::Record &)> &fires,
                                       bool stopOnCancel, PendingNotifications &pending)
{
    auto declared = declaredFile(m_session, QStringLiteral("EMailEvents"));
    if (!declared)
        return declared.error();
    data::FileManager *rules = *declared;
    if (auto opened = rules->open(); !opened)
        return opened.error();
    std::vector<data::Record> matching;
    const auto failed =
        core::readKeyOrder(m_session, QStringLiteral("EMailEvents"), QStringLiteral("KeyEventFieldCategory"),
                           {eventText}, [&](const data::Record &rule) {
                               if (fires(rule))
                                   matching.push_back(rule);
                           });
    if (failed)
        return *failed;
    core::MailServices *mail = core::Services::mail();
    if (!matching.empty() && !mail)
        return makeError(0, QStringLiteral("No e-mail service to ask."));
    const qint32 issueId =
        qint32(m_session.file(QStringLiteral("Bugs"))->buffer().integer(QStringLiteral("ID")));
    bool cancelled = false;
    for (const data::Record &rule : matching) {
        rules->buffer() = rule;
        core::NotificationMail decided = mail->decideNotification(m_session.context());
        decided.issueId = issueId;
        if (decided.eventField.isEmpty())
            decided.eventField = rule.text(QStringLiteral("EventField"));
        if (decided.eventValue.isEmpty())
            decided.eventValue = rule.text(QStringLiteral("EventValue"));
        const bool thisCancelled = decided.decision == 0;
        pending.add(std::move(decided));
        if (thisCancelled) {
            cancelled = true;
            if (stopOnCancel)
                break;
        }
    }
    return !cancelled;
}

Result<PendingNotifications> NotificationTrigger::decide(TriggerCaller caller, IssueEvent event,
                                                         const data::Record &before)
{
    PendingNotifications pending;
    if (!enabledFor(caller))
        return pending;
    const data::Record &issue = m_session.file(QStringLiteral("Bugs"))->buffer();
    auto records = walk(
        eventTextOf(event), [&](const data::Record &rule) { return categoryMatches(rule, issue); }, false,
        pending);
    if (!records)
        return records.error();
    if (!*records || event == IssueEvent::Deleted)
        return pending;

    const data::Record empty(issue.layoutPtr());
    const data::Record &old = before.isValid() ? before : empty;
    for (const ComparedField &field : IssueFieldTable::compared()) {
        if (old.value(field.label) == issue.value(field.label))
            continue;
        const QString value = valueText(issue, field.label);
        auto fired = walk(
            field.label + QStringLiteral(" changed"),
            [&](const data::Record &rule) {
                if (!categoryMatches(rule, issue))
                    return false;
                if (event == IssueEvent::Entered && rule.integer(QStringLiteral("EventInsert")) == 0)
                    return false;
                const QString wanted = Text::clip(rule.text(QStringLiteral("EventValue")));
                return wanted == QStringLiteral("Any") || wanted == value;
            },
            true, pending);
        if (!fired)
            return fired.error();
        if (!*fired)
            return pending;
    }
    return pending;
}

} // namespace tarvo::issues
