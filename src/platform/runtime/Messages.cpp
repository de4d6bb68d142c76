#include "platform/runtime/Messages.h"

#include "platform/runtime/Translator.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace tarvo {

namespace {

std::atomic<MessageHandler *> g_handler{nullptr};

std::mutex g_exitHookLock;
std::function<void(int)> g_exitHook;

void defaultExit(int code)
{
    std::fflush(nullptr);
    std::exit(code);
}

// Without a handler (a process without a window, or a test that did not script its messages)
// the message must still leave a trace.
void writeToStderr(const QString &what)
{
    std::fprintf(stderr, "%s\n", what.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

QString messageTextToDisplay(const QString &text)
{
    QString display = text;
    display.replace(u'|', u'\n');
    return display;
}

int defaultButtonOf(const MessageRequest &request)
{
    const int buttons = request.buttons != 0 ? request.buttons : Button::Ok;
    if (request.defaultButton != 0 && (buttons & request.defaultButton) == request.defaultButton &&
        (request.defaultButton & (request.defaultButton - 1)) == 0)
        return request.defaultButton;
    return buttons & -buttons;
}

int Messages::show(const QString &text, const QString &title, MessageIcon icon, int buttons,
                   int defaultButton)
{
    return show(MessageRequest{text, title, icon, buttons, defaultButton});
}

int Messages::show(const MessageRequest &asked)
{
    // Every message passes the translator once, here, so that no caller can forget it; a text
    // made from parts is translated by its caller before the parts go in.
    const Translator &translator = Translator::instance();
    MessageRequest request = asked;
    request.text = translator.translate(asked.text);
    request.title = translator.translate(asked.title);
    if (MessageHandler *handler = g_handler.load())
        return handler->show(request);
    const int answer = defaultButtonOf(request);
    writeToStderr(QStringLiteral("Message \"%1\": %2 (answered %3)")
                      .arg(request.title, messageTextToDisplay(request.text))
                      .arg(answer));
    return answer;
}

void Messages::stop(const QString &text)
{
    MessageHandler *handler = g_handler.load();
    if (!handler) {
        writeToStderr(QStringLiteral("Stop: %1 (carried on)").arg(messageTextToDisplay(text)));
        return;
    }
    if (!handler->stop(text))
        exitProgram(1);
}

void Messages::beep(MessageIcon kind)
{
    if (MessageHandler *handler = g_handler.load())
        handler->beep(kind);
}

void Messages::setHandler(MessageHandler *handler)
{
    g_handler.store(handler);
}

MessageHandler *Messages::handler()
{
    return g_handler.load();
}

void Messages::setExitHook(std::function<void(int)> hook)
{
    std::lock_guard guard(g_exitHookLock);
    g_exitHook = std::move(hook);
}

void Messages::exitProgram(int code)
{
    std::function<void(int)> hook;
    {
        std::lock_guard guard(g_exitHookLock);
        hook = g_exitHook;
    }
    if (hook)
        hook(code);
    else
        defaultExit(code);
}

} // namespace tarvo
