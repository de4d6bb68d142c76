#include "access/StoreSessions.h"

#include "platform/data/Store.h"

#include <QCoreApplication>
#include <QThread>

#include <vector>

namespace tarvo::access {

namespace {

// Runs when an OS thread ends (before Qt forgets the thread): every store the thread used
// drops the thread's session and connection, so that no connection outlives its thread.
struct ThreadEnd final {
    std::vector<std::weak_ptr<StoreSessions>> stores;
    ~ThreadEnd()
    {
        for (const auto &weak : stores)
            if (auto store = weak.lock())
                store->releaseCurrent();
    }
};

thread_local ThreadEnd t_threadEnd;

// The application's own thread ends with the process, after the stores; it needs no hook.
bool isApplicationThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

} // namespace

StoreSessions::StoreSessions(std::unique_ptr<data::Dictionary> dictionary)
    : m_dictionary(std::move(dictionary))
{
}

StoreSessions::~StoreSessions()
{
    std::lock_guard lock(m_mutex);
    m_sessions.clear();
}

data::Session &StoreSessions::current()
{
    QThread *thread = QThread::currentThread();
    {
        std::lock_guard lock(m_mutex);
        auto it = m_sessions.find(thread);
        if (it != m_sessions.end())
            return *it->second;
    }
    auto session = m_dictionary->createSession(1, nullptr);
    data::Session &made = *session;
    {
        std::lock_guard lock(m_mutex);
        m_sessions[thread] = std::move(session);
    }
    if (!isApplicationThread()) {
        std::erase_if(t_threadEnd.stores, [](const auto &weak) { return weak.expired(); });
        t_threadEnd.stores.push_back(weak_from_this());
    }
    return made;
}

void StoreSessions::releaseCurrent()
{
    std::unique_ptr<data::Session> session;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_sessions.find(QThread::currentThread());
        if (it == m_sessions.end())
            return;
        session = std::move(it->second);
        m_sessions.erase(it);
    }
    session.reset();
    m_dictionary->store().releaseConnection();
}

int StoreSessions::sessionCount() const
{
    std::lock_guard lock(m_mutex);
    return int(m_sessions.size());
}

} // namespace tarvo::access
