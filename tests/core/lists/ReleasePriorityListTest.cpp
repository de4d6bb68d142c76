#include "core/lists/FillPriorityList.h"
#include "core/lists/FillReleaseList.h"

#include <gtest/gtest.h>

using namespace tarvo::core;

namespace {

class TableReleases final : public ReleaseSource {
  public:
    std::vector<ReleaseRow> rows;
    std::optional<tarvo::Error> errorAfter; // fails after the rows given

    RowsRead<ReleaseRow> releasesOf(qint32) override { return {rows, errorAfter}; }
};

class TablePriorities final : public PrioritySource {
  public:
    std::vector<PriorityRow> rows;
    std::optional<tarvo::Error> errorAfter;

    RowsRead<PriorityRow> priorities() override { return {rows, errorAfter}; }
};

TEST(FillReleaseList, HighestReleaseTextFirstOnlyOfTheProgram)
{
    TableReleases source;
    source.rows = {{7, "1.0", 100}, {8, "9.9", 1}, {7, "2.1", 300}, {7, "1.10", 200}};
    ReleaseQueue queue{{"stale", 5}};
    ASSERT_TRUE(FillReleaseList(queue, 7, source).ok());
    const ReleaseQueue expected{{"2.1", 300}, {"1.10", 200}, {"1.0", 100}};
    EXPECT_EQ(queue, expected);
}

TEST(FillReleaseList, ProgramWithoutReleasesEmptiesTheList)
{
    TableReleases source;
    ReleaseQueue queue{{"stale", 5}};
    ASSERT_TRUE(FillReleaseList(queue, 7, source).ok());
    EXPECT_TRUE(queue.empty());
}

TEST(FillReleaseList, ReadErrorKeepsWhatWasReadAndIsReported)
{
    TableReleases source;
    source.rows = {{7, "3.0", 1}};
    source.errorAfter = tarvo::Error{33, "Record not available"};
    ReleaseQueue queue;
    const auto result = FillReleaseList(queue, 7, source);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().code, 33);
    EXPECT_EQ(queue, ReleaseQueue({{"3.0", 1}}));
}

TEST(FillPriorityList, AscendingSortNumberWithColours)
{
    TablePriorities source;
    source.rows = {{"High", 3, 0xFF}, {"Low", 1, 0xFF00}, {"Normal", 2, -1}};
    PriorityQueue queue;
    ASSERT_TRUE(FillPriorityList(source, queue).ok());
    const std::vector<PriorityQueueEntry> expected{{"Low", 1, 0xFF00}, {"Normal", 2, -1}, {"High", 3, 0xFF}};
    EXPECT_EQ(queue.rows(), expected);

    source.rows = {{"Only", 1, 0}};
    ASSERT_TRUE(FillPriorityList(source, queue).ok());
    EXPECT_EQ(queue.size(), 1u);
}

} // namespace
