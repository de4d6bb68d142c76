#include "access/AccessSession.h"

#include "access/DataLayerAccessRepository.h"
#include "access/Phrases.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>

#include <mutex>

namespace tarvo::access {

namespace {

QMutex g_mutex;
SessionState g_state;
AccessSession::RepositoryFactory g_factory;
std::optional<QStringList> g_arguments;

// The store's connections must close before Qt's SQL driver registry goes at process exit; the
// application object ends before that, so its end is the library's last chance.
void unloadWithApplication()
{
    AccessSession::unload();
}

void unloadAtApplicationEnd()
{
    static std::once_flag registered;
    std::call_once(registered, [] { qAddPostRoutine(unloadWithApplication); });
}

} // namespace

SessionState AccessSession::state()
{
    QMutexLocker lock(&g_mutex);
    return g_state;
}

void AccessSession::change(const std::function<void(SessionState &)> &edit)
{
    QMutexLocker lock(&g_mutex);
    edit(g_state);
}

QString AccessSession::databaseFile(const QString &dataFolder)
{
    QString folder = QDir::fromNativeSeparators(dataFolder.trimmed());
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder + QStringLiteral("/Vuvuzu.db");
}

std::shared_ptr<AccessRepository> AccessSession::repository()
{
    QMutexLocker lock(&g_mutex);
    const QString file = databaseFile(g_state.pfad);
    if (!g_state.repository || g_state.repository->location() != file) {
        unloadAtApplicationEnd();
        g_state.repository = g_factory ? g_factory(file) : std::make_shared<DataLayerAccessRepository>(file);
    }
    return g_state.repository;
}

void AccessSession::setRepositoryFactory(RepositoryFactory factory)
{
    QMutexLocker lock(&g_mutex);
    g_factory = std::move(factory);
    g_state.repository.reset();
}

QString AccessSession::tr(const QString &german)
{
    bool english = false;
    {
        QMutexLocker lock(&g_mutex);
        english = g_state.english;
    }
    return english ? Phrases::english(german) : german;
}

QStringList AccessSession::arguments()
{
    QMutexLocker lock(&g_mutex);
    if (g_arguments)
        return *g_arguments;
    return QCoreApplication::arguments();
}

void AccessSession::setArguments(std::optional<QStringList> arguments)
{
    QMutexLocker lock(&g_mutex);
    g_arguments = std::move(arguments);
}

void AccessSession::reset()
{
    QMutexLocker lock(&g_mutex);
    g_state = SessionState();
    g_arguments.reset();
}

void AccessSession::unload()
{
    // The store is destroyed outside the lock: closing its connections may take a while.
    SessionState ended;
    {
        QMutexLocker lock(&g_mutex);
        std::swap(ended, g_state);
        g_arguments.reset();
    }
}

} // namespace tarvo::access
