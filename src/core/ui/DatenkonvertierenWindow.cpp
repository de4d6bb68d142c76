#include "core/ui/DatenkonvertierenWindow.h"

#include "platform/runtime/ProgramInfo.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace tarvo::core::ui {

DatenkonvertierenWindow::DatenkonvertierenWindow(Context &context)
    : WindowManager(context, QStringLiteral("Datenkonvertieren"))
{
    auto *widget = new QWidget;
    widget->setWindowTitle(ProgramInfo::productName());
    auto *layout = new QVBoxLayout(widget);
    auto *checking =
        new QLabel(QStringLiteral("Checking file structures for necessary conversions..."), widget);
    checking->setObjectName(QStringLiteral("String1"));
    auto *closing = new QLabel(
        QStringLiteral("This window will automatically close when finished file conversions!"), widget);
    closing->setObjectName(QStringLiteral("String2"));
    layout->addWidget(checking);
    layout->addWidget(closing);
    setWindow(widget);
}

bool DatenkonvertierenWindow::open()
{
    if (!WindowManager::open())
        return false;
    window()->show();
    return true;
}

} // namespace tarvo::core::ui
