#include "core/startup/StoreSettingsFile.h"

#include "core/dictionary/TarvoDictionary.h"
#include "core/stamp/InsertDateTimeStamp.h"
#include "core/startup/SettingsRecord.h"
#include "core/startup/ThreadHooks.h"
#include "platform/data/Dictionary.h"
#include "platform/runtime/Context.h"
#include "platform/runtime/ErrorClass.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

// The settings file in a real store of a temporary data folder.
class StoreSettingsFileTest : public ::testing::Test {
  protected:
    void TearDown() override { SettingsRecord::instance().clear(); }

    std::unique_ptr<data::Dictionary> dictionary()
    {
        auto d = data::Dictionary::open(tarvoDictionary(), m_dir.path());
        EXPECT_TRUE(d);
        return std::move(d).value();
    }

    tarvo::test::TempDir m_dir;
};

TEST_F(StoreSettingsFileTest, NewDataFolderGetsTheDefaultRecordAndReadsItBack)
{
    {
        auto d = dictionary();
        StoreSettingsFile settings(*d, 1);
        auto opened = settings.open();
        ASSERT_FALSE(opened);
        EXPECT_EQ(opened.error().code, 2);
        ASSERT_TRUE(settings.create());
        ASSERT_TRUE(settings.open());
        ASSERT_TRUE(settings.addDefaults());
        ASSERT_TRUE(settings.close());
    }
    SettingsRecord::instance().clear();
    auto d = dictionary();
    StoreSettingsFile settings(*d, 1);
    ASSERT_TRUE(settings.open());
    auto read = settings.readFirst();
    ASSERT_TRUE(read);
    EXPECT_TRUE(*read);
    const SettingsRecord &r = SettingsRecord::instance();
    EXPECT_EQ(r.text(QStringLiteral("Language")), QStringLiteral("English"));
    EXPECT_EQ(r.text(QStringLiteral("Currency")), QStringLiteral("USD"));
    EXPECT_EQ(r.text(QStringLiteral("LOCATION")), QStringLiteral("United States"));
    EXPECT_EQ(r.integer(QStringLiteral("EMailServerPort")), 25);
    EXPECT_EQ(r.integer(QStringLiteral("EMailType")), 1);
    EXPECT_EQ(r.integer(QStringLiteral("ENABLEEMAIL")), 1);
    EXPECT_EQ(r.integer(QStringLiteral("ASKEMAIL")), 1);
    EXPECT_EQ(r.integer(QStringLiteral("OVERRIDEINSERT")), 1);
    EXPECT_EQ(r.text(QStringLiteral("PAR:INSERTTEXT")), QStringLiteral("&Add"));
    EXPECT_EQ(r.integer(QStringLiteral("COLOR")), 0x00A00000);
    EXPECT_EQ(r.text(QStringLiteral("DateTimeStamp")),
              QString::fromUtf8("^Date^   \u00b7   ^Time^   \u00b7   ^Initials^: ^C^"));
    // The stamp button works on a new folder: the default template has its cursor mark.
    const auto stamped =
        InsertDateTimeStamp(QStringLiteral("text"), 0,
                            {r.text(QStringLiteral("DateTimeStamp")),
                             int(r.integer(QStringLiteral("DateTimeStampInsPos"))), false},
                            {QStringLiteral("01.02.2005"), QStringLiteral("10:00"), QStringLiteral("JDO")});
    ASSERT_TRUE(stamped);
    EXPECT_TRUE(stamped->text.contains(QStringLiteral("JDO: "))) << stamped->text.toStdString();
    EXPECT_EQ(r.text(QStringLiteral("Charset")), QString());
}

TEST_F(StoreSettingsFileTest, DamagedStoreIsNamedByItsFileOnDisk)
{
    QFile damaged(m_dir.file(QStringLiteral("Tarvo.db")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    auto d = dictionary();
    StoreSettingsFile settings(*d, 1);
    auto opened = settings.open();
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().code, 36);
    EXPECT_EQ(settings.name(), m_dir.file(QStringLiteral("Tarvo.db")) + QStringLiteral(" (table Parameter)"));
}

TEST_F(StoreSettingsFileTest, GermanSwitchChangesAnExistingRecordAndCreatesNothingElsewhere)
{
    const Result<void> noStore = StoreSettingsFile::switchToGerman(m_dir.path());
    ASSERT_FALSE(noStore);
    EXPECT_TRUE(noStore.error().message.contains(QStringLiteral("holds no data files yet")))
        << noStore.error().message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(m_dir.file(QStringLiteral("Tarvo.db"))));

    {
        auto d = dictionary();
        StoreSettingsFile settings(*d, 1);
        ASSERT_TRUE(settings.create());
        ASSERT_TRUE(settings.open());
        // A store without a settings record stays without one.
        const Result<void> noRecord = StoreSettingsFile::switchToGerman(m_dir.path());
        ASSERT_FALSE(noRecord);
        EXPECT_TRUE(noRecord.error().message.contains(QStringLiteral("hold no settings yet")));
        auto none = settings.readFirst();
        ASSERT_TRUE(none);
        EXPECT_FALSE(*none);
        ASSERT_TRUE(settings.addDefaults());
        ASSERT_TRUE(settings.close());
    }
    ASSERT_TRUE(StoreSettingsFile::switchToGerman(m_dir.path()));
    auto d = dictionary();
    StoreSettingsFile settings(*d, 1);
    ASSERT_TRUE(settings.open());
    ASSERT_TRUE(settings.readFirst());
    const SettingsRecord &r = SettingsRecord::instance();
    EXPECT_EQ(r.text(QStringLiteral("LOCATION")), QStringLiteral("Germany"));
    EXPECT_EQ(r.text(QStringLiteral("Language")), QStringLiteral("Deutsch"));
    EXPECT_EQ(r.text(QStringLiteral("Currency")), QStringLiteral("EUR"));
    EXPECT_EQ(r.integer(QStringLiteral("OVERRIDEINSERT")), 0);
    EXPECT_EQ(r.text(QStringLiteral("INSERTTEXT")), QString());
    EXPECT_EQ(r.integer(QStringLiteral("EMailServerPort")), 25); // the rest stays
}

TEST_F(StoreSettingsFileTest, DamagedStoreIsReportedAsNotOpenedAndLeftAlone)
{
    QFile garbage(m_dir.file(QStringLiteral("Tarvo.db")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, 'z'));
    garbage.close();
    auto d = dictionary();
    StoreSettingsFile settings(*d, 1);
    auto opened = settings.open();
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error().code, 2); // so the start-up never makes it anew
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    EXPECT_EQ(garbage.readAll(), QByteArray(8192, 'z'));
}

TEST(ThreadHooksTest, FirstContextIsEnglishAndLaterOnesFollowTheSettings)
{
    auto titleOf = [](Context &c) { return c.findAttachment<ErrorClass>()->messageTitle(26); };
    Context first(1);
    first.setThreadRequest(Request::Change);
    ThreadHooks::threadStart(first);
    ASSERT_NE(first.findAttachment<ErrorClass>(), nullptr);
    EXPECT_EQ(titleOf(first), QStringLiteral("File Access Error"));
    EXPECT_EQ(first.threadRequest(), Request::None);

    data::Record german(data::RecordLayout::make(parameterFile()));
    german.setValue(QStringLiteral("Language"), QStringLiteral("Deutsch"));
    SettingsRecord::instance().set(german);
    Context later(2);
    ThreadHooks::threadStart(later);
    EXPECT_EQ(titleOf(later), QString::fromUtf8("Datei Zugriffsfehler"));
    EXPECT_EQ(titleOf(first), QStringLiteral("File Access Error"));
    SettingsRecord::instance().clear();

    ThreadHooks::threadEnd(later);
    EXPECT_EQ(later.findAttachment<ErrorClass>(), nullptr);
    ThreadHooks::threadEnd(first);
}

} // namespace
} // namespace tarvo::core
