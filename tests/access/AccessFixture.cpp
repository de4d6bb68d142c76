#include "AccessFixture.h"

#include "access/AccessSession.h"
#include "access/DayClock.h"
#include "access/LoginService.h"
#include "access/PasswordHash.h"
#include "access/RightsCheck.h"
#include "access/Vuvuzu.h"
#include "platform/runtime/Clock.h"
#include "support/PostgresServer.h"

#include <QDir>

namespace tarvo::access::test {

void AccessFixture::SetUp()
{
    PasswordHash::useMinimumCostForTests();
    m_dir.useAsConfigHome();
    QDir().mkpath(dataFolder());
    AccessSession::reset();
    RightsCheck::reset();
    Clock::setSource({});
    AccessSession::setArguments(QStringList{QStringLiteral("tarvo")});
    setPFAD(dataFolder());
}

void AccessFixture::TearDown()
{
    RightsCheck::reset();
    AccessSession::reset();
    Clock::setSource({});
}

void AccessFixture::createStore()
{
    m_messages.answer(Button::Yes);
    LoginService service({});
    ASSERT_EQ(service.prepare(QStringLiteral("Tarvo.sec"), QStringLiteral("English"), QStringLiteral("4.1")),
              LoginService::Start::ShowWindow);
    m_messages.clear();
}

UserRecord AccessFixture::addUser(const QString &code, const QString &password,
                                  const std::function<void(UserRecord &)> &edit)
{
    UserRecord user;
    user.mak = code;
    user.name = QStringLiteral("Name of ") + code;
    user.passwort = *PasswordHash::hash(password);
    if (edit)
        edit(user);
    auto inserted = AccessSession::repository()->insertUser(user);
    EXPECT_TRUE(inserted.ok()) << qPrintable(inserted.ok() ? QString() : inserted.error().message);
    return user;
}

UserRecord AccessFixture::storedUser(const QString &code)
{
    auto user = AccessSession::repository()->user(code);
    EXPECT_TRUE(user.ok() && user->has_value());
    return user.ok() && user->has_value() ? **user : UserRecord();
}

void AccessFixture::setOptions(const std::function<void(OptionsRecord &)> &edit)
{
    auto repository = AccessSession::repository();
    OptionsRecord options = repository->options()->value_or(OptionsRecord());
    edit(options);
    ASSERT_TRUE(repository->saveOptions(options).ok());
    AccessSession::change([&](SessionState &s) { s.options = options; });
}

qint32 AccessFixture::dayOf(const QDate &date)
{
    return DayClock::dayNumber(date);
}
qint32 AccessFixture::today()
{
    return DayClock::today();
}

void Store::SetUp()
{
    AccessFixture::SetUp();
    if (GetParam() == data::StoreKind::Postgres) {
        auto &pg = tarvo::test::PostgresServer::instance();
        if (!pg.available())
            GTEST_SKIP() << pg.reason().toStdString();
        ASSERT_TRUE(pg.dropSchema(QStringLiteral("vuvuzu")));
        pg.writeDatabaseIni(dataFolder());
    }
    if (createsStore())
        createStore();
    m_repo = AccessSession::repository();
}

std::string storeName(const ::testing::TestParamInfo<data::StoreKind> &info)
{
    return info.param == data::StoreKind::Sqlite ? "SQLite" : "PostgreSQL";
}

} // namespace tarvo::access::test
