#include "masterdata/ui/MasterDataService.h"

#include "core/services/AccessStandIn.h"
#include "core/services/Services.h"
#include "platform/runtime/IniFile.h"
#include "platform/runtime/ProgramFolder.h"
#include "support/ScriptedMessages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tarvo::masterdata {
namespace {

TEST(MasterDataServiceTest, PathDialogIsRealAndThePickersCancelWithoutData)
{
    test::ScriptedMessages messages;
    std::vector<int> modes;
    MasterDataService service([&modes](int mode) { modes.push_back(mode); });
    service.paths(2);
    EXPECT_EQ(modes, std::vector<int>{2});
    EXPECT_TRUE(messages.texts().isEmpty());

    // No context of that number runs: nothing is picked.
    EXPECT_EQ(service.pickCustomer(99), 0);
    // The picker is real: without data files it says so and cancels.
    EXPECT_EQ(service.programSelect(1, QStringLiteral("Tarvo\u00b01")), QString());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("The data files are not open.")});
}

// An access library that records what the administration asked of it.
class RecordingAccess final : public core::AccessStandIn {
  public:
    // The captions are in "Vuvuzu.ini" by the time the administration reads them.
    void administration() override
    {
        calls << QStringLiteral("administration");
        const IniFile ini(ProgramFolder::filePath(QStringLiteral("Vuvuzu.ini")));
        for (const char *key : {"Insert", "Change", "Delete"})
            if (ini.contains(QStringLiteral("Vuvuzu"), QString::fromLatin1(key)))
                calls << QString::fromLatin1(key);
    }
    QString getValue(const QString &key, const QString &) override
    {
        calls << key;
        return {};
    }
    QStringList calls;
};

TEST(MasterDataServiceTest, TheAccessAdministrationRunsAndTheUserListIsReadAfterIt)
{
    test::ScriptedMessages messages;
    test::TempDir home;
    home.useAsConfigHome();
    RecordingAccess access;
    core::Services::setAccess(&access);
    MasterDataService service(nullptr);
    service.accessAdministration(1);
    core::Services::setAccess(nullptr);
    EXPECT_EQ(access.calls, (QStringList{QStringLiteral("administration"), QStringLiteral("Insert"),
                                         QStringLiteral("Change"), QStringLiteral("Delete"),
                                         QStringLiteral("AllMAKUserNames")}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

} // namespace
} // namespace tarvo::masterdata
