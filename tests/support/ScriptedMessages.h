#pragma once

#include "platform/runtime/Messages.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <mutex>
#include <vector>

namespace tarvo::test {

// Answers the program's messages in tests: records every request and answers from a script, or
// with the default button (and "carry on" for stops) when the script has run out. Installs itself
// as the message handler while it lives.
class ScriptedMessages final : public MessageHandler {
  public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages &) = delete;
    ScriptedMessages &operator=(const ScriptedMessages &) = delete;

    // The answers to the next messages and stops, in order.
    void answer(int button);
    void answerStop(bool carryOn);

    std::vector<MessageRequest> requests() const;
    QStringList texts() const;
    QStringList stops() const;
    std::vector<MessageIcon> beeps() const;
    void clear();

    int show(const MessageRequest &request) override;
    bool stop(const QString &text) override;
    void beep(MessageIcon kind) override;

  private:
    mutable std::mutex m_lock;
    MessageHandler *m_previous = nullptr;
    std::deque<int> m_answers;
    std::deque<bool> m_stopAnswers;
    std::vector<MessageRequest> m_requests;
    QStringList m_stops;
    std::vector<MessageIcon> m_beeps;
};

} // namespace tarvo::test
