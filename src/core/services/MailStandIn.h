#pragma once

#include "core/services/MailServices.h"

namespace tarvo::core {

// The e-mail subsystem while it is not built: every window says so and nothing is sent.
class MailStandIn : public MailServices {
  public:
    int emailPreview(int contextNumber, int kind, const QString &to, const QString &cc,
                     const QString &subject, const QString &attachments, const QString &priority,
                     const QString &text) override;
    NotificationMail decideNotification(int contextNumber) override;
    int sendNotification(int contextNumber, const NotificationMail &mail) override;
    void sendEMail(int contextNumber, const QString &address, int x, int y) override;
    int emailSend(int contextNumber, int logKind, const QString &to, const QString &cc,
                  const QString &subject, int number, const QString &format, const QString &images,
                  const QString &attachments, const QString &priority, const QString &text) override;
    void updateEMails(int contextNumber) override;
    void browseEMailEvents() override;
    void browseEMailTemplates() override;
    void browseMassEMails() override;
};

} // namespace tarvo::core
