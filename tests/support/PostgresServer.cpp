#include "support/PostgresServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

#include <gtest/gtest.h>

namespace tarvo::test {

namespace {

QString harnessScript()
{
    // The harness lies beside the tests in the source tree.
    const QString root = qEnvironmentVariable("TARVO_SOURCE_DIR");
    if (!root.isEmpty())
        return QDir(root).filePath(QStringLiteral("tests/peers/postgres-server.sh"));
    return QFileInfo(QStringLiteral(__FILE__))
        .dir()
        .absoluteFilePath(QStringLiteral("../peers/postgres-server.sh"));
}

class StopServerAtEnd final : public ::testing::Environment {
  public:
    void TearDown() override { PostgresServer::instance().stop(); }
};

[[maybe_unused]] ::testing::Environment *const g_stopper =
    ::testing::AddGlobalTestEnvironment(new StopServerAtEnd);

} // namespace

PostgresServer &PostgresServer::instance()
{
    static PostgresServer server;
    return server;
}

bool PostgresServer::available()
{
    if (m_tried)
        return m_port > 0;
    m_tried = true;
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/postgresql/15/bin/initdb"))) {
        m_reason = QStringLiteral("PostgreSQL 15 binaries are not installed; PostgreSQL tests skipped");
        return false;
    }
    m_dir = QStringLiteral("/tmp/tarvo-pg-%1-%2")
                .arg(QCoreApplication::applicationPid())
                .arg(QUuid::createUuid().toString(QUuid::Id128).left(8));
    QProcess p;
    p.start(QStringLiteral("/bin/bash"), {harnessScript(), QStringLiteral("start"), m_dir});
    p.waitForFinished(120000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    m_port = p.exitCode() == 0 ? out.section(QLatin1Char('\n'), -1).toInt() : 0;
    if (m_port <= 0)
        m_reason = QStringLiteral("PostgreSQL test server did not start: ") +
                   QString::fromUtf8(p.readAllStandardError());
    return m_port > 0;
}

void PostgresServer::writeDatabaseIni(const QString &folder) const
{
    QFile f(QDir(folder).filePath(QStringLiteral("Database.ini")));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(QStringLiteral("[PostgreSQL]\nhost=127.0.0.1\nport=%1\ndatabase=%2\nuser=postgres\n")
                .arg(m_port)
                .arg(database())
                .toUtf8());
}

bool PostgresServer::dropSchema(const QString &schema) const
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("pg-admin"));
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(m_port);
        db.setDatabaseName(database());
        db.setUserName(QStringLiteral("postgres"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SET client_min_messages TO warning"));
            ok = q.exec(QStringLiteral("DROP SCHEMA IF EXISTS \"%1\" CASCADE").arg(schema));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pg-admin"));
    return ok;
}

void PostgresServer::stop()
{
    if (m_port <= 0)
        return;
    QProcess::execute(QStringLiteral("/bin/bash"), {harnessScript(), QStringLiteral("stop"), m_dir});
    m_port = 0;
}

} // namespace tarvo::test
