#include "platform/runtime/ContextRegistry.h"

#include <QMetaObject>
#include <QThread>

#include <utility>

namespace tarvo {

ContextRegistry::ContextRegistry() = default;

ContextRegistry::~ContextRegistry()
{
    // Window objects may keep their context past the registry; they must not call back into it.
    for (auto &slot : m_slots) {
        if (slot)
            slot->m_registry = nullptr;
    }
}

ContextRegistry &ContextRegistry::instance()
{
    static ContextRegistry registry;
    return registry;
}

std::shared_ptr<Context> ContextRegistry::create(int number, bool autoEnd)
{
    Q_ASSERT(QThread::currentThread() == m_dispatcher.thread());
    auto context = std::make_shared<Context>(number, ++m_generations[number], this);
    context->m_autoEnd = autoEnd;
    m_slots[number] = context;
    return context;
}

Context &ContextRegistry::openFirst()
{
    if (Context *first = context(FrameNumber))
        return *first;
    std::shared_ptr<Context> first = create(FrameNumber, false);
    runStartHooks(*first);
    return *first;
}

Result<int> ContextRegistry::start(Procedure procedure)
{
    int number = FirstStartedNumber;
    while (number <= MaxNumber && m_slots[number])
        ++number;
    if (number > MaxNumber) {
        return makeError(ErrorNoFreeNumber,
                         QStringLiteral("No window can be started: %1 are running already.").arg(MaxNumber));
    }
    const ContextRef target = create(number, true)->ref();
    QMetaObject::invokeMethod(
        &m_dispatcher, [this, target, procedure = std::move(procedure)]() { runStart(target, procedure); },
        Qt::QueuedConnection);
    return number;
}

void ContextRegistry::runStartHooks(Context &context)
{
    context.m_started = true;
    const std::vector<Hook> hooks = m_startHooks;
    for (const Hook &hook : hooks)
        hook(context);
}

void ContextRegistry::runStart(const ContextRef &target, const Procedure &procedure)
{
    std::shared_ptr<Context> context = find(target);
    if (!context)
        return;
    runStartHooks(*context);
    if (!isLive(target))
        return;
    context->m_running = true;
    if (procedure)
        procedure(*context);
    context->m_running = false;
    if (isLive(target) && !context->hasReceiver())
        end(target.number);
}

bool ContextRegistry::end(int number)
{
    if (number < 1 || number > MaxNumber)
        return false;
    std::shared_ptr<Context> context = m_slots[number];
    if (!context || context->m_ended)
        return false;
    context->m_ended = true;
    context->m_pending.clear();
    if (context->m_started) {
        const std::vector<Hook> hooks = m_endHooks;
        for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
            (*it)(*context);
    }
    context->clearAttachments();
    context->m_receivers.clear();
    context->m_registry = nullptr;
    if (m_slots[number] == context)
        m_slots[number].reset();
    return true;
}

bool ContextRegistry::post(int number, int event, const QVariant &data)
{
    return enqueue(ref(number), PostedEvent{event, data}, false);
}

bool ContextRegistry::postTo(const ContextRef &target, int event, const QVariant &data)
{
    return enqueue(target, PostedEvent{event, data}, false);
}

bool ContextRegistry::postFront(int number, int event, const QVariant &data)
{
    return enqueue(ref(number), PostedEvent{event, data}, true);
}

bool ContextRegistry::enqueue(const ContextRef &target, PostedEvent event, bool front)
{
    Q_ASSERT(QThread::currentThread() == m_dispatcher.thread());
    std::shared_ptr<Context> context = find(target);
    if (!context)
        return false;
    if (front)
        context->m_pending.push_front(std::move(event));
    else
        context->m_pending.push_back(std::move(event));
    scheduleDeliveries(*context, 1);
    return true;
}

void ContextRegistry::scheduleDeliveries(const Context &context, std::size_t count)
{
    // One queued call per event keeps the order of events across all contexts as they were posted.
    const ContextRef target = context.ref();
    for (std::size_t i = 0; i < count; ++i)
        QMetaObject::invokeMethod(
            &m_dispatcher, [this, target]() { deliverOne(target); }, Qt::QueuedConnection);
}

void ContextRegistry::deliverOne(const ContextRef &target)
{
    std::shared_ptr<Context> context = find(target);
    if (!context || context->m_pending.empty() || context->m_receivers.empty())
        return; // without a receiver the event waits until a window takes the context's events
    PostedEvent event = std::move(context->m_pending.front());
    context->m_pending.pop_front();
    // A copy, because the receiver may remove itself (a window closing on 513).
    EventReceiver receiver = context->m_receivers.back().second;
    receiver(event);
}

void ContextRegistry::scheduleIdleCheck(const Context &context)
{
    if (!context.m_autoEnd)
        return;
    const ContextRef target = context.ref();
    QMetaObject::invokeMethod(
        &m_dispatcher, [this, target]() { endIfIdle(target); }, Qt::QueuedConnection);
}

void ContextRegistry::endIfIdle(const ContextRef &target)
{
    std::shared_ptr<Context> context = find(target);
    if (context && context->m_started && !context->m_running && !context->hasReceiver())
        end(target.number);
}

void ContextRegistry::addStartHook(Hook hook)
{
    m_startHooks.push_back(hook);
    std::vector<std::shared_ptr<Context>> running;
    for (const auto &slot : m_slots) {
        if (slot && slot->m_started && !slot->m_ended)
            running.push_back(slot);
    }
    for (const auto &context : running)
        hook(*context);
}

void ContextRegistry::addEndHook(Hook hook)
{
    m_endHooks.push_back(std::move(hook));
}

Context *ContextRegistry::context(int number) const
{
    if (number < 1 || number > MaxNumber)
        return nullptr;
    const auto &slot = m_slots[number];
    return slot && !slot->m_ended ? slot.get() : nullptr;
}

std::shared_ptr<Context> ContextRegistry::find(const ContextRef &target) const
{
    if (target.number < 1 || target.number > MaxNumber)
        return nullptr;
    const auto &slot = m_slots[target.number];
    if (!slot || slot->m_ended || slot->m_generation != target.generation)
        return nullptr;
    return slot;
}

ContextRef ContextRegistry::ref(int number) const
{
    const Context *live = context(number);
    return live ? live->ref() : ContextRef{};
}

bool ContextRegistry::isLive(const ContextRef &target) const
{
    return find(target) != nullptr;
}

QList<int> ContextRegistry::numbers() const
{
    QList<int> result;
    for (int number = 1; number <= MaxNumber; ++number) {
        if (context(number))
            result.append(number);
    }
    return result;
}

} // namespace tarvo
