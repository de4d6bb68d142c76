#include "access/PasswordChanger.h"

#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/PasswordHash.h"

namespace tarvo::access::test {

namespace {

class PasswordRules : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        addUser(QStringLiteral("anna"), QStringLiteral("start"));
    }

    // Changes anna's password from `from` to `to`, answering the second entry with `again`.
    PasswordChanger::Outcome change(const QString &from, const QString &to,
                                    std::optional<QString> again = std::nullopt)
    {
        PasswordChanger changer(QStringLiteral("anna"), false);
        const auto outcome = changer.change(from, to, [&] { return again.value_or(to); });
        m_focus = changer.focus();
        return outcome;
    }

    std::vector<PasswordRecord> history()
    {
        return AccessSession::repository()->passwordHistory(QStringLiteral("anna")).value();
    }

    bool passwordIs(const QString &password)
    {
        return PasswordHash::verify(storedUser(QStringLiteral("anna")).passwort, password);
    }

    PasswordChanger::Field m_focus = PasswordChanger::Field::None;
};

} // namespace

TEST_F(PasswordRules, RefusalsLeaveThePasswordAlone)
{
    setOptions([](OptionsRecord &o) { o.minPasswordLen = 4; });
    const struct {
        const char *name;
        QString from, to;
        std::optional<QString> again;
        QString message;
        PasswordChanger::Field focus;
    } cases[] = {
        {"wrong old",
         "nope",
         "newpass",
         {},
         "You have entered an invalid old Password!",
         PasswordChanger::Field::OldPassword},
        {"too short",
         "start",
         "abc",
         {},
         "The minimum Password-Length is 4 characters.",
         PasswordChanger::Field::NewPassword},
        {"second entry differs", "start", "newpass", QStringLiteral("other"), "Password not changed!",
         PasswordChanger::Field::NewPassword},
        {"second entry cancelled", "start", "newpass", QString(), "Password not changed!",
         PasswordChanger::Field::NewPassword},
    };
    for (const auto &c : cases) {
        m_messages.clear();
        EXPECT_EQ(change(c.from, c.to, c.again), PasswordChanger::Outcome::Refused) << c.name;
        EXPECT_EQ(m_messages.texts(), QStringList{c.message}) << c.name;
        EXPECT_EQ(m_focus, c.focus) << c.name;
        EXPECT_TRUE(passwordIs(QStringLiteral("start"))) << c.name;
    }
}

TEST_F(PasswordRules, HistoryRefusesUsedPasswordsAndKeepsItsSize)
{
    setOptions([](OptionsRecord &o) { o.noPassword = 3; });
    ASSERT_EQ(change(QStringLiteral("start"), QStringLiteral("one")), PasswordChanger::Outcome::Changed);
    ASSERT_EQ(change(QStringLiteral("one"), QStringLiteral("two")), PasswordChanger::Outcome::Changed);
    ASSERT_EQ(change(QStringLiteral("two"), QStringLiteral("three")), PasswordChanger::Outcome::Changed);
    EXPECT_EQ(history().size(), 3u);
    for (const auto &entry : history())
        EXPECT_TRUE(entry.password.startsWith(QStringLiteral("$argon2id$"))); // never the password itself

    m_messages.clear();
    EXPECT_EQ(change(QStringLiteral("three"), QStringLiteral("ONE")), PasswordChanger::Outcome::Refused);
    EXPECT_EQ(m_messages.texts(),
              QStringList{
                  QStringLiteral("Your desired Password was already used!|Please specify a new Password.")});
    EXPECT_EQ(change(QStringLiteral("three"), QStringLiteral("three")), PasswordChanger::Outcome::Refused);

    ASSERT_EQ(change(QStringLiteral("three"), QStringLiteral("four")), PasswordChanger::Outcome::Changed);
    EXPECT_EQ(history().size(), 3u);
    // "one" dropped out of the history, so it may be used again.
    EXPECT_EQ(change(QStringLiteral("four"), QStringLiteral("one")), PasswordChanger::Outcome::Changed);
    EXPECT_TRUE(passwordIs(QStringLiteral("one")));
}

TEST_F(PasswordRules, WithoutHistoryTheSamePasswordIsAccepted)
{
    EXPECT_EQ(change(QStringLiteral("start"), QStringLiteral("start")), PasswordChanger::Outcome::Changed);
    EXPECT_TRUE(history().empty());
}

TEST_F(PasswordRules, EmptyPasswordWritesNoHistory)
{
    setOptions([](OptionsRecord &o) {
        o.minPasswordLen = 0;
        o.noPassword = 3;
    });
    EXPECT_EQ(change(QStringLiteral("start"), QString()), PasswordChanger::Outcome::Changed);
    EXPECT_TRUE(history().empty());
    EXPECT_TRUE(passwordIs(QString()));
}

TEST_F(PasswordRules, PermissionIsNeeded)
{
    addUser(QStringLiteral("bert"), QStringLiteral("pw"), [](UserRecord &u) { u.passwortAendern = 0; });
    EXPECT_FALSE(PasswordChanger(QStringLiteral("bert"), false).mayChange());
    EXPECT_FALSE(PasswordChanger(QStringLiteral("nobody"), false).mayChange());
    EXPECT_EQ(m_messages.texts(),
              QStringList(2, QStringLiteral("Your are not allowed to change your password!")));
    EXPECT_TRUE(PasswordChanger(QStringLiteral("anna"), false).mayChange());
}

} // namespace tarvo::access::test
