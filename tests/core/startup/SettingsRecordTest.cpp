#include "core/startup/SettingsRecord.h"

#include "core/dictionary/TarvoDictionary.h"
#include "platform/data/RecordLayout.h"

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

SettingsValues settingsWithLanguage(const QString &language)
{
    SettingsValues values(data::Record(data::RecordLayout::make(parameterFile())));
    values.setLanguage(language);
    return values;
}

class SettingsRecordPublish : public testing::Test {
  protected:
    void SetUp() override { SettingsRecord::instance().set(settingsWithLanguage("English").record()); }
    void TearDown() override { SettingsRecord::instance().clear(); }
};

TEST_F(SettingsRecordPublish, ValuesThatWereNotWrittenAreNeverShared)
{
    SettingsRecord &shared = SettingsRecord::instance();
    const auto refused = shared.publish(settingsWithLanguage("Deutsch").record(), [&](const data::Record &) {
        return Result<void>(makeError(90, QStringLiteral("disk full")));
    });
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, QStringLiteral("disk full"));
    EXPECT_EQ(shared.values().language(), QStringLiteral("English"));

    QString written;
    ASSERT_TRUE(shared.publish(settingsWithLanguage("Deutsch").record(), [&](const data::Record &record) {
        written = SettingsValues(record).language();
        return Result<void>();
    }));
    EXPECT_EQ(written, QStringLiteral("Deutsch"));
    EXPECT_EQ(shared.values().language(), QStringLiteral("Deutsch"));
}

} // namespace
} // namespace tarvo::core
