#include "platform/desktop/Desktop.h"

#include "platform/desktop/QtDesktop.h"

#include <atomic>

namespace tarvo {

namespace {
std::atomic<Desktop *> g_desktop{nullptr};
} // namespace

Desktop &Desktop::instance()
{
    if (Desktop *desktop = g_desktop.load())
        return *desktop;
    static QtDesktop real;
    return real;
}

void Desktop::setInstance(Desktop *desktop)
{
    g_desktop.store(desktop);
}

} // namespace tarvo
