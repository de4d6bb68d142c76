#include "PlaceholderFrame.h"

#include "platform/runtime/Messages.h"
#include "platform/runtime/ProgramInfo.h"

#include <QEventLoop>
#include <QLabel>
#include <QMainWindow>

namespace tarvo::app {

const char *PlaceholderFrame::text()
{
    return "You are logged in. The application frame with its menu, toolbars and lists comes with a "
           "later version of Tarvo.|Close this window to end the program.";
}

void PlaceholderFrame::run(Context &first, bool canShowWindows)
{
    Q_UNUSED(first);
    if (!canShowWindows) {
        Messages::show(QString::fromUtf8(text()), ProgramInfo::productName(), MessageIcon::Information);
        return;
    }
    auto *window = new QMainWindow;
    window->setObjectName(QStringLiteral("TARVO"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(ProgramInfo::productName());
    auto *label = new QLabel(messageTextToDisplay(QString::fromUtf8(text())));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMargin(24);
    window->setCentralWidget(label);
    window->resize(640, 360);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec();
}

} // namespace tarvo::app
