#include "ProgramProcess.h"
#include "access/DataLayerAccessRepository.h"
#include "access/DayClock.h"
#include "access/PasswordHash.h"

#include <QFileInfo>
#include <QSysInfo>

namespace tarvo {
namespace {

using access::DataLayerAccessRepository;

// A data folder stored by "/Path" whose access store was made through the library: user "anna"
// with a password, and logins audited.
class LoginProcess : public test::ProgramProcess {
  protected:
    void SetUp() override
    {
        m_data = folder(QStringLiteral("data"));
        ASSERT_EQ(tarvo({QStringLiteral("/Path"), m_data}).exitCode, 0);
    }

    void makeStore()
    {
        access::PasswordHash::useMinimumCostForTests();
        m_store = std::make_unique<DataLayerAccessRepository>(m_data + QStringLiteral("/Vuvuzu.db"));
        ASSERT_TRUE(m_store->create().ok());
        access::OptionsRecord options;
        options.id = 1;
        options.auditLogin = 1;
        options.masterPassword = *access::PasswordHash::hash(QStringLiteral("Master1"));
        ASSERT_TRUE(m_store->saveOptions(options).ok());
        access::UserRecord anna;
        anna.mak = QStringLiteral("anna");
        anna.passwort = *access::PasswordHash::hash(QStringLiteral("Secret1"));
        ASSERT_TRUE(m_store->insertUser(anna).ok());
    }

    std::vector<access::LoginRecord> logins() const
    {
        auto rows = m_store->logins();
        EXPECT_TRUE(rows.ok());
        return rows ? *rows : std::vector<access::LoginRecord>();
    }

    int failedLogins() const
    {
        auto user = m_store->user(QStringLiteral("anna"));
        EXPECT_TRUE(user.ok() && user->has_value());
        return user.ok() && user->has_value() ? (*user)->fehlversuche : -1;
    }

    static QStringList autoLogin(const QString &password)
    {
        return {QStringLiteral("/User"), QStringLiteral("anna"), QStringLiteral("/Password"), password,
                QStringLiteral("/AutoLogin")};
    }

    QString userFolder() const { return m_home.file(QStringLiteral("Tarvo/anna")); }

    QString m_data;
    std::unique_ptr<DataLayerAccessRepository> m_store;
};

TEST_F(LoginProcess, AutoLoginLogsInWithoutAClickAndTheSessionEndClosesTheFrame)
{
    makeStore();
    const auto process = startTarvo(autoLogin(QStringLiteral("Secret1")));
    QString errors;
    ASSERT_TRUE(waitUntil(*process, errors, [&] { return !logins().empty(); })) << errors.toStdString();

    const std::vector<access::LoginRecord> rows = logins();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().mak, QStringLiteral("anna"));
    EXPECT_EQ(rows.front().date, access::DayClock::today());
    EXPECT_GT(rows.front().time, 0);
    EXPECT_EQ(rows.front().computer, QSysInfo::machineHostName().left(35));
    EXPECT_EQ(failedLogins(), 0);

    // SIGTERM, as at the end of the desktop session, closes the frame: the program writes the
    // user's toolbars as it closes and ends normally.
    ASSERT_TRUE(waitUntil(*process, errors, [&] { return QFileInfo::exists(userFolder()); }));
    const test::ProcessRun run = terminate(*process, errors);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(QFileInfo::exists(userFolder() + QStringLiteral("/User.ini"))) << run.errors.toStdString();
    EXPECT_EQ(logins().size(), 1u);
}

TEST_F(LoginProcess, AWrongPasswordIsRefusedAndCountedAcrossRestarts)
{
    makeStore();
    const QString refusal = QStringLiteral("Invalid Password for User anna.");
    for (int run = 1; run <= 2; ++run) {
        const auto process = startTarvo(autoLogin(QStringLiteral("secret1")));
        QString errors;
        // Refused, the login window shows itself and waits for somebody, so the test ends it.
        ASSERT_TRUE(waitUntil(*process, errors, [&] { return errors.contains(refusal); }))
            << "run " << run << ": " << errors.toStdString();
        const test::ProcessRun ended = terminate(*process, errors);
        ASSERT_TRUE(ended.finished);
        EXPECT_EQ(ended.errors.count(refusal), 1) << ended.errors.toStdString();
        EXPECT_EQ(failedLogins(), run);
        EXPECT_TRUE(logins().empty());
        EXPECT_FALSE(QFileInfo::exists(userFolder()));
    }
}

TEST_F(LoginProcess, ANewDataFolderAsksForTheStoreAndWithoutAnAnswerCreatesNone)
{
    // Without a display the question gets its default answer, No: nobody logs in.
    const test::ProcessRun run =
        tarvo({QStringLiteral("/User"), QStringLiteral("wkz"), QStringLiteral("/Password"),
               QStringLiteral("tramb"), QStringLiteral("/AutoLogin")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("The Security file \"") + m_data +
                                    QStringLiteral("/Vuvuzu.db\" could not be found!")))
        << run.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(m_data + QStringLiteral("/Vuvuzu.db")));
}

} // namespace
} // namespace tarvo
