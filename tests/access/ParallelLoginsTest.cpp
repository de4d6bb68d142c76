#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/LoginService.h"
#include "access/Vuvuzu.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

namespace tarvo::access::test {

namespace {

const char *kPeerFolder = "VUVUZU_LOGIN_PEER_FOLDER";
const char *kPeerReady = "VUVUZU_LOGIN_PEER_READY";
const char *kPeerStart = "VUVUZU_LOGIN_PEER_START";
const QString kSaid = QStringLiteral("peer said: ");

// "right" hashed at the program's own cost, so that each check takes as long as at a real login
// and logins started together are all checking at the same time.
const QString kRealCostHash = QStringLiteral(
    "$argon2id$v=19$m=65536,t=2,p=1$2nL3k3DTBueiwfQsM0Cnsw$8WxABQMVLbbqLNQN8tQCIZqGFw04ekXL9gbChZUHLow");

class ParallelLogins : public Store {};

} // namespace

// Runs only as one of the processes of the test below: opens the store and says so with its ready
// file, then makes one login with a wrong password when the start file appears and prints what the
// login said.
TEST(ParallelLoginPeer, Run)
{
    const QString folder = qEnvironmentVariable(kPeerFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "only run as a peer process of ParallelLogins";
    tarvo::test::TempDir home;
    home.useAsConfigHome();
    tarvo::test::ScriptedMessages messages;
    AccessSession::reset();
    AccessSession::setArguments(QStringList{QStringLiteral("tarvo")});
    setPFAD(folder);
    LoginService service({});
    ASSERT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")),
              LoginService::Start::ShowWindow);
    QFile ready(qEnvironmentVariable(kPeerReady));
    ASSERT_TRUE(ready.open(QIODevice::WriteOnly));
    ready.close();

    const QString start = qEnvironmentVariable(kPeerStart);
    const QDeadlineTimer deadline(60000);
    while (!QFileInfo::exists(start) && !deadline.hasExpired())
        QThread::msleep(2);
    EXPECT_FALSE(service.attempt(QStringLiteral("anna"), QStringLiteral("wrong")));
    for (const QString &text : messages.texts())
        std::printf("%s%s\n", qPrintable(kSaid), qPrintable(text));
    std::fflush(stdout);
    AccessSession::reset();
}

TEST_P(ParallelLogins, WrongLoginsAtTheSameMomentEachCountAndOneLocks)
{
    setOptions([](OptionsRecord &o) {
        o.disableUser = 1;
        o.noLogins = 3;
    });
    addUser(QStringLiteral("anna"), QStringLiteral("unused"),
            [](UserRecord &u) { u.passwort = kRealCostHash; });
    // The peers open the store themselves, as other copies of the program would.
    AccessSession::reset();

    const QString start = m_dir.file(QStringLiteral("start"));
    constexpr int kLogins = 6;
    std::vector<std::unique_ptr<QProcess>> peers;
    for (int i = 0; i < kLogins; ++i) {
        auto peer = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kPeerFolder), dataFolder());
        env.insert(QString::fromLatin1(kPeerReady), m_dir.file(QStringLiteral("ready%1").arg(i)));
        env.insert(QString::fromLatin1(kPeerStart), start);
        peer->setProcessEnvironment(env);
        peer->setProcessChannelMode(QProcess::MergedChannels);
        peer->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ParallelLoginPeer.Run")});
        ASSERT_TRUE(peer->waitForStarted());
        peers.push_back(std::move(peer));
    }
    // Every peer has opened the store before any of them logs in.
    const QDeadlineTimer deadline(60000);
    for (int i = 0; i < kLogins; ++i)
        while (!QFileInfo::exists(m_dir.file(QStringLiteral("ready%1").arg(i))) && !deadline.hasExpired())
            QThread::msleep(5);
    QFile go(start);
    ASSERT_TRUE(go.open(QIODevice::WriteOnly));
    go.close();

    QStringList said;
    for (auto &peer : peers) {
        ASSERT_TRUE(peer->waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(peer->readAll());
        EXPECT_EQ(peer->exitCode(), 0) << output.toStdString();
        for (const QString &line : output.split(u'\n'))
            if (line.startsWith(kSaid))
                said << line.mid(kSaid.size());
    }

    setPFAD(dataFolder());
    const UserRecord anna = storedUser(QStringLiteral("anna"));
    EXPECT_EQ(anna.fehlversuche, kLogins);
    EXPECT_EQ(anna.inaktiv, 1);
    // The login whose failure reached the limit says so; every other one reports the wrong password.
    EXPECT_EQ(said.count(QStringLiteral("Your login failed for 3 times!")), 1)
        << said.join(u'\n').toStdString();
    EXPECT_EQ(said.count(QStringLiteral("Invalid Password for User anna.")), kLogins - 1)
        << said.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Stores, ParallelLogins,
                         ::testing::Values(data::StoreKind::Sqlite, data::StoreKind::Postgres), storeName);

} // namespace tarvo::access::test
