#pragma once

#include <QString>

#include <functional>

namespace tarvo {

// Icons of a message box.
// Application is the program's own icon.
enum class MessageIcon { None, Information, Exclamation, Question, Error, Asterisk, Application };

// Buttons of a message box, as flags; show() answers with one of them.
namespace Button {
constexpr int Ok = 1;
constexpr int Yes = 2;
constexpr int No = 4;
constexpr int Abort = 8;
constexpr int Retry = 16;
constexpr int Ignore = 32;
constexpr int Cancel = 64;
constexpr int Help = 128;
} // namespace Button

// One message as the program asks it; "|" in text breaks the line.
struct MessageRequest final {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    int buttons = Button::Ok;
    int defaultButton = 0; // 0: the first of buttons
};

// What answers messages: the real message boxes in the program, a scripted fake in tests.
class MessageHandler {
  public:
    virtual ~MessageHandler() = default;
    virtual int show(const MessageRequest &request) = 0;
    // The runtime's stop dialog: true when the user carries on, false when the program is to end.
    virtual bool stop(const QString &text) = 0;
    virtual void beep(MessageIcon kind) { (void)kind; }
};

// The one message layer of the program. No code calls QMessageBox directly.
class Messages final {
  public:
    static int show(const QString &text, const QString &title, MessageIcon icon = MessageIcon::None,
                    int buttons = Button::Ok, int defaultButton = 0);
    static int show(const MessageRequest &request);
    // Shows the stop dialog; when the user chooses to end, calls the exit hook (which by default
    // quits the process with code 1) and returns only if that hook returns.
    static void stop(const QString &text);
    static void beep(MessageIcon kind = MessageIcon::None);

    // The handler in force; a process without one answers every message with its default button
    // and every stop with "carry on" (and writes both to stderr).
    static void setHandler(MessageHandler *handler);
    static MessageHandler *handler();

    // A message box runs an event loop, and while a transaction is open the events and timers of
    // other windows would write into it. So between hold() and the matching release() this
    // thread's messages and stops are kept instead of shown: a message answers at once (a
    // question with its declining button: Cancel, No or Abort, for the user cannot consent) and a
    // stop carries on. When the outermost hold is released they are shown in order, questions
    // with OK alone, for their answer has been given; a stop that the user ends then ends the
    // program. Holds nest; the data layer holds while a transaction is open.
    static void hold();
    static void release();
    // The messages and stops this thread keeps until its holds are released.
    static int kept();

    // What ending the program from a stop or a fatal error does; tests replace it. An empty hook
    // restores the default, which flushes the output streams and exits the process.
    static void setExitHook(std::function<void(int)> hook);
    static void exitProgram(int code);
};

// The answer of a message kept while messages are held: the button that goes no further.
int declineButtonOf(const MessageRequest &request);

// Splits a message text at "|" into lines.
QString messageTextToDisplay(const QString &text);

// The button that answers a request when the user just confirms: defaultButton when it is one of
// buttons, else the first (lowest) of buttons; Ok when buttons is empty.
int defaultButtonOf(const MessageRequest &request);

} // namespace tarvo
