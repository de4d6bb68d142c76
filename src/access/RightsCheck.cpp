#include "access/RightsCheck.h"

#include "access/AccessMessages.h"
#include "access/AccessSession.h"
#include "access/SqlSchema.h"

#include <QHash>
#include <QMutex>
#include <QSet>

namespace tarvo::access {

namespace {

QMutex g_mutex;
RightsCheck::State g_state = RightsCheck::State::Closed;
QHash<QString, qint32> g_catalogue; // catalogue key -> control number (the lowest number wins)
QSet<qint32> g_granted;
bool g_toldUnreadable = false;

} // namespace

QString RightsCheck::catalogueKey(const QString &rightsKey)
{
    return SqlSchema::fold(rightsKey.left(50));
}

void RightsCheck::open(AccessRepository &repository, const QString &userCode)
{
    auto resources = repository.resources();
    Result<std::vector<qint32>> grants = std::vector<qint32>();
    if (resources)
        grants = repository.grants(userCode);
    QMutexLocker lock(&g_mutex);
    g_catalogue.clear();
    g_granted.clear();
    if (!resources || !grants) {
        g_state = State::Unreadable;
        if (g_toldUnreadable)
            return;
        g_toldUnreadable = true;
        const QString error = resources ? grants.error().message : resources.error().message;
        lock.unlock();
        AccessMessages::refuse({QStringLiteral("Die Zugriffsrechte konnten nicht gelesen werden. Geschützte "
                                               "Funktionen bleiben gesperrt.|Fehler:"),
                                QStringLiteral(" "), error});
        return;
    }
    for (const auto &r : *resources) {
        const QString key = catalogueKey(r.resource);
        if (!g_catalogue.contains(key))
            g_catalogue.insert(key, r.resourceId);
    }
    for (qint32 id : *grants)
        g_granted.insert(id);
    g_state = State::Open;
}

void RightsCheck::close()
{
    QMutexLocker lock(&g_mutex);
    g_state = State::Closed;
    g_catalogue.clear();
    g_granted.clear();
}

RightsCheck::State RightsCheck::state()
{
    QMutexLocker lock(&g_mutex);
    return g_state;
}

bool RightsCheck::check(const QString &rightsKey)
{
    const SessionState session = AccessSession::state();
    if (session.options.disableSecCheck || session.options.loginOnly || session.masterLogin)
        return true;
    QMutexLocker lock(&g_mutex);
    switch (g_state) {
    case State::Closed:
        return true;
    case State::Unreadable:
        return false;
    case State::Open:
        break;
    }
    const auto it = g_catalogue.constFind(catalogueKey(rightsKey));
    if (it == g_catalogue.constEnd())
        return true;
    return g_granted.contains(*it);
}

void RightsCheck::reset()
{
    close();
    QMutexLocker lock(&g_mutex);
    g_toldUnreadable = false;
}

} // namespace tarvo::access
