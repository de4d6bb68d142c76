#pragma once

#include "platform/data/Dictionary.h"
#include "platform/data/Session.h"

#include <map>
#include <memory>
#include <mutex>

class QThread;

namespace tarvo::access {

// The access store opened through the data layer, with one data-layer session per OS thread that
// uses it. Sessions and connections are not shared between threads, so each thread gets its own;
// a worker thread's session and connection end when the thread ends.
class StoreSessions final : public std::enable_shared_from_this<StoreSessions> {
  public:
    explicit StoreSessions(std::unique_ptr<data::Dictionary> dictionary);
    ~StoreSessions();
    StoreSessions(const StoreSessions &) = delete;
    StoreSessions &operator=(const StoreSessions &) = delete;

    data::Dictionary &dictionary() const { return *m_dictionary; }
    // The calling thread's session, made on first use.
    data::Session &current();
    // Ends the calling thread's session and closes its connection.
    void releaseCurrent();
    // Sessions alive now (one per thread that used the store and has not ended).
    int sessionCount() const;

  private:
    std::unique_ptr<data::Dictionary> m_dictionary;
    mutable std::mutex m_mutex;
    std::map<QThread *, std::unique_ptr<data::Session>> m_sessions;
};

} // namespace tarvo::access
