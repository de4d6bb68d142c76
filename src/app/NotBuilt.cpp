#include "NotBuilt.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

namespace tarvo::app {

void NotBuilt::say(const QString &what, const QString &subsystem)
{
    Messages::show(QStringLiteral("%1 is not built yet: it comes with the %2.").arg(what, subsystem),
                   ProgramInfo::productName(), MessageIcon::Information);
}

} // namespace tarvo::app
