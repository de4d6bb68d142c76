#include "core/services/IssueStandIn.h"

#include "core/services/NotAvailable.h"
#include "platform/runtime/Context.h"

namespace tarvo::core {

namespace {

void cancelled(const FormDone &done)
{
    NotAvailable::say();
    if (done)
        done(Response::Cancelled);
}

} // namespace

int IssueStandIn::browseBugs()
{
    NotAvailable::say();
    return 0;
}

void IssueStandIn::updateBugs(int, FormDone done)
{
    cancelled(done);
}

void IssueStandIn::updateNotes(int, FormDone done)
{
    cancelled(done);
}

void IssueStandIn::updateAttachments(int, FormDone done)
{
    cancelled(done);
}

} // namespace tarvo::core
