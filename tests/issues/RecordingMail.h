#pragma once

#include "core/services/MailServices.h"
#include "platform/data/FileManager.h"
#include "platform/data/Record.h"
#include "platform/data/Session.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace tarvo::test {

// A mail preview that records which rules it was asked about and which mails it sent. Its
// answers come from a table by rule description (send when a rule is not in the table).
class RecordingMail final : public core::MailServices {
  public:
    explicit RecordingMail(data::Session &session) : m_session(session) {}

    QHash<QString, int> answers;
    QStringList asked;  // the rule descriptions, in the order asked
    QStringList sent;   // the rule descriptions of the mails sent
    QStringList issues; // "<issue id>:<description>" of each preview, as the Bugs buffer held it

    core::NotificationMail decideNotification(int) override
    {
        const data::Record &rule = m_session.file(QStringLiteral("EMailEvents"))->buffer();
        const QString description = rule.text(QStringLiteral("Description"));
        asked << description;
        const data::Record &issue = m_session.file(QStringLiteral("Bugs"))->buffer();
        issues << QStringLiteral("%1:%2").arg(issue.integer(QStringLiteral("ID"))).arg(description);
        core::NotificationMail mail;
        mail.decision = answers.value(description, 1);
        mail.subject = description;
        return mail;
    }
    int sendNotification(int, const core::NotificationMail &mail) override
    {
        sent << mail.subject;
        return 1;
    }
    int emailPreview(int, int, const QString &, const QString &, const QString &, const QString &,
                     const QString &, const QString &) override
    {
        return 0;
    }
    void sendEMail(int, const QString &, int, int) override {}
    int emailSend(int, int, const QString &, const QString &, const QString &, int, const QString &,
                  const QString &, const QString &, const QString &, const QString &) override
    {
        return 2;
    }
    void updateEMails(int) override {}
    void browseEMailEvents() override {}
    void browseEMailTemplates() override {}
    void browseMassEMails() override {}

  private:
    data::Session &m_session;
};

} // namespace tarvo::test
