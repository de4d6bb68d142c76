#include "platform/ui/MessageBoxHandler.h"

#include "platform/ui/StopDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QStyle>
#include <QThread>

#include <type_traits>

namespace tarvo::ui {

namespace {

constexpr struct {
    int flag;
    QMessageBox::StandardButton button;
} kButtons[] = {
    {Button::Ok, QMessageBox::Ok},         {Button::Yes, QMessageBox::Yes},
    {Button::No, QMessageBox::No},         {Button::Abort, QMessageBox::Abort},
    {Button::Retry, QMessageBox::Retry},   {Button::Ignore, QMessageBox::Ignore},
    {Button::Cancel, QMessageBox::Cancel}, {Button::Help, QMessageBox::Help},
};

// Widgets live on the GUI thread; a worker thread that asks waits there for the answer.
template <typename F> std::invoke_result_t<F> onGuiThread(F function)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return function();
    std::invoke_result_t<F> result{};
    QMetaObject::invokeMethod(app, function, Qt::BlockingQueuedConnection, &result);
    return result;
}

void setIcon(QMessageBox &box, MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
    case MessageIcon::Asterisk:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Application: {
        const QIcon appIcon = QApplication::windowIcon();
        if (appIcon.isNull()) {
            box.setIcon(QMessageBox::Information);
        } else {
            const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
            box.setIconPixmap(appIcon.pixmap(size, size));
        }
        break;
    }
    }
}

int showBox(const MessageRequest &request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowTitle(request.title);
    setIcon(box, request.icon);
    box.setTextFormat(Qt::PlainText);
    box.setText(messageTextToDisplay(request.text));
    const int buttons = request.buttons != 0 ? request.buttons : Button::Ok;
    const int defaultFlag = defaultButtonOf(request);
    for (const auto &entry : kButtons) {
        if (!(buttons & entry.flag))
            continue;
        QPushButton *button = box.addButton(entry.button);
        if (entry.flag == defaultFlag)
            box.setDefaultButton(button);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const auto &entry : kButtons) {
        if (entry.button == clicked)
            return entry.flag;
    }
    return defaultFlag;
}

} // namespace

int MessageBoxHandler::show(const MessageRequest &request)
{
    return onGuiThread([&request] { return showBox(request); });
}

bool MessageBoxHandler::stop(const QString &text)
{
    return onGuiThread([&text] { return StopDialog::ask(text) == StopDialog::Choice::Ignore; });
}

// The desktop offers one warning sound; it stands for every system sound the program asks for.
void MessageBoxHandler::beep(MessageIcon kind)
{
    (void)kind;
    onGuiThread([] {
        QApplication::beep();
        return true;
    });
}

} // namespace tarvo::ui
