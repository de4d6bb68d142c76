#include "core/lists/AllMAKUserNames.h"
#include "core/lists/FakeAccessServices.h"

#include <gtest/gtest.h>

using namespace tarvo::core;

namespace {

const QString kDegree = QString(QChar(0x00B0));

TEST(AllMAKUserNames, SplitsEntriesInOrder)
{
    const auto rows = parseAllMAKUserNames("Mr|JDO|Dr Miller" + kDegree + "Mrs|XYZ|Smith");
    const std::vector<UserQueueEntry> expected{{"JDO", "Dr Miller", "Mr"}, {"XYZ", "Smith", "Mrs"}};
    EXPECT_EQ(rows, expected);
}

TEST(AllMAKUserNames, EmptyTextGivesOneEmptyRow)
{
    EXPECT_EQ(parseAllMAKUserNames({}), std::vector<UserQueueEntry>{UserQueueEntry{}});
}

TEST(AllMAKUserNames, CutsFieldsToTheirWidths)
{
    const auto rows = parseAllMAKUserNames(QString(40, 'a') + "|ABCD|" + QString(80, 'n'));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].userAddress, QString(35, 'a'));
    EXPECT_EQ(rows[0].userMak, "ABC");
    EXPECT_EQ(rows[0].userName, QString(71, 'n'));
}

TEST(AllMAKUserNames, RefillsTheListFromTheAccessLibrary)
{
    tarvo::test::FakeAccessServices access;
    access.values["AllMAKUserNames"] = "Ms|ABC|Jones";
    UserQueue queue;
    queue.replace({{"OLD", "Old", "Mr"}, {"OLD", "Old", "Mr"}});
    AllMAKUserNames(access, queue);
    EXPECT_EQ(queue.rows(), std::vector<UserQueueEntry>({{"ABC", "Jones", "Ms"}}));
}

} // namespace
