#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/LoginService.h"
#include "access/Vuvuzu.h"

#include <QFile>

#include <thread>

namespace tarvo::access::test {

namespace {

class Rights : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        // A user added after the import holds no rights; grant one control.
        addUser(QStringLiteral("anna"), QStringLiteral("pw"));
        auto resources = AccessSession::repository()->resources();
        ASSERT_TRUE(resources.ok());
        for (const auto &r : *resources) {
            if (r.resource == u"UpdateBugs:?Insert") {
                ASSERT_TRUE(AccessSession::repository()->grant(QStringLiteral("ANNA"), r.resourceId).ok());
            }
        }
    }

    void loginAs(const QString &code, const QString &password)
    {
        LoginService service({});
        ASSERT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QString()),
                  LoginService::Start::ShowWindow);
        const bool ok = service.attempt(code, password);
        service.finish(ok);
        ASSERT_TRUE(ok);
    }
};

} // namespace

TEST_F(Rights, GrantedDeniedAndUnlistedKeys)
{
    loginAs(QStringLiteral("anna"), QStringLiteral("pw"));
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Insert")), 1);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("updatebugs:?insert")), 1);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete")), 0);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?NotInTheCatalogue")), 1);
    // Only the first 50 characters count.
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete").leftJustified(50, u' ') +
                                  QStringLiteral("tail")),
              0);
}

TEST_F(Rights, ClosedTablesAllowEverything)
{
    loginAs(QStringLiteral("anna"), QStringLiteral("pw"));
    VUVUZU_USEFILES(2);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete")), 1);
    VUVUZU_USEFILES(1);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete")), 0);
}

TEST_F(Rights, LoginOnlyAndMasterAllowEverything)
{
    setOptions([](OptionsRecord &o) { o.loginOnly = 1; });
    loginAs(QStringLiteral("anna"), QStringLiteral("pw"));
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete")), 1);

    setOptions([](OptionsRecord &o) {
        o.loginOnly = 0;
        o.requirePassword = 0;
    });
    loginAs(QStringLiteral("wkz"), QString());
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete")), 1);
}

TEST_F(Rights, UnreadableTablesDenyAndTellOnce)
{
    loginAs(QStringLiteral("anna"), QStringLiteral("pw"));
    // The data folder now points at a store that is no database.
    const QString broken = m_dir.path() + QStringLiteral("/broken");
    QDir().mkpath(broken);
    QFile garbage(broken + QStringLiteral("/Vuvuzu.db"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    setPFAD(broken);
    m_messages.clear();

    VUVUZU_USEFILES(1);
    VUVUZU_USEFILES(1);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Insert")), 0);
    EXPECT_EQ(VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?NotInTheCatalogue")), 0);
    ASSERT_EQ(m_messages.texts().size(), 1);
    EXPECT_TRUE(m_messages.texts().front().startsWith(QStringLiteral("The User rights could not be read.")));
}

TEST_F(Rights, AnyThreadGetsItsOwnAnswers)
{
    addUser(QStringLiteral("bert"), QStringLiteral("pw"),
            [](UserRecord &u) { u.email = QStringLiteral("bert@example.org"); });
    loginAs(QStringLiteral("anna"), QStringLiteral("pw"));
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) {
                if (VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Insert")) != 1 ||
                    VUVUZU_CHECKCONTROL(QStringLiteral("UpdateBugs:?Delete")) != 0 ||
                    VUVUZU_GETVALUE(QStringLiteral("BEN:EMail"), QStringLiteral("bert")) !=
                        u"bert@example.org" ||
                    VUVUZU_GETVALUE(QStringLiteral("User"), QStringLiteral("anna")) != u"Name of anna")
                    ++wrong;
            }
        });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(wrong, 0);
}

} // namespace tarvo::access::test
