#include "core/services/MasterDataStandIn.h"

#include "core/services/NotAvailable.h"
#include "platform/runtime/Context.h"

namespace tarvo::core {

void MasterDataStandIn::paths(int)
{
    NotAvailable::say();
}
void MasterDataStandIn::options()
{
    NotAvailable::say();
}
void MasterDataStandIn::browseCustomer()
{
    NotAvailable::say();
}
int MasterDataStandIn::pickCustomer(int)
{
    NotAvailable::say();
    return 0; // nothing chosen
}
void MasterDataStandIn::browseReleaseNotes()
{
    NotAvailable::say();
}
void MasterDataStandIn::accessAdministration(int)
{
    NotAvailable::say();
}
QString MasterDataStandIn::programSelect(int, const QString &)
{
    NotAvailable::say();
    return {}; // cancelled
}
void MasterDataStandIn::updatePrograms(int, FormDone done)
{
    NotAvailable::say();
    if (done)
        done(Response::Cancelled);
}
void MasterDataStandIn::updateProgramRelease(int, FormDone done)
{
    NotAvailable::say();
    if (done)
        done(Response::Cancelled);
}
void MasterDataStandIn::updateProgramFiles(int, FormDone done)
{
    NotAvailable::say();
    if (done)
        done(Response::Cancelled);
}
void MasterDataStandIn::updateWebLinks(int, qint32, FormDone done)
{
    NotAvailable::say();
    if (done)
        done(Response::Cancelled);
}

} // namespace tarvo::core
