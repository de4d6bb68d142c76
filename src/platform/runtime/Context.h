#pragma once

#include "platform/runtime/ContextRef.h"
#include "platform/runtime/Events.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace tarvo {

class ContextRegistry;

// The request a caller leaves in its context before it calls a form.
namespace Request {
constexpr int None = 0;
constexpr int Insert = 1;
constexpr int Change = 2;
constexpr int Delete = 3;
constexpr int Select = 4;
constexpr int View = 6;
} // namespace Request

// What a form leaves in the context when it ends.
namespace Response {
constexpr int None = 0;
constexpr int Completed = 1;
constexpr int Cancelled = 2;
} // namespace Response

// Takes the events posted to a context.
using EventReceiver = std::function<void(const PostedEvent &)>;

// One logical thread of the program: its number, its request cells, its procedure names, the
// windows that take its posted events, and the per-thread objects of higher layers.
class Context final : public std::enable_shared_from_this<Context> {
  public:
    using ReceiverId = quint64;

    // Contexts of the program come from ContextRegistry; a standalone one serves tests of the
    // objects that live in a context.
    explicit Context(int number, quint32 generation = 1, ContextRegistry *registry = nullptr);
    ~Context();
    Context(const Context &) = delete;
    Context &operator=(const Context &) = delete;

    int number() const { return m_number; }
    quint32 generation() const { return m_generation; }
    ContextRef ref() const { return {m_number, m_generation}; }
    // The registry this context belongs to; null once that registry is gone or for a standalone one.
    ContextRegistry *registry() const { return m_registry; }
    // True once the context has ended; posts to it are dropped from then on.
    bool isEnded() const { return m_ended; }

    int threadRequest() const { return m_threadRequest; }
    void setThreadRequest(int request) { m_threadRequest = request; }
    int threadResponse() const { return m_threadResponse; }
    void setThreadResponse(int response) { m_threadResponse = response; }
    qint32 threadVCRRequest() const { return m_threadVCRRequest; }
    void setThreadVCRRequest(qint32 request) { m_threadVCRRequest = request; }

    // The names of the procedures running in this context, the innermost last.
    void pushProcedure(const QString &name);
    // Removes the innermost entry of that name, so a window closing out of order takes only its own.
    void popProcedure(const QString &name);
    QString currentProcedure() const;
    QStringList procedures() const { return m_procedures; }

    // The object of type T that a higher layer keeps in this context, created on first use.
    template <class T> T &attachment();
    // The object of type T, or null when none was made.
    template <class T> T *findAttachment() const;
    // Replaces the object of type T by one made from the arguments.
    template <class T, class... Args> T &emplaceAttachment(Args &&...args);
    // Destroys the object of type T, when there is one.
    template <class T> void removeAttachment();
    // Destroys every attached object, the last made first.
    void clearAttachments();

    // The window that opened last on a context takes its posted events; when it goes, the one
    // below takes them again.
    ReceiverId addReceiver(EventReceiver receiver);
    void removeReceiver(ReceiverId id);
    bool hasReceiver() const { return !m_receivers.empty(); }

  private:
    friend class ContextRegistry;

    struct Attachment {
        std::type_index type;
        std::unique_ptr<void, void (*)(void *)> object;
    };

    void *findRaw(std::type_index type) const;
    void *store(std::type_index type, std::unique_ptr<void, void (*)(void *)> object);
    void removeRaw(std::type_index type);

    int m_number;
    quint32 m_generation;
    ContextRegistry *m_registry;
    bool m_started = false;
    bool m_ended = false;
    bool m_autoEnd = false;
    bool m_running = false;
    int m_threadRequest = Request::None;
    int m_threadResponse = Response::None;
    qint32 m_threadVCRRequest = 0;
    QStringList m_procedures;
    std::vector<Attachment> m_attachments;
    std::vector<std::pair<ReceiverId, EventReceiver>> m_receivers;
    ReceiverId m_nextReceiverId = 1;
    std::deque<PostedEvent> m_pending;
};

template <class T> T &Context::attachment()
{
    if (T *existing = findAttachment<T>())
        return *existing;
    return emplaceAttachment<T>();
}

template <class T> T *Context::findAttachment() const
{
    return static_cast<T *>(findRaw(std::type_index(typeid(T))));
}

template <class T, class... Args> T &Context::emplaceAttachment(Args &&...args)
{
    std::unique_ptr<void, void (*)(void *)> object(new T(std::forward<Args>(args)...),
                                                   [](void *p) { delete static_cast<T *>(p); });
    return *static_cast<T *>(store(std::type_index(typeid(T)), std::move(object)));
}

template <class T> void Context::removeAttachment()
{
    removeRaw(std::type_index(typeid(T)));
}

} // namespace tarvo
