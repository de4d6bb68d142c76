#include "platform/runtime/RunOnce.h"

#include "platform/runtime/Context.h"
#include "platform/runtime/ContextRegistry.h"

namespace tarvo {

RunOnce::Admission RunOnce::admit(const Context &context)
{
    if (context.threadRequest() == Request::Select)
        return Admission::Admitted;
    // A slot whose context has ended without clearing it counts as free, so a window that died
    // without its normal end cannot lock itself out for the rest of the run.
    if (m_registry.isLive(m_holder) && m_holder != context.ref()) {
        m_registry.postTo(m_holder, Events::GainFocus);
        return Admission::Refused;
    }
    m_holder = context.ref();
    return Admission::AdmittedAndHeld;
}

void RunOnce::release(const ContextRef &holder)
{
    if (m_holder == holder)
        m_holder = {};
}

int RunOnce::number() const
{
    return m_registry.isLive(m_holder) ? m_holder.number : 0;
}

} // namespace tarvo
