#include "core/services/NotAvailable.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"
#include "platform/runtime/Translator.h"

namespace tarvo::core {

QString NotAvailable::text()
{
    return Translator::instance().translate(QStringLiteral("This function is not available yet."));
}

void NotAvailable::say()
{
    Messages::show(text(), ProgramInfo::productName(), MessageIcon::Information);
}

} // namespace tarvo::core
