#include "core/services/AccessStandIn.h"

#include "core/services/NotAvailable.h"

namespace tarvo::core {

bool AccessStandIn::login(const QString &, const QString &, const QString &)
{
    NotAvailable::say();
    return false;
}

// Nobody is logged in, so nothing is refused to anybody: the program does not get past the login.
bool AccessStandIn::checkControl(const QString &)
{
    return true;
}

QString AccessStandIn::getValue(const QString &, const QString &)
{
    return {};
}

void AccessStandIn::changePassword(const QString &, bool)
{
    NotAvailable::say();
}

QString AccessStandIn::browseUsers(const QString &userCode)
{
    NotAvailable::say();
    return userCode;
}

void AccessStandIn::useFiles(int) {}

void AccessStandIn::administration()
{
    NotAvailable::say();
}

void AccessStandIn::repairDataFiles()
{
    NotAvailable::say();
}

} // namespace tarvo::core
