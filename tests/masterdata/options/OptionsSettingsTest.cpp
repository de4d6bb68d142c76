#include "masterdata/options/OptionsSettings.h"

#include "core/dictionary/TarvoStoreTest.h"
#include "core/startup/SettingsRecord.h"

#include <QDirIterator>
#include <QFile>

namespace tarvo::test {

using masterdata::OptionsSettings;

class OptionsSettingsTest : public TarvoStoreTest {
  protected:
    void SetUp() override
    {
        TarvoStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        data::Record stored = add("Parameter", {{"Language", "English"}, {"EMailServerPort", 25}});
        core::SettingsRecord::instance().set(stored);
    }
    void TearDown() override
    {
        core::SettingsRecord::instance().clear();
        TarvoStoreTest::TearDown();
    }

    OptionsSettings edited() { return OptionsSettings(core::SettingsRecord::instance().values(), secrets); }

    // Every byte of every file in the data folder.
    QByteArray dataFolderBytes()
    {
        QByteArray all;
        QDirIterator it(m_dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                all += file.readAll();
        }
        return all;
    }

    TempDir keyFolder;
    SecretStore secrets{keyFolder.file(QStringLiteral("secret.key"))};
};
TARVO_REAL_STORE_SUITE(OptionsSettingsTest);

TEST_P(OptionsSettingsTest, OtherWindowsSeeOnlyWhatOkStored)
{
    OptionsSettings options = edited();
    options.values().setLanguage("Deutsch");
    options.values().setEmailServerPort(65535);
    EXPECT_EQ(core::SettingsRecord::instance().values().language(), "English") << "an edit is not shared";

    ASSERT_TRUE(options.publish(session()));
    EXPECT_EQ(core::SettingsRecord::instance().values().language(), "Deutsch");
    ASSERT_EQ(count("Parameter"), 1);
    const data::Record stored = one("Parameter", {});
    EXPECT_EQ(stored.text("Language").trimmed(), "Deutsch");
    EXPECT_EQ(stored.integer("EMailServerPort"), 65535) << "every port up to 65535";
}

TEST_P(OptionsSettingsTest, SmtpPasswordIsSealedOrNotStoredAtAll)
{
    const QString plain = QStringLiteral("Sup3r-Secret-Pw");
    OptionsSettings options = edited();
    ASSERT_TRUE(options.setSmtpPassword(plain, true));
    ASSERT_TRUE(options.publish(session()));
    const QString stored = one("Parameter", {}).text("EMAILAUTHPASSWORD").trimmed();
    EXPECT_FALSE(stored.contains(plain));
    EXPECT_FALSE(dataFolderBytes().contains(plain.toUtf8()));
    EXPECT_FALSE(keyFolder.path().startsWith(m_dir.path()));
    auto opened = OptionsSettings::smtpPassword(core::SettingsRecord::instance().values(), secrets);
    ASSERT_TRUE(opened) << opened.error().message.toStdString();
    EXPECT_EQ(*opened, plain);

    ASSERT_TRUE(options.setSmtpPassword(plain, false));
    ASSERT_TRUE(options.publish(session()));
    EXPECT_TRUE(one("Parameter", {}).text("EMAILAUTHPASSWORD").trimmed().isEmpty());
    EXPECT_EQ(*OptionsSettings::smtpPassword(core::SettingsRecord::instance().values(), secrets), QString());
}

TEST_P(OptionsSettingsTest, SmtpNeedsServerAndPortBeforeWriting)
{
    struct Case {
        int type;
        const char *server;
        int port;
        OptionsSettings::Missing missing;
    };
    for (const Case &c : std::vector<Case>{{1, "", 0, OptionsSettings::Missing::Nothing},
                                           {2, "", 25, OptionsSettings::Missing::SmtpServer},
                                           {2, "mail", 0, OptionsSettings::Missing::SmtpPort},
                                           {2, "mail", 587, OptionsSettings::Missing::Nothing}}) {
        OptionsSettings options = edited();
        options.values().setEmailType(c.type);
        options.values().setEmailServer(c.server);
        options.values().setEmailServerPort(c.port);
        EXPECT_EQ(options.missing(), c.missing) << c.type << " " << c.server << " " << c.port;
    }
}

} // namespace tarvo::test
