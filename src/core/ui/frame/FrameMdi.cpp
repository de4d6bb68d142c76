#include "core/ui/frame/FrameMdi.h"

#include "platform/runtime/Context.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace tarvo::core::ui {

namespace {
QPointer<QMdiArea> g_area;
constexpr const char *ContextProperty = "tarvoContext";
} // namespace

QMdiArea *FrameMdi::area()
{
    return g_area;
}

void FrameMdi::setArea(QMdiArea *area)
{
    g_area = area;
}

QWidget *FrameMdi::addWindow(QWidget *content, const Context &context)
{
    if (!g_area) {
        content->setProperty(ContextProperty, context.number());
        return content;
    }
    auto *child = new QMdiSubWindow;
    child->setWidget(content);
    child->setWindowTitle(content->windowTitle());
    child->setAttribute(Qt::WA_DeleteOnClose, false);
    child->setProperty(ContextProperty, context.number());
    g_area->addSubWindow(child);
    return child;
}

int FrameMdi::contextOf(const QMdiSubWindow *window)
{
    return window ? window->property(ContextProperty).toInt() : 0;
}

void FrameMdi::activate(QWidget *window)
{
    if (auto *child = qobject_cast<QMdiSubWindow *>(window); child && g_area && child->mdiArea() == g_area) {
        if (child->isMinimized())
            child->showNormal();
        g_area->setActiveSubWindow(child);
    }
}

int FrameMdi::activeContext()
{
    return g_area ? contextOf(g_area->activeSubWindow()) : 0;
}

} // namespace tarvo::core::ui
