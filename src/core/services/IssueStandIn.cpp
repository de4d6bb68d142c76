#include "core/services/IssueStandIn.h"

#include "core/services/NotAvailable.h"

namespace tarvo::core {

int IssueStandIn::browseBugs()
{
    NotAvailable::say();
    return 0;
}

} // namespace tarvo::core
