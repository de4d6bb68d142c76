#include "core/ui/frame/PlaceholderWindow.h"

#include "core/ui/frame/FrameMdi.h"

#include <QLabel>

namespace tarvo::core::ui {

PlaceholderWindow::PlaceholderWindow(Context &context, const QString &procedureName, const QString &title,
                                     const QString &text)
    : WindowManager(context, procedureName)
{
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("TEXT"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMargin(24);
    label->setWindowTitle(title);
    QWidget *window = FrameMdi::addWindow(label, context);
    window->setObjectName(procedureName);
    window->setWindowTitle(title);
    window->resize(420, 180);
    setWindow(window);
}

bool PlaceholderWindow::takeEvent(int event, const QVariant &data)
{
    const bool taken = WindowManager::takeEvent(event, data);
    if (event == Events::GainFocus)
        FrameMdi::activate(window());
    return taken;
}

} // namespace tarvo::core::ui
