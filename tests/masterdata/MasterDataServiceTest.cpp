#include "masterdata/MasterDataService.h"

#include "core/services/NotAvailable.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace tarvo::masterdata {
namespace {

TEST(MasterDataServiceTest, PathDialogIsRealAndTheOtherWindowsSayTheyAreNotAvailable)
{
    test::ScriptedMessages messages;
    std::vector<int> modes;
    MasterDataService service([&modes](int mode) { modes.push_back(mode); });
    service.paths(2);
    EXPECT_EQ(modes, std::vector<int>{2});
    EXPECT_TRUE(messages.texts().isEmpty());

    service.options();
    EXPECT_EQ(service.pickCustomer(1), 0);
    EXPECT_EQ(service.programSelect(1, QStringLiteral("Tarvo\u00b01")), QString());
    EXPECT_EQ(messages.texts(), QStringList(3, core::NotAvailable::text()));
}

} // namespace
} // namespace tarvo::masterdata
