#include "platform/data/RecordHolds.h"

#include "platform/data/Connection.h"
#include "platform/data/ErrorCode.h"
#include "platform/data/FileManager.h"
#include "platform/data/Session.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlQuery>
#include <QSysInfo>

namespace tarvo::data {

RecordHolds::RecordHolds(Session &session)
    : m_session(session), m_host(QSysInfo::machineHostName()), m_pid(QCoreApplication::applicationPid())
{
    m_timer.setInterval(int(m_leaseMs / 3));
    QObject::connect(&m_timer, &QTimer::timeout, [this] { (void)renew(); });
}

RecordHolds::~RecordHolds()
{
    releaseAll();
}

qint64 RecordHolds::now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

void RecordHolds::setLeaseMilliseconds(qint64 ms)
{
    m_leaseMs = std::max<qint64>(ms, 30);
    m_timer.setInterval(int(std::max<qint64>(m_leaseMs / 3, 10)));
}

Result<void> RecordHolds::hold(FileManager &file, const Record &record)
{
    if (auto o = file.open(); !o)
        return o;
    auto conn = m_session.connection();
    if (!conn)
        return conn.error();
    const QString table = file.layout().table();
    const qint64 t = now();
    // One statement: take a free or expired hold, or renew our own; anything else stays.
    auto q = (*conn)->exec(
        QStringLiteral("INSERT INTO \"_tarvo_holds\" (\"tablename\", \"rid\", \"host\", \"pid\", "
                       "\"context\", \"expires\") VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT "
                       "(\"tablename\", \"rid\") DO UPDATE SET \"host\" = excluded.\"host\", "
                       "\"pid\" = excluded.\"pid\", \"context\" = excluded.\"context\", "
                       "\"expires\" = excluded.\"expires\" WHERE \"_tarvo_holds\".\"expires\" < ? "
                       "OR (\"_tarvo_holds\".\"host\" = excluded.\"host\" AND "
                       "\"_tarvo_holds\".\"pid\" = excluded.\"pid\" AND "
                       "\"_tarvo_holds\".\"context\" = excluded.\"context\")"),
        {table, record.rowId(), m_host, m_pid, qint64(m_session.context()), t + m_leaseMs, t});
    if (!q)
        return q.error();
    if (q.value()->numRowsAffected() <= 0)
        return makeError(ErrorCode::RecordHeld, errorCodeText(ErrorCode::RecordHeld));
    m_held.insert({table, record.rowId()});
    if (!m_timer.isActive())
        m_timer.start();
    return {};
}

void RecordHolds::release(FileManager &file, const Record &record)
{
    const auto key = std::make_pair(file.layout().table(), record.rowId());
    if (!m_held.erase(key))
        return;
    if (auto conn = m_session.connection())
        (void)(*conn)->exec(
            QStringLiteral("DELETE FROM \"_tarvo_holds\" WHERE \"tablename\" = ? AND "
                           "\"rid\" = ? AND \"host\" = ? AND \"pid\" = ? AND \"context\" = ?"),
            {key.first, key.second, m_host, m_pid, qint64(m_session.context())});
    if (m_held.empty())
        m_timer.stop();
}

void RecordHolds::releaseAll()
{
    m_timer.stop();
    if (m_held.empty())
        return;
    m_held.clear();
    if (auto conn = m_session.connection())
        (void)(*conn)->exec(QStringLiteral("DELETE FROM \"_tarvo_holds\" WHERE \"host\" = ? AND "
                                           "\"pid\" = ? AND \"context\" = ?"),
                            {m_host, m_pid, qint64(m_session.context())});
}

Result<void> RecordHolds::renew()
{
    if (m_held.empty())
        return {};
    auto conn = m_session.connection();
    if (!conn)
        return conn.error();
    auto q = (*conn)->exec(QStringLiteral("UPDATE \"_tarvo_holds\" SET \"expires\" = ? WHERE "
                                          "\"host\" = ? AND \"pid\" = ? AND \"context\" = ?"),
                           {now() + m_leaseMs, m_host, m_pid, qint64(m_session.context())});
    if (!q)
        return q.error();
    return {};
}

} // namespace tarvo::data
