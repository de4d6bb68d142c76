#include "ConcurrentInsertBench.h"

#include "common/BenchFolder.h"
#include "common/Catalogue.h"
#include "common/IssueMaker.h"
#include "common/Stopwatch.h"
#include "platform/data/Connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tarvo::bench {

namespace {

// Issue count and distinct issue numbers of the folder's Bugs file.
std::pair<qint64, qint64> storedIssues(const QString &folder)
{
    BenchFolder bf(folder);
    bf.file(QStringLiteral("Bugs"));
    auto conn = bf.session().connection();
    if (!conn)
        throw std::runtime_error(conn.error().message.toStdString());
    QSqlQuery q((*conn)->database());
    if (!q.exec(QStringLiteral("SELECT COUNT(*), COUNT(DISTINCT \"ID\") FROM \"Bugs\"")) || !q.next())
        throw std::runtime_error("cannot count the issues");
    return {q.value(0).toLongLong(), q.value(1).toLongLong()};
}

} // namespace

int ConcurrentInsertBench::insertAsCopy(const QString &folder, int issues, int copy)
{
    BenchFolder bf(folder);
    data::FileManager &bugs = bf.file(QStringLiteral("Bugs"));
    Catalogue catalogue;
    IssueMaker maker(catalogue);
    Rng rng(std::uint64_t(20240501 + copy));
    const int id = bugs.layout().fieldIndex(QStringLiteral("BUG:ID"));
    int failed = 0;
    for (int i = 0; i < issues; ++i) {
        data::Record bug = bugs.newRecord();
        maker.fillIssue(bug, rng, i, issues);
        bug.setValue(id, 0);
        if (!bugs.insert(bug))
            ++failed;
    }
    std::printf("failed=%d\n", failed);
    return 0;
}

double ConcurrentInsertBench::runCopies(const QString &folder, int processes, int &failed)
{
    {
        // The tables exist before the copies start, as in a folder in use.
        BenchFolder bf(folder);
        bf.file(QStringLiteral("Bugs"));
    }
    std::vector<std::unique_ptr<QProcess>> copies;
    Stopwatch clock;
    for (int c = 0; c < processes; ++c) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--copy-of"), folder, QStringLiteral("--issues"),
                  QString::number(m_options.issues), QStringLiteral("--copy"), QString::number(c)});
        copies.push_back(std::move(p));
    }
    failed = 0;
    for (auto &p : copies) {
        if (!p->waitForFinished(-1) || p->exitCode() != 0)
            throw std::runtime_error("a copy did not finish");
        const QString out = QString::fromUtf8(p->readAllStandardOutput());
        failed += out.section(QStringLiteral("failed="), 1).trimmed().toInt();
    }
    return clock.micros() / 1e6;
}

int ConcurrentInsertBench::run()
{
    std::optional<QTemporaryDir> temp;
    QString parent = m_options.folder;
    if (parent.isEmpty()) {
        temp.emplace();
        parent = temp->path();
    }
    std::printf("Issues inserted through the file manager, one transaction per issue, %s:\n",
                m_options.databaseIni.isEmpty() ? "SQLite" : "PostgreSQL");
    std::printf("  %-26s | %-8s | %-10s | failed | numbers given twice\n", "", "time", "issues/s");
    for (int processes : {1, m_options.processes}) {
        const QString folder = QDir(parent).filePath(QStringLiteral("concurrent-%1").arg(processes));
        if (QDir(folder).exists())
            throw std::runtime_error(folder.toStdString() + " exists already");
        QDir().mkpath(folder);
        if (!m_options.databaseIni.isEmpty() &&
            !QFile::copy(m_options.databaseIni, QDir(folder).filePath(QStringLiteral("Database.ini"))))
            throw std::runtime_error("cannot copy " + m_options.databaseIni.toStdString());
        int failed = 0;
        const double seconds = runCopies(folder, processes, failed);
        const auto [stored, distinct] = storedIssues(folder);
        const qint64 total = qint64(processes) * m_options.issues;
        std::printf("  %d %-24s | %6.2f s | %8.0f/s | %6d | %lld%s\n", processes,
                    processes == 1 ? "process" : "processes at once", seconds, double(total) / seconds,
                    failed, static_cast<long long>(stored - distinct),
                    stored + failed == total ? "" : "  (issues lost!)");
        std::fflush(stdout);
        if (!m_options.databaseIni.isEmpty()) {
            // The next run needs an empty store on the same server.
            BenchFolder bf(folder);
            auto conn = bf.session().connection();
            if (!conn || !(*conn)->execDirect(QStringLiteral("DROP SCHEMA tarvo CASCADE")))
                throw std::runtime_error("cannot empty the server's store");
        }
    }
    return 0;
}

} // namespace tarvo::bench
