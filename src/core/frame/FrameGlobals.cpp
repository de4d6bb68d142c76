#include "core/frame/FrameGlobals.h"

namespace tarvo::core {

FrameGlobals &FrameGlobals::instance()
{
    static FrameGlobals globals;
    return globals;
}

void FrameGlobals::reset()
{
    *this = FrameGlobals();
}

bool FrameGlobals::isToolbar(const ContextRef &ref) const
{
    if (ref.isNull())
        return false;
    for (const ContextRef &toolbar : m_contexts)
        if (toolbar == ref)
            return true;
    return false;
}

} // namespace tarvo::core
