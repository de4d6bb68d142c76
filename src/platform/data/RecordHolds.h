#pragma once

#include "platform/runtime/Result.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <set>
#include <utility>

namespace tarvo::data {

class FileManager;
class Record;
class Session;

// The records a logical thread holds for editing. A hold is a row of the store's holds table
// with its owner (host, process, context) and a lease that is renewed while held, so that the
// hold of a copy that crashed runs out by itself.
class RecordHolds final {
  public:
    explicit RecordHolds(Session &session);
    ~RecordHolds();

    // Code 43 when another live owner holds the record.
    Result<void> hold(FileManager &file, const Record &record);
    void release(FileManager &file, const Record &record);
    void releaseAll();
    // Extends the lease of every hold of this owner; runs by itself every third of the lease.
    Result<void> renew();

    // Lease length; the default is a minute.
    void setLeaseMilliseconds(qint64 ms);
    qint64 leaseMilliseconds() const { return m_leaseMs; }

  private:
    static qint64 now();

    Session &m_session;
    QString m_host;
    qint64 m_pid;
    qint64 m_leaseMs = 60000;
    std::set<std::pair<QString, qint64>> m_held;
    QTimer m_timer;
};

} // namespace tarvo::data
