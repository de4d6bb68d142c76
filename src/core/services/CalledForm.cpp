#include "core/services/CalledForm.h"

#include "core/startup/TarvoData.h"
#include "platform/runtime/ContextRegistry.h"
#include "platform/runtime/Messages.h"
#include "platform/runtime/Translator.h"

namespace tarvo::core {

CalledForm CalledForm::of(int contextNumber, const FormDone &done)
{
    CalledForm called;
    called.context = ContextRegistry::instance().context(contextNumber);
    called.session = called.context ? TarvoData::session(*called.context) : nullptr;
    if (called)
        return called;
    Messages::show(Translator::instance().translate(QStringLiteral("The data files are not open.")),
                   QStringLiteral("Tarvo"), MessageIcon::Exclamation);
    if (done)
        done(Response::Cancelled);
    return {};
}

} // namespace tarvo::core
