#include "core/services/ReportStandIn.h"

#include "core/services/NotAvailable.h"

namespace tarvo::core {

void ReportStandIn::browseReports(int, int, const data::View *, const QString &)
{
    NotAvailable::say();
}

} // namespace tarvo::core
