#include "ProgramProcess.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace tarvo::test {

namespace {

// Waits for the program to end, killing it when the time runs out, and adds what it wrote to
// standard error since the last read.
ProcessRun finish(QProcess &process, int milliseconds, QString errors)
{
    ProcessRun run;
    run.finished = process.waitForFinished(milliseconds);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = errors + QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

std::unique_ptr<QProcess> ProgramProcess::startTarvo(const QStringList &arguments,
                                                     const QList<std::pair<QString, QString>> &environment)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("TARVO_DEFAULT_DATA"));
    for (const auto &[name, value] : environment)
        env.insert(name, value);
    process->setProcessEnvironment(env);
    process->start(qEnvironmentVariable("TARVO_BINARY_DIR") + QStringLiteral("/src/app/tarvo"), arguments);
    return process;
}

ProcessRun ProgramProcess::tarvo(const QStringList &arguments)
{
    const auto process = startTarvo(arguments);
    return finish(*process, 60000, {});
}

bool ProgramProcess::waitUntil(QProcess &process, QString &errors, const std::function<bool()> &condition,
                               int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 100) {
        errors += QString::fromLocal8Bit(process.readAllStandardError());
        if (condition())
            return true;
        if (process.state() == QProcess::NotRunning)
            return false;
        process.waitForFinished(100);
    }
    return false;
}

ProcessRun ProgramProcess::terminate(QProcess &process, QString errors)
{
    process.terminate();
    return finish(process, 30000, std::move(errors));
}

QString ProgramProcess::folder(const QString &name)
{
    const QString path = m_home.file(name);
    QDir().mkpath(path);
    return path;
}

QStringList ProgramProcess::rows(const QString &file, const QString &sql)
{
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
        while (q.next()) {
            QStringList columns;
            for (int i = 0; i < q.record().count(); ++i)
                columns << q.value(i).toString();
            out << columns.join(u'|');
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return out;
}

} // namespace tarvo::test
