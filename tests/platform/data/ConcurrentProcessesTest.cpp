#include "DataTestSupport.h"
#include "platform/data/View.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlQuery>

using namespace tarvo::data;

namespace tarvo::test {

namespace {
constexpr int kCustomers = 400;
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
} // namespace

// Runs only as the second process of the test below.
TEST(ConcurrentPeer, Run)
{
    const QString folder = qEnvironmentVariable(kPeerFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "only run as the peer process of ConcurrentProcessesTest";
    QString failure;
    EXPECT_TRUE(insertAndDelete(folder, qEnvironmentVariable(kPeerTag), &failure)) << failure.toStdString();
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
    QProcess peer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kPeerFolder), dir.path());
    env.insert(QString::fromLatin1(kPeerTag), QStringLiteral("peer"));
    peer.setProcessEnvironment(env);
    peer.setProcessChannelMode(QProcess::MergedChannels);
    peer.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--gtest_filter=ConcurrentPeer.Run")});
    ASSERT_TRUE(peer.waitForStarted());

    QString failure;
    EXPECT_TRUE(insertAndDelete(dir.path(), QStringLiteral("main"), &failure)) << failure.toStdString();
    ASSERT_TRUE(peer.waitForFinished(120000));
    EXPECT_EQ(peer.exitCode(), 0) << peer.readAll().toStdString();

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

} // namespace tarvo::test
