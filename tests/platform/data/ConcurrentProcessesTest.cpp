#include "DataTestSupport.h"
#include "platform/data/View.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>

#include <cstdio>
#include <memory>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
constexpr int kCustomers = 400;
constexpr int kContendedInserts = 2000;
constexpr int kInserters = 3;
const char *kPeerFolder = "TARVO_DATA_PEER_FOLDER";
const char *kPeerTag = "TARVO_DATA_PEER_TAG";

// What each of the two processes does: customers with two contacts each, every third one
// deleted again with its contacts. Returns false at the first failure.
bool insertAndDelete(const QString &folder, const QString &tag, QString *failure)
{
    auto d = Dictionary::open(testDictionary(), folder);
    if (!d) {
        *failure = d.error().message;
        return false;
    }
    RecordingReporter reporter;
    auto session = (*d)->createSession(1, &reporter);
    FileManager &customers = *session->file(QStringLiteral("Customer"));
    FileManager &contacts = *session->file(QStringLiteral("Contact"));
    for (int i = 0; i < kCustomers; ++i) {
        Record c = customers.newRecord();
        c.setValue("Name", QStringLiteral("%1-%2").arg(tag).arg(i));
        auto added = customers.insert(c);
        for (int k = 0; added && k < 2; ++k) {
            Record contact = contacts.newRecord();
            contact.setValue("ID", c.integer("ID"));
            contact.setValue("Name", QStringLiteral("%1").arg(k));
            added = contacts.insert(contact);
        }
        if (added && i % 3 == 0)
            added = session->relations(QStringLiteral("Customer"))->remove(c);
        if (!added) {
            *failure = QStringLiteral("%1 at %2: %3").arg(tag).arg(i).arg(added.error().message);
            return false;
        }
    }
    return reporter.errors.empty();
}

// This test program again, running ConcurrentPeer.Run in the role `tag` on the folder.
std::unique_ptr<QProcess> startPeer(const QString &folder, const QString &tag)
{
    auto peer = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kPeerFolder), folder);
    env.insert(QString::fromLatin1(kPeerTag), tag);
    peer->setProcessEnvironment(env);
    peer->setProcessChannelMode(QProcess::MergedChannels);
    peer->start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=ConcurrentPeer.Run")});
    return peer;
}

// An inserter of the contention test: kContendedInserts customers, one insert (and so one
// number claimed) per transaction, as the issue form adds them.
bool insertMany(const QString &folder, const QString &tag, QString *failure)
{
    auto d = Dictionary::open(testDictionary(), folder);
    if (!d) {
        *failure = d.error().message;
        return false;
    }
    RecordingReporter reporter;
    auto session = (*d)->createSession(1, &reporter);
    FileManager &customers = *session->file(QStringLiteral("Customer"));
    for (int i = 0; i < kContendedInserts; ++i) {
        Record c = customers.newRecord();
        c.setValue("Name", QStringLiteral("%1-%2").arg(tag).arg(i));
        if (auto added = customers.insert(c); !added) {
            *failure = QStringLiteral("%1 at %2: %3").arg(tag).arg(i).arg(added.error().message);
            return false;
        }
    }
    if (!reporter.errors.empty())
        *failure = QStringLiteral("%1: message %2").arg(tag).arg(reporter.errors.front().messageNumber);
    return reporter.errors.empty();
}

// The fourth copy: walks the customers over and over, changing each one's city and deleting
// every other one it meets, until the file `stop` appears. Prints how many it deleted.
bool churn(const QString &folder, QString *failure)
{
    auto d = Dictionary::open(testDictionary(), folder);
    if (!d) {
        *failure = d.error().message;
        return false;
    }
    RecordingReporter reporter;
    auto session = (*d)->createSession(1, &reporter);
    FileManager &customers = *session->file(QStringLiteral("Customer"));
    RelationManager &relations = *session->relations(QStringLiteral("Customer"));
    if (!relations.open()) {
        *failure = QStringLiteral("churn: Customer does not open");
        return false;
    }
    const QString stop = QDir(folder).filePath(QStringLiteral("stop"));
    qint64 after = 0;
    int deleted = 0;
    for (int step = 0; !QFileInfo::exists(stop); ++step) {
        auto conn = session->connection();
        if (!conn) {
            *failure = conn.error().message;
            return false;
        }
        qint64 row = 0;
        {
            auto q = (*conn)->exec(
                QStringLiteral(
                    "SELECT \"_rid\" FROM \"Customer\" WHERE \"_rid\" > ? ORDER BY \"_rid\" LIMIT 1"),
                {after});
            if (!q) {
                *failure = q.error().message;
                return false;
            }
            row = q.value()->next() ? q.value()->value(0).toLongLong() : 0;
        }
        after = row;
        if (row == 0)
            continue;
        Record c = customers.newRecord();
        if (auto read = customers.fetchRow(row, c); !read) {
            *failure = QStringLiteral("churn: row %1: %2").arg(row).arg(read.error().message);
            return false;
        }
        c.setValue("City", QStringLiteral("changed %1").arg(step));
        auto written = step % 2 == 0 ? customers.update(c) : relations.remove(c);
        if (!written) {
            *failure = QStringLiteral("churn: row %1: %2").arg(row).arg(written.error().message);
            return false;
        }
        deleted += step % 2;
    }
    std::printf("deleted=%d\n", deleted);
    std::fflush(stdout);
    return reporter.errors.empty();
}
} // namespace

// Runs only as the second process of the test below.
TEST(ConcurrentPeer, Run)
{
    const QString folder = qEnvironmentVariable(kPeerFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "only run as the peer process of ConcurrentProcessesTest";
    const QString tag = qEnvironmentVariable(kPeerTag);
    QString failure;
    const bool ok = tag == QLatin1String("churn")           ? churn(folder, &failure)
                    : tag.startsWith(QLatin1String("many")) ? insertMany(folder, tag, &failure)
                                                            : insertAndDelete(folder, tag, &failure);
    EXPECT_TRUE(ok) << failure.toStdString();
}

TEST(ConcurrentProcessesTest, TwoProcessesInsertAndDeleteOnOneSqliteFolder)
{
    TempDir dir;
    {
        // The tables exist before both start, as after the first start of the program.
        auto d = Dictionary::open(testDictionary(), dir.path());
        ASSERT_TRUE(d.ok());
        auto s = (*d)->createSession(1, nullptr);
        ASSERT_TRUE(s->relations(QStringLiteral("Customer"))->open().ok());
    }
    auto peer = startPeer(dir.path(), QStringLiteral("peer"));
    ASSERT_TRUE(peer->waitForStarted());

    QString failure;
    EXPECT_TRUE(insertAndDelete(dir.path(), QStringLiteral("main"), &failure)) << failure.toStdString();
    ASSERT_TRUE(peer->waitForFinished(120000));
    EXPECT_EQ(peer->exitCode(), 0) << peer->readAll().toStdString();

    auto d = Dictionary::open(testDictionary(), dir.path());
    ASSERT_TRUE(d.ok());
    auto s = (*d)->createSession(1, nullptr);
    ASSERT_TRUE(s->file(QStringLiteral("Customer"))->open().ok());
    auto conn = s->connection();
    auto scalar = [&](const char *sql) {
        QSqlQuery q((*conn)->database());
        EXPECT_TRUE(q.exec(QString::fromLatin1(sql)));
        return q.next() ? q.value(0).toLongLong() : -1;
    };
    const qint64 kept = 2 * (kCustomers - (kCustomers + 2) / 3);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM \"Customer\""), kept);
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT \"ID\") FROM \"Customer\""), kept);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM \"Contact\""), 2 * kept);
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT \"CID\") FROM \"Contact\""), 2 * kept);
    EXPECT_EQ(
        scalar("SELECT COUNT(*) FROM \"Contact\" WHERE \"ID\" NOT IN (SELECT \"ID\" FROM \"Customer\")"), 0);
}

// Three copies add customers as fast as they can while a fourth changes and deletes them: every
// insert gets its number (none ends in "Try again?"), and no number is given twice.
class ContendedInsertTest : public StoreTest {};

TEST_P(ContendedInsertTest, ThreeInsertingCopiesAndOneDeletingNeverFailAnInsert)
{
    openDictionary();
    ASSERT_TRUE(rm(QStringLiteral("Customer")).open().ok());
    closeDictionary();

    std::vector<std::unique_ptr<QProcess>> peers;
    for (int i = 0; i < kInserters; ++i)
        peers.push_back(startPeer(m_dir.path(), QStringLiteral("many%1").arg(i)));
    auto churner = startPeer(m_dir.path(), QStringLiteral("churn"));
    for (auto &peer : peers) {
        ASSERT_TRUE(peer->waitForFinished(300000));
        EXPECT_EQ(peer->exitCode(), 0) << peer->readAll().toStdString();
    }
    QFile stop(m_dir.file(QStringLiteral("stop")));
    ASSERT_TRUE(stop.open(QIODevice::WriteOnly));
    stop.close();
    ASSERT_TRUE(churner->waitForFinished(60000));
    const QString out = QString::fromUtf8(churner->readAll());
    EXPECT_EQ(churner->exitCode(), 0) << out.toStdString();
    const int deleted = out.section(QStringLiteral("deleted="), 1).section(QLatin1Char('\n'), 0, 0).toInt();
    EXPECT_GT(deleted, 0) << out.toStdString();

    openDictionary();
    const qint64 kept = kInserters * kContendedInserts - deleted;
    EXPECT_EQ(count(QStringLiteral("Customer")), kept);
    auto conn = m_session->connection();
    ASSERT_TRUE(conn.ok());
    QSqlQuery q((*conn)->database());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT COUNT(DISTINCT \"ID\") FROM \"Customer\"")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toLongLong(), kept);
}

TARVO_STORE_TEST_SUITE(ContendedInsertTest);

} // namespace tarvo::test
