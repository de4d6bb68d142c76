#include "platform/ui/MessageBoxHandler.h"

#include "platform/ui/StopDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

using namespace tarvo;
using tarvo::ui::MessageBoxHandler;
using tarvo::ui::StopDialog;

namespace {

// What the test saw of the box it answered.
struct SeenBox final {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool hasPixmap = false;
    QMessageBox::StandardButtons buttons;
    QStringList buttonTexts;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Waits for the next modal message box, notes what it shows and answers it through `act`.
void answerNextBox(SeenBox *seen, std::function<void(QMessageBox *)> act)
{
    auto *timer = new QTimer;
    auto *elapsed = new QElapsedTimer;
    elapsed->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (elapsed->elapsed() > 5000) { // never hang the suite on a box that did not open
                ADD_FAILURE() << "no message box appeared";
                timer->deleteLater();
                delete elapsed;
            }
            return;
        }
        timer->stop();
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->hasPixmap = !box->iconPixmap().isNull();
        seen->buttons = box->standardButtons();
        for (QAbstractButton *button : box->buttons())
            seen->buttonTexts.append(button->text());
        seen->defaultButton = box->standardButton(box->defaultButton());
        act(box);
        timer->deleteLater();
        delete elapsed;
    });
    timer->start(5);
}

void clickOn(SeenBox *seen, QMessageBox::StandardButton button)
{
    answerNextBox(seen, [button](QMessageBox *box) { box->button(button)->click(); });
}

void pressKey(SeenBox *seen, int key)
{
    answerNextBox(seen, [key](QMessageBox *box) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &press);
    });
}

TEST(MessageBoxHandlerTest, ShowsTheRequestAndAnswersWithTheClickedButton)
{
    const struct {
        int buttons;
        int defaultButton;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton expectedDefault;
        QMessageBox::StandardButton click;
        int expected;
    } cases[] = {
        {Button::Ok, 0, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok, Button::Ok},
        {Button::Yes | Button::No, Button::No, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
         QMessageBox::Yes, Button::Yes},
        {Button::Yes | Button::No | Button::Cancel, 0,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::Cancel,
         Button::Cancel},
        {Button::Abort | Button::Retry | Button::Ignore, Button::Retry,
         QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Retry,
         QMessageBox::Ignore, Button::Ignore},
        {Button::Ok | Button::Help, 0, QMessageBox::Ok | QMessageBox::Help, QMessageBox::Ok,
         QMessageBox::Help, Button::Help},
    };
    MessageBoxHandler handler;
    for (const auto &c : cases) {
        SeenBox seen;
        clickOn(&seen, c.click);
        const int answer = handler.show(MessageRequest{"Path not set!|Error: <none>", "Error",
                                                       MessageIcon::Error, c.buttons, c.defaultButton});
        EXPECT_EQ(answer, c.expected) << c.buttons;
        EXPECT_EQ(seen.title, "Error");
        EXPECT_EQ(seen.text, "Path not set!\nError: <none>");
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
        EXPECT_EQ(seen.buttons, c.shown) << c.buttons;
        EXPECT_EQ(seen.defaultButton, c.expectedDefault) << c.buttons;
    }
}

TEST(MessageBoxHandlerTest, IconsMapToTheirMessageBoxIcons)
{
    const struct {
        MessageIcon icon;
        QMessageBox::Icon expected;
    } cases[] = {
        {MessageIcon::None, QMessageBox::NoIcon},
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Asterisk, QMessageBox::Information},
        {MessageIcon::Exclamation, QMessageBox::Warning},
        {MessageIcon::Question, QMessageBox::Question},
        {MessageIcon::Error, QMessageBox::Critical},
    };
    MessageBoxHandler handler;
    for (const auto &c : cases) {
        SeenBox seen;
        clickOn(&seen, QMessageBox::Ok);
        (void)handler.show(MessageRequest{"text", "Tarvo", c.icon, Button::Ok, 0});
        EXPECT_EQ(seen.icon, c.expected) << int(c.icon);
    }

    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(picture));
    SeenBox seen;
    clickOn(&seen, QMessageBox::Ok);
    (void)handler.show(MessageRequest{"INI file deleted!", "Tarvo", MessageIcon::Application, Button::Ok, 0});
    QApplication::setWindowIcon(QIcon());
    EXPECT_TRUE(seen.hasPixmap);
}

TEST(MessageBoxHandlerTest, EscapeAnswersCancelAndEnterTheDefault)
{
    MessageBoxHandler handler;
    const MessageRequest request{"Save changes?", "Tarvo", MessageIcon::Question,
                                 Button::Yes | Button::No | Button::Cancel, Button::No};
    SeenBox seen;
    pressKey(&seen, Qt::Key_Escape);
    EXPECT_EQ(handler.show(request), Button::Cancel);
    pressKey(&seen, Qt::Key_Return);
    EXPECT_EQ(handler.show(request), Button::No);
}

TEST(MessageBoxHandlerTest, MessageFromAWorkerThreadIsShownOnTheGuiThread)
{
    MessageBoxHandler handler;
    Messages::setHandler(&handler);
    SeenBox seen;
    clickOn(&seen, QMessageBox::No);
    std::atomic<int> answer{0};
    std::thread worker([&answer] {
        answer =
            Messages::show("Send the mails?", "Mass EMails", MessageIcon::Question, Button::Yes | Button::No);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    while (answer == 0 && elapsed.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    Messages::setHandler(nullptr);
    EXPECT_EQ(answer, Button::No);
    EXPECT_EQ(seen.title, "Mass EMails");
}

TEST(StopDialogTest, ShowsTheErrorAndReturnsTheChoice)
{
    const struct {
        QMessageBox::StandardButton click;
        StopDialog::Choice expected;
    } cases[] = {{QMessageBox::Abort, StopDialog::Choice::Abort},
                 {QMessageBox::Ignore, StopDialog::Choice::Ignore}};
    for (const auto &c : cases) {
        SeenBox seen;
        clickOn(&seen, c.click);
        EXPECT_EQ(StopDialog::ask("Status 5 attempting to load|Programs"), c.expected);
        EXPECT_EQ(seen.title, "Tarvo");
        EXPECT_EQ(seen.text, "Status 5 attempting to load\nPrograms");
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
        EXPECT_EQ(seen.buttons, QMessageBox::Abort | QMessageBox::Ignore);
        EXPECT_TRUE(seen.buttonTexts.contains("&Abort"));
        EXPECT_TRUE(seen.buttonTexts.contains("&Ignore"));
    }
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        SeenBox seen;
        pressKey(&seen, key);
        EXPECT_EQ(StopDialog::ask("Cannot write History"), StopDialog::Choice::Ignore) << key;
    }
}

TEST(StopDialogTest, AbortThroughTheMessageLayerEndsTheProgram)
{
    MessageBoxHandler handler;
    Messages::setHandler(&handler);
    std::optional<int> exitCode;
    Messages::setExitHook([&exitCode](int code) { exitCode = code; });
    SeenBox seen;
    clickOn(&seen, QMessageBox::Ignore);
    Messages::stop("Cannot create PATHS");
    EXPECT_FALSE(exitCode);
    clickOn(&seen, QMessageBox::Abort);
    Messages::stop("Cannot create PATHS");
    EXPECT_EQ(exitCode, 1);
    Messages::setExitHook({});
    Messages::setHandler(nullptr);
}

} // namespace
