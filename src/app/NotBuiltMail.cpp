#include "NotBuiltMail.h"

#include "NotBuilt.h"

namespace tarvo::app {

namespace {
const QString kMail = QStringLiteral("e-mail");
}

int NotBuiltMail::emailPreview(int, int, const QString &, const QString &, const QString &, const QString &,
                               const QString &, const QString &)
{
    NotBuilt::say(QStringLiteral("Sending e-mail"), kMail);
    return 0; // cancelled: nothing was sent
}

core::NotificationMail NotBuiltMail::decideNotification(int)
{
    NotBuilt::say(QStringLiteral("Sending e-mail"), kMail);
    return {}; // cancelled: nothing will be sent
}

int NotBuiltMail::sendNotification(int, const core::NotificationMail &)
{
    NotBuilt::say(QStringLiteral("Sending e-mail"), kMail);
    return 2; // not sent
}

void NotBuiltMail::sendEMail(int, const QString &, int, int)
{
    NotBuilt::say(QStringLiteral("Sending e-mail"), kMail);
}

int NotBuiltMail::emailSend(int, int, const QString &, const QString &, const QString &, int, const QString &,
                            const QString &, const QString &, const QString &, const QString &)
{
    NotBuilt::say(QStringLiteral("Sending e-mail"), kMail);
    return 2; // not sent
}

void NotBuiltMail::updateEMails(int)
{
    NotBuilt::say(QStringLiteral("The e-mail log"), kMail);
}
void NotBuiltMail::browseEMailEvents()
{
    NotBuilt::say(QStringLiteral("EMail Notification"), kMail);
}
void NotBuiltMail::browseEMailTemplates()
{
    NotBuilt::say(QStringLiteral("EMail Templates"), kMail);
}
void NotBuiltMail::browseMassEMails()
{
    NotBuilt::say(QStringLiteral("Mass EMails"), kMail);
}

} // namespace tarvo::app
