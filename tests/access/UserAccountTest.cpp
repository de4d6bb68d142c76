#include "access/UserAccount.h"

#include "AccessFixture.h"
#include "access/AccessSession.h"
#include "access/PasswordHash.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace tarvo::access::test {

namespace {

// The user form's account over a store with the shipped catalogue and a user "anna" who holds
// the first two controls and has a password history.
class Account : public AccessFixture {
  protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        createStore();
        setOptions([](OptionsRecord &o) {
            o.noPassword = 3;
            o.minPasswordLen = 4;
        });
        addUser(QStringLiteral("anna"), QStringLiteral("annas"));
        m_repo = AccessSession::repository();
        auto resources = m_repo->resources();
        ASSERT_TRUE(resources.ok());
        ASSERT_GE(resources->size(), 3u);
        m_catalogue = *resources;
        ASSERT_TRUE(m_repo->grant(QStringLiteral("anna"), control(0)).ok());
        ASSERT_TRUE(m_repo->grant(QStringLiteral("anna"), control(1)).ok());
    }

    qint32 control(size_t i) const { return m_catalogue.at(i).resourceId; }
    std::set<qint32> grantsOf(const QString &code) const
    {
        auto grants = m_repo->grants(code);
        EXPECT_TRUE(grants.ok());
        return grants.ok() ? std::set<qint32>(grants->begin(), grants->end()) : std::set<qint32>();
    }
    size_t historyOf(const QString &code) const { return m_repo->passwordHistory(code)->size(); }
    bool exists(const QString &code) const { return m_repo->user(code)->has_value(); }

    // Makes the store refuse every new grant, as a failing disk or a lost server would.
    void refuseGrants()
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("saboteur"));
        db.setDatabaseName(dataFolder() + QStringLiteral("/Vuvuzu.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON ResUser "
                                          "BEGIN SELECT RAISE(ABORT, 'refused'); END")))
            << qPrintable(q.lastError().text());
        q.finish();
        db.close();
    }
    void TearDown() override
    {
        if (QSqlDatabase::contains(QStringLiteral("saboteur")))
            QSqlDatabase::removeDatabase(QStringLiteral("saboteur"));
        m_repo.reset();
        AccessFixture::TearDown();
    }

    std::shared_ptr<AccessRepository> m_repo;
    std::vector<ResourceRecord> m_catalogue;
};

} // namespace

TEST_F(Account, ANewUserIsSavedWithRightsLimitsAndAHashedPassword)
{
    UserAccount account = UserAccount::fresh();
    account.user.mak = QStringLiteral("hm");
    account.user.name = QStringLiteral("Müller");
    account.setNewPassword(QStringLiteral("geheim1"));
    account.setGranted(control(2), true);
    ASSERT_TRUE(account.addProgramLimit(QStringLiteral("Tarvo\u00B012")));
    EXPECT_FALSE(account.addProgramLimit(QStringLiteral("TARVO\u00B012")));

    ASSERT_TRUE(account.save(*m_repo, AccessSession::state().options).ok());

    const UserRecord stored = storedUser(QStringLiteral("hm"));
    EXPECT_NE(stored.passwort, QStringLiteral("geheim1"));
    EXPECT_TRUE(PasswordHash::verify(stored.passwort, QStringLiteral("geheim1")));
    EXPECT_EQ(grantsOf(QStringLiteral("hm")), std::set<qint32>{control(2)});
    EXPECT_EQ(*m_repo->programLimits(QStringLiteral("hm")),
              std::vector<QString>{QStringLiteral("Tarvo\u00B012")});
    EXPECT_EQ(historyOf(QStringLiteral("hm")), 1u);
    EXPECT_FALSE(account.changesPassword()) << "the typed password is not kept after the save";
}

TEST_F(Account, AFailedSaveWritesNothingAndLeavesNoHistoryUnderAnotherCode)
{
    refuseGrants();
    UserAccount fresh = UserAccount::fresh();
    fresh.user.mak = QStringLiteral("hm");
    fresh.setNewPassword(QStringLiteral("geheim1"));
    fresh.setGranted(control(2), true);
    fresh.addProgramLimit(QStringLiteral("Tarvo\u00B012"));
    EXPECT_FALSE(fresh.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_FALSE(exists(QStringLiteral("hm")));
    EXPECT_EQ(historyOf(QStringLiteral("hm")), 0u);
    EXPECT_TRUE(m_repo->programLimits(QStringLiteral("hm"))->empty());

    // A renamed user with a new password and a new right: the code, the history and the rights
    // all stay as they were.
    UserAccount anna = UserAccount::load(*m_repo, QStringLiteral("anna")).value();
    const size_t annasHistory = historyOf(QStringLiteral("anna"));
    anna.user.mak = QStringLiteral("anna2");
    anna.setNewPassword(QStringLiteral("neues1"));
    anna.setGranted(control(2), true);
    EXPECT_FALSE(anna.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_TRUE(exists(QStringLiteral("anna")));
    EXPECT_FALSE(exists(QStringLiteral("anna2")));
    EXPECT_EQ(historyOf(QStringLiteral("anna2")), 0u);
    EXPECT_EQ(historyOf(QStringLiteral("anna")), annasHistory);
    EXPECT_TRUE(PasswordHash::verify(storedUser(QStringLiteral("anna")).passwort, QStringLiteral("annas")));
    EXPECT_EQ(grantsOf(QStringLiteral("anna")), (std::set<qint32>{control(0), control(1)}));
}

TEST_F(Account, ARenameCarriesRightsAndHistoryToTheNewCode)
{
    UserAccount anna = UserAccount::load(*m_repo, QStringLiteral("anna")).value();
    anna.user.mak = QStringLiteral("ab");
    anna.setNewPassword(QStringLiteral("neues1"));
    anna.setGranted(control(0), false);
    ASSERT_TRUE(anna.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_FALSE(exists(QStringLiteral("anna")));
    EXPECT_EQ(grantsOf(QStringLiteral("ab")), std::set<qint32>{control(1)});
    EXPECT_EQ(historyOf(QStringLiteral("ab")), 1u);
    EXPECT_EQ(historyOf(QStringLiteral("anna")), 0u);
}

TEST_F(Account, PasswordRulesAndTakenCodesAreRefusedBeforeAnythingIsWritten)
{
    const OptionsRecord options = AccessSession::state().options;
    UserAccount anna = UserAccount::load(*m_repo, QStringLiteral("anna")).value();
    anna.setNewPassword(QStringLiteral("erst1"));
    ASSERT_TRUE(anna.save(*m_repo, options).ok());
    anna.setNewPassword(QStringLiteral("ERST1"));
    auto reused = anna.save(*m_repo, options);
    ASSERT_FALSE(reused.ok());
    EXPECT_EQ(reused.error().code, UserAccount::PasswordUsed);
    anna.setNewPassword(QStringLiteral("abc"));
    auto shortOne = anna.save(*m_repo, options);
    ASSERT_FALSE(shortOne.ok());
    EXPECT_EQ(shortOne.error().code, UserAccount::PasswordTooShort);
    EXPECT_TRUE(PasswordHash::verify(storedUser(QStringLiteral("anna")).passwort, QStringLiteral("erst1")));

    UserAccount twin = UserAccount::fresh();
    for (const QString &taken : {QStringLiteral("ANNA"), options.masterMak}) {
        twin.user.mak = taken;
        auto refused = twin.save(*m_repo, options);
        ASSERT_FALSE(refused.ok()) << qPrintable(taken);
        EXPECT_EQ(refused.error().code, UserAccount::CodeTaken);
    }
}

class BadCode : public Account, public ::testing::WithParamInterface<const char *> {};

TEST_P(BadCode, IsRefusedAndNothingIsStored)
{
    const size_t before = m_repo->users()->size();
    UserAccount account = UserAccount::fresh();
    account.user.mak = QString::fromUtf8(GetParam());
    account.setGranted(control(0), true);
    auto saved = account.save(*m_repo, AccessSession::state().options);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().code, UserAccount::BadCode);
    EXPECT_EQ(m_repo->users()->size(), before);

    // Renaming a stored user to it is refused as well.
    UserAccount anna = UserAccount::load(*m_repo, QStringLiteral("anna")).value();
    anna.user.mak = QString::fromUtf8(GetParam());
    EXPECT_FALSE(anna.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_TRUE(exists(QStringLiteral("anna")));
}

INSTANTIATE_TEST_SUITE_P(Codes, BadCode,
                         ::testing::Values("a/b", "a\\b", "..", "x..y", "../etc", "a:b", "a*b", "a?b", "a|b",
                                           "a<b", "tab\tcode", "", "   "));

TEST_F(Account, CopyingRightsTakesTheOtherUsersAndTheOwnCodeChangesNothing)
{
    addUser(QStringLiteral("bert"), QStringLiteral("berts"));
    ASSERT_TRUE(m_repo->grant(QStringLiteral("bert"), control(2)).ok());
    addUser(QStringLiteral("carl"), QStringLiteral("carls"));

    UserAccount anna = UserAccount::load(*m_repo, QStringLiteral("anna")).value();
    const std::set<qint32> own{control(0), control(1)};
    for (const QString &self : {QStringLiteral("anna"), QStringLiteral("ANNA "), QString()}) {
        ASSERT_TRUE(anna.copyRightsFrom(*m_repo, self).ok());
        EXPECT_EQ(anna.grants(), own) << qPrintable(self);
    }
    ASSERT_TRUE(anna.copyRightsFrom(*m_repo, QStringLiteral("bert")).ok());
    EXPECT_EQ(anna.grants(), std::set<qint32>{control(2)});
    EXPECT_EQ(grantsOf(QStringLiteral("anna")), own) << "nothing is written before the save";
    ASSERT_TRUE(anna.copyRightsFrom(*m_repo, QStringLiteral("carl")).ok());
    EXPECT_TRUE(anna.grants().empty());
    ASSERT_TRUE(anna.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_TRUE(grantsOf(QStringLiteral("anna")).empty());
}

TEST_F(Account, GrantAllLeavesOneRowPerControl)
{
    UserAccount anna = UserAccount::load(*m_repo, QStringLiteral("anna")).value();
    anna.grantAll(m_catalogue);
    ASSERT_TRUE(anna.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_EQ(m_repo->grants(QStringLiteral("anna"))->size(), m_catalogue.size());
    anna.denyAll();
    ASSERT_TRUE(anna.save(*m_repo, AccessSession::state().options).ok());
    EXPECT_TRUE(grantsOf(QStringLiteral("anna")).empty());
}

} // namespace tarvo::access::test
