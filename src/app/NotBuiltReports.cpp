#include "NotBuiltReports.h"

#include "NotBuilt.h"

namespace tarvo::app {

void NotBuiltReports::browseReports(int, int, const data::View *, const QString &)
{
    NotBuilt::say(QStringLiteral("Printing"), QStringLiteral("reports"));
}

} // namespace tarvo::app
