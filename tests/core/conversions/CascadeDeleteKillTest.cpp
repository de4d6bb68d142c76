#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/Connection.h"
#include "platform/data/Dictionary.h"
#include "platform/data/FileManager.h"
#include "platform/data/RelationManager.h"
#include "platform/data/Session.h"
#include "platform/data/Transaction.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>
#include <QThread>

#include <array>
#include <gtest/gtest.h>

namespace tarvo::test {

namespace {

constexpr int kIssues = 1500;
const char *kPeerFolder = "TARVO_KILL_PEER_FOLDER";
const char *kPeerHold = "TARVO_KILL_PEER_HOLD";
const QString kReady = QStringLiteral("ready");

QString marker(const QString &folder)
{
    return QDir(folder).filePath(kReady);
}

// One program with many issues, each with history, notes and a responsible person, and a second
// program whose data nothing touches.
void fillFolder(const QString &folder)
{
    auto dict = data::Dictionary::open(core::tarvoDictionary(), folder);
    ASSERT_TRUE(dict.ok());
    auto session = (*dict)->createSession(1, nullptr);
    auto conn = session->connection();
    ASSERT_TRUE(conn.ok());
    data::Transaction tx(**conn);
    auto add = [&](const QString &label, const std::vector<std::pair<QString, QVariant>> &values) {
        data::FileManager &file = *session->file(label);
        data::Record r = file.newRecord();
        for (const auto &[name, value] : values)
            r.setValue(name, value);
        EXPECT_TRUE(file.insert(r).ok()) << label.toStdString();
        return r.integer(QStringLiteral("ID"));
    };
    const qint64 doomed = add(QStringLiteral("Programs"), {{"PrgName", "Doomed"}});
    const qint64 kept = add(QStringLiteral("Programs"), {{"PrgName", "Kept"}});
    for (int i = 0; i < kIssues; ++i) {
        const qint64 prg = i % 10 == 0 ? kept : doomed;
        const qint64 bug = add(QStringLiteral("Bugs"), {{"PrgID", prg}, {"Description", i}});
        add(QStringLiteral("History"), {{"ID", bug}, {"FIELD", "BUG:Status"}, {"DATE", 1}});
        add(QStringLiteral("History"), {{"ID", bug}, {"FIELD", "BUG:Priority"}, {"DATE", 2}});
        add(QStringLiteral("Notes"), {{"ID", bug}, {"PrgID", prg}, {"Note", "note"}});
        add(QStringLiteral("BugsResponsible"), {{"ID", bug}, {"RESPONSIBLE", "ABC"}});
    }
    ASSERT_TRUE(tx.commit().ok());
}

struct Counts {
    std::array<qint64, 5> rows{};
    bool operator==(const Counts &) const = default;
};

Counts countRows(const QString &folder)
{
    auto dict = data::Dictionary::open(core::tarvoDictionary(), folder);
    EXPECT_TRUE(dict.ok());
    auto session = (*dict)->createSession(1, nullptr);
    EXPECT_TRUE(session->file(QStringLiteral("Programs"))->open().ok());
    auto conn = session->connection();
    Counts c;
    const char *sql[] = {
        "SELECT COUNT(*) FROM \"Programs\"",        "SELECT COUNT(*) FROM \"Bugs\"",
        "SELECT COUNT(*) FROM \"History\"",         "SELECT COUNT(*) FROM \"Notes\"",
        "SELECT COUNT(*) FROM \"BugsResponsible\"",
    };
    for (size_t i = 0; i < c.rows.size(); ++i) {
        QSqlQuery q((*conn)->database());
        EXPECT_TRUE(q.exec(QString::fromLatin1(sql[i])));
        c.rows[i] = q.next() ? q.value(0).toLongLong() : -1;
    }
    return c;
}

} // namespace

// Runs only as the process that the test below kills.
TEST(CascadeDeleteKillPeer, Run)
{
    const QString folder = qEnvironmentVariable(kPeerFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "only run as the peer process of CascadeDeleteKillTest";
    const bool hold = qEnvironmentVariableIsSet(kPeerHold);
    auto dict = data::Dictionary::open(core::tarvoDictionary(), folder);
    ASSERT_TRUE(dict.ok());
    auto session = (*dict)->createSession(1, nullptr);
    data::FileManager &programs = *session->file(QStringLiteral("Programs"));
    data::Record program = programs.newRecord();
    program.setValue(QStringLiteral("PrgName"), QStringLiteral("Doomed"));
    ASSERT_TRUE(programs.fetch(QStringLiteral("KeyPrgName"), program).ok());
    ASSERT_TRUE(session->relations(QStringLiteral("Programs"))->open().ok());
    auto conn = session->connection();
    ASSERT_TRUE(conn.ok());
    if (hold) {
        // The whole cascade done, the commit not yet: the kill comes now.
        data::Transaction outer(**conn);
        ASSERT_TRUE(session->relations(QStringLiteral("Programs"))->remove(program).ok());
        (void)QFile(marker(folder)).open(QIODevice::WriteOnly);
        QThread::sleep(60);
        FAIL() << "not killed";
    }
    (void)QFile(marker(folder)).open(QIODevice::WriteOnly);
    EXPECT_TRUE(session->relations(QStringLiteral("Programs"))->remove(program).ok());
}

TEST(CascadeDeleteKillTest, KilledDeleteLeavesEverythingOrNothing)
{
    TempDir source;
    fillFolder(source.path());
    const Counts before = countRows(source.path());
    const qint64 keptIssues = kIssues / 10;
    const Counts after{{1, keptIssues, 2 * keptIssues, keptIssues, keptIssues}};

    // The first attempt is killed inside the transaction after the whole cascade; the others
    // after growing delays, which hit the cascade at different points.
    const int delays[] = {-1, 0, 5, 15, 40, 100, 250};
    int untouched = 0;
    for (int delay : delays) {
        TempDir dir;
        ASSERT_TRUE(QFile::copy(QDir(source.path()).filePath(QStringLiteral("Tarvo.db")),
                                QDir(dir.path()).filePath(QStringLiteral("Tarvo.db"))));
        QProcess peer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kPeerFolder), dir.path());
        if (delay < 0)
            env.insert(QString::fromLatin1(kPeerHold), QStringLiteral("1"));
        peer.setProcessEnvironment(env);
        peer.setProcessChannelMode(QProcess::MergedChannels);
        peer.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=CascadeDeleteKillPeer.Run")});
        ASSERT_TRUE(peer.waitForStarted());
        QDeadlineTimer deadline(30000);
        while (!QFile::exists(marker(dir.path())) && !deadline.hasExpired() &&
               peer.state() == QProcess::Running)
            QThread::msleep(1);
        ASSERT_TRUE(QFile::exists(marker(dir.path()))) << peer.readAll().toStdString();
        if (delay > 0)
            QThread::msleep(ulong(delay));
        peer.kill(); // SIGKILL: no destructor, no rollback of its own
        ASSERT_TRUE(peer.waitForFinished(30000));

        const Counts now = countRows(dir.path());
        EXPECT_TRUE(now == before || now == after)
            << "delay " << delay << ": programs " << now.rows[0] << ", issues " << now.rows[1] << ", history "
            << now.rows[2] << ", notes " << now.rows[3];
        if (delay < 0) {
            EXPECT_TRUE(now == before) << "a delete that was not committed left traces";
        }
        untouched += now == before ? 1 : 0;
    }
    EXPECT_GE(untouched, 1);
}

} // namespace tarvo::test
