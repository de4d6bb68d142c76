#pragma once

#include "platform/runtime/Messages.h"

namespace tarvo::ui {

// Answers the program's messages with real message boxes and its stops with the stop dialog.
// Messages from other threads are shown on the GUI thread while the asking thread waits.
class MessageBoxHandler final : public MessageHandler {
  public:
    int show(const MessageRequest &request) override;
    bool stop(const QString &text) override;
    void beep(MessageIcon kind) override;
};

} // namespace tarvo::ui
