#include "masterdata/ui/MasterDataService.h"

#include "core/services/AccessStandIn.h"
#include "core/services/NotAvailable.h"
#include "core/services/Services.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace tarvo::masterdata {
namespace {

TEST(MasterDataServiceTest, PathDialogIsRealAndTheWindowsNotBuiltYetSayTheyAreNotAvailable)
{
    test::ScriptedMessages messages;
    std::vector<int> modes;
    MasterDataService service([&modes](int mode) { modes.push_back(mode); });
    service.paths(2);
    EXPECT_EQ(modes, std::vector<int>{2});
    EXPECT_TRUE(messages.texts().isEmpty());

    EXPECT_EQ(service.pickCustomer(1), 0);
    EXPECT_EQ(service.programSelect(1, QStringLiteral("Tarvo\u00b01")), QString());
    EXPECT_EQ(messages.texts(), QStringList(2, core::NotAvailable::text()));
}

// An access library that records what the administration asked of it.
class RecordingAccess final : public core::AccessStandIn {
  public:
    void administration() override { calls << QStringLiteral("administration"); }
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
    RecordingAccess access;
    core::Services::setAccess(&access);
    MasterDataService service(nullptr);
    service.accessAdministration(1);
    core::Services::setAccess(nullptr);
    EXPECT_EQ(access.calls,
              (QStringList{QStringLiteral("administration"), QStringLiteral("AllMAKUserNames")}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

} // namespace
} // namespace tarvo::masterdata
