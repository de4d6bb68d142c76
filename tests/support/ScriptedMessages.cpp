#include "support/ScriptedMessages.h"

namespace tarvo::test {

ScriptedMessages::ScriptedMessages() : m_previous(Messages::handler())
{
    Messages::setHandler(this);
}

ScriptedMessages::~ScriptedMessages()
{
    Messages::setHandler(m_previous);
}

void ScriptedMessages::answer(int button)
{
    std::lock_guard guard(m_lock);
    m_answers.push_back(button);
}

void ScriptedMessages::answerStop(bool carryOn)
{
    std::lock_guard guard(m_lock);
    m_stopAnswers.push_back(carryOn);
}

std::vector<MessageRequest> ScriptedMessages::requests() const
{
    std::lock_guard guard(m_lock);
    return m_requests;
}

QStringList ScriptedMessages::texts() const
{
    std::lock_guard guard(m_lock);
    QStringList texts;
    for (const MessageRequest &request : m_requests)
        texts.append(request.text);
    return texts;
}

QStringList ScriptedMessages::stops() const
{
    std::lock_guard guard(m_lock);
    return m_stops;
}

std::vector<MessageIcon> ScriptedMessages::beeps() const
{
    std::lock_guard guard(m_lock);
    return m_beeps;
}

void ScriptedMessages::clear()
{
    std::lock_guard guard(m_lock);
    m_answers.clear();
    m_stopAnswers.clear();
    m_requests.clear();
    m_stops.clear();
    m_beeps.clear();
}

int ScriptedMessages::show(const MessageRequest &request)
{
    std::lock_guard guard(m_lock);
    m_requests.push_back(request);
    if (m_answers.empty())
        return defaultButtonOf(request);
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

bool ScriptedMessages::stop(const QString &text)
{
    std::lock_guard guard(m_lock);
    m_stops.append(text);
    if (m_stopAnswers.empty())
        return true;
    const bool carryOn = m_stopAnswers.front();
    m_stopAnswers.pop_front();
    return carryOn;
}

void ScriptedMessages::beep(MessageIcon kind)
{
    std::lock_guard guard(m_lock);
    m_beeps.push_back(kind);
}

} // namespace tarvo::test
