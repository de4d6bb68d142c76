#include "platform/runtime/Messages.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tarvo {

namespace {

MessageHandler *g_handler = nullptr;
std::function<void(int)> g_exitHook;

int firstButton(int buttons)
{
    for (int flag = Button::Ok; flag <= Button::Help; flag <<= 1) {
        if (buttons & flag)
            return flag;
    }
    return Button::Ok;
}

} // namespace

int Messages::show(const QString &text, const QString &title, MessageIcon icon, int buttons,
                   int defaultButton)
{
    return show(MessageRequest{text, title, icon, buttons, defaultButton});
}

int Messages::show(const MessageRequest &request)
{
    if (g_handler)
        return g_handler->show(request);
    std::fprintf(stderr, "%s: %s\n", qPrintable(request.title), qPrintable(request.text));
    return request.defaultButton ? request.defaultButton : firstButton(request.buttons);
}

void Messages::stop(const QString &text)
{
    if (g_handler) {
        if (!g_handler->stop(text))
            exitProgram(1);
        return;
    }
    std::fprintf(stderr, "Stop: %s\n", qPrintable(text));
}

void Messages::beep(MessageIcon kind)
{
    if (g_handler)
        g_handler->beep(kind);
}

void Messages::setHandler(MessageHandler *handler) { g_handler = handler; }

MessageHandler *Messages::handler() { return g_handler; }

void Messages::setExitHook(std::function<void(int)> hook) { g_exitHook = std::move(hook); }

void Messages::exitProgram(int code)
{
    if (g_exitHook) {
        g_exitHook(code);
        return;
    }
    std::exit(code);
}

QString messageTextToDisplay(const QString &text)
{
    QString display = text;
    display.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return display;
}

} // namespace tarvo
