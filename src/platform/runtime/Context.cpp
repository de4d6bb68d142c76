#include "platform/runtime/Context.h"

#include "platform/runtime/ContextRegistry.h"

#include <algorithm>

namespace tarvo {

Context::Context(int number, quint32 generation, ContextRegistry *registry)
    : m_number(number), m_generation(generation), m_registry(registry)
{
}

Context::~Context()
{
    clearAttachments();
}

void Context::pushProcedure(const QString &name)
{
    m_procedures.append(name);
}

void Context::popProcedure(const QString &name)
{
    const qsizetype at = m_procedures.lastIndexOf(name);
    if (at >= 0)
        m_procedures.removeAt(at);
}

QString Context::currentProcedure() const
{
    return m_procedures.isEmpty() ? QString() : m_procedures.constLast();
}

void Context::clearAttachments()
{
    // One at a time from the back: a destructor may still look up (or even add) attachments.
    while (!m_attachments.empty()) {
        Attachment last = std::move(m_attachments.back());
        m_attachments.pop_back();
        last.object.reset();
    }
}

void *Context::findRaw(std::type_index type) const
{
    for (const Attachment &a : m_attachments) {
        if (a.type == type)
            return a.object.get();
    }
    return nullptr;
}

void *Context::store(std::type_index type, std::unique_ptr<void, void (*)(void *)> object)
{
    removeRaw(type);
    void *raw = object.get();
    m_attachments.push_back(Attachment{type, std::move(object)});
    return raw;
}

void Context::removeRaw(std::type_index type)
{
    auto it = std::find_if(m_attachments.begin(), m_attachments.end(),
                           [type](const Attachment &a) { return a.type == type; });
    if (it == m_attachments.end())
        return;
    Attachment gone = std::move(*it);
    m_attachments.erase(it);
    gone.object.reset();
}

Context::ReceiverId Context::addReceiver(EventReceiver receiver)
{
    const ReceiverId id = m_nextReceiverId++;
    m_receivers.emplace_back(id, std::move(receiver));
    // Events that came while nobody listened go to the new receiver now.
    if (m_registry && !m_pending.empty())
        m_registry->scheduleDeliveries(*this, m_pending.size());
    return id;
}

void Context::removeReceiver(ReceiverId id)
{
    auto it = std::find_if(m_receivers.begin(), m_receivers.end(),
                           [id](const auto &entry) { return entry.first == id; });
    if (it == m_receivers.end())
        return;
    m_receivers.erase(it);
    if (m_receivers.empty() && m_registry)
        m_registry->scheduleIdleCheck(*this);
}

} // namespace tarvo
