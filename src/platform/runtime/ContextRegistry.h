#pragma once

#include "platform/runtime/Context.h"
#include "platform/runtime/ContextRef.h"
#include "platform/runtime/Result.h"

#include <QList>
#include <QObject>
#include <QVariant>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace tarvo {

// Hands out the contexts of the program, starts procedures on new ones and carries posted events
// between them. Lives on the GUI thread and is used only from there.
class ContextRegistry final {
  public:
    // Number 1 is the frame's; started contexts take the lowest free number from 2 up to 64.
    static constexpr int FrameNumber = 1;
    static constexpr int FirstStartedNumber = 2;
    static constexpr int MaxNumber = 64;
    // Error code of a start that finds every number taken.
    static constexpr int ErrorNoFreeNumber = 1;

    using Procedure = std::function<void(Context &)>;
    using Hook = std::function<void(Context &)>;

    ContextRegistry();
    ~ContextRegistry();
    ContextRegistry(const ContextRegistry &) = delete;
    ContextRegistry &operator=(const ContextRegistry &) = delete;

    // The registry of the program.
    static ContextRegistry &instance();

    // Opens the frame's context (number 1) at once, running the start hooks; returns the open one
    // when it exists. It never ends by itself: the shutdown ends it.
    Context &openFirst();

    // Takes a context and returns its number at once; the procedure runs on it from the event
    // loop, after the start hooks, in the order of the starts. A procedure that returns without
    // leaving an event receiver (no window opened) ends its context; otherwise the context ends
    // when its last receiver goes.
    Result<int> start(Procedure procedure);

    // Ends a context: the end hooks run (the last added first), its objects are destroyed and its
    // number is free again. False when the number is not in use.
    bool end(int number);

    // Queues an event for the receiver of a context. A post to a number that is not in use is
    // dropped at once; one that is still queued when its context ends, or whose number was meanwhile
    // taken by a newer context, is dropped too. True when the event was queued.
    bool post(int number, int event, const QVariant &data = {});
    bool postTo(const ContextRef &target, int event, const QVariant &data = {});
    // Like post, but the event goes before the events already waiting for that context.
    bool postFront(int number, int event, const QVariant &data = {});

    // Start hooks run on every context, the frame's included, before its procedure; end hooks when
    // it ends. A start hook added later also runs at once on each context already started.
    void addStartHook(Hook hook);
    void addEndHook(Hook hook);

    // The live context of a number, or null.
    Context *context(int number) const;
    std::shared_ptr<Context> find(const ContextRef &ref) const;
    // The reference of the live context of a number (a null reference when there is none).
    ContextRef ref(int number) const;
    bool isLive(const ContextRef &ref) const;
    // The numbers in use, ascending.
    QList<int> numbers() const;

  private:
    friend class Context;

    bool enqueue(const ContextRef &target, PostedEvent event, bool front);
    void scheduleDeliveries(const Context &context, std::size_t count);
    void scheduleIdleCheck(const Context &context);
    void deliverOne(const ContextRef &target);
    void runStart(const ContextRef &target, const Procedure &procedure);
    void runStartHooks(Context &context);
    void endIfIdle(const ContextRef &target);
    std::shared_ptr<Context> create(int number, bool autoEnd);

    std::array<std::shared_ptr<Context>, MaxNumber + 1> m_slots;
    std::array<quint32, MaxNumber + 1> m_generations{};
    std::vector<Hook> m_startHooks;
    std::vector<Hook> m_endHooks;
    // Queued calls go through this object, so that none outlives the registry.
    QObject m_dispatcher;
};

} // namespace tarvo
