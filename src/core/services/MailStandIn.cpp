#include "core/services/MailStandIn.h"

#include "core/services/NotAvailable.h"

namespace tarvo::core {

int MailStandIn::emailPreview(int, int, const QString &, const QString &, const QString &, const QString &,
                              const QString &, const QString &)
{
    NotAvailable::say();
    return 0; // cancelled: nothing was sent
}

NotificationMail MailStandIn::decideNotification(int)
{
    NotAvailable::say();
    return {}; // cancelled: nothing will be sent
}

int MailStandIn::sendNotification(int, const NotificationMail &)
{
    NotAvailable::say();
    return 2; // not sent
}

void MailStandIn::sendEMail(int, const QString &, int, int)
{
    NotAvailable::say();
}

int MailStandIn::emailSend(int, int, const QString &, const QString &, const QString &, int, const QString &,
                           const QString &, const QString &, const QString &, const QString &)
{
    NotAvailable::say();
    return 2; // not sent, so that no caller logs the mail as sent
}

void MailStandIn::updateEMails(int)
{
    NotAvailable::say();
}
void MailStandIn::browseEMailEvents()
{
    NotAvailable::say();
}
void MailStandIn::browseEMailTemplates()
{
    NotAvailable::say();
}
void MailStandIn::browseMassEMails()
{
    NotAvailable::say();
}

} // namespace tarvo::core
