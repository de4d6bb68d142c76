#include "core/lists/FillProgramTree.h"

#include <gtest/gtest.h>

using namespace tarvo::core;

namespace {

// Two top-level programs in reverse file order; Beta is inactive, Alpha's sub-program has
// "inactive" in other letter case and a sub-program of its own.
const std::vector<ProgramRow> kPrograms{
    {1, 0, 2, "Alpha", ""},        {2, 0, 1, "Beta", "Inactive"}, {3, 1, 1, "Alpha.Sub", "inactive"},
    {4, 2, 1, "Beta.Sub", "Beta"}, {5, 3, 1, "Deep", ""},
};

struct Shown final {
    qint32 id;
    qint32 level;
    bool operator==(const Shown &) const = default;
};

std::vector<Shown> shown(const std::vector<ProgramTreeQueueEntry> &rows)
{
    std::vector<Shown> result;
    for (const auto &row : rows)
        result.push_back({row.id, row.level});
    return result;
}

struct SecPCase final {
    const char *secP;
    std::vector<Shown> expected;
};

class ProgramTreeSecP : public testing::TestWithParam<SecPCase> {};

TEST_P(ProgramTreeSecP, ShowsPermittedProgramsAtTheirLevels)
{
    EXPECT_EQ(shown(programTreeRows(kPrograms, GetParam().secP)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramTreeSecP,
                         testing::Values(SecPCase{"", {{0, 0}, {2, -1}, {4, 2}, {1, -1}, {3, -2}, {5, 3}}},
                                         SecPCase{"   ", {{0, 0}, {2, -1}, {4, 2}, {1, -1}, {3, -2}, {5, 3}}},
                                         // Hidden parents: their permitted sub-programs keep their depth.
                                         SecPCase{"|4|", {{0, 0}, {4, 2}}},
                                         SecPCase{"|4|5|", {{0, 0}, {4, 2}, {5, 3}}},
                                         SecPCase{"|1|", {{0, 0}, {1, -1}}}, SecPCase{"|14|", {{0, 0}}}));

TEST(FillProgramTree, RootRowAndInactiveColours)
{
    const auto rows = programTreeRows(kPrograms, {}, [](const QString &text) {
        return text == "Programs" ? QStringLiteral("Programme") : text;
    });
    ASSERT_EQ(rows.size(), 6u);
    const auto &root = rows[0];
    EXPECT_EQ(root.prgName, "Programme");
    EXPECT_EQ(root.icon, 1);
    EXPECT_EQ(root.status, "");
    for (qint32 colour : {root.col1NormalFg, root.col2NormalFg, root.col1SelectedBg, root.col2SelectedBg})
        EXPECT_EQ(colour, 0x808080);
    for (qint32 colour : {root.col1NormalBg, root.col2NormalBg, root.col1SelectedFg, root.col2SelectedFg})
        EXPECT_EQ(colour, -1);

    const auto &beta = rows[1];
    EXPECT_EQ(beta.prgName, "Beta");
    EXPECT_EQ(beta.status, "Inactive");
    EXPECT_EQ(beta.icon, 2);
    for (qint32 colour : {beta.col1NormalFg, beta.col2NormalFg, beta.col1SelectedBg, beta.col2SelectedBg})
        EXPECT_EQ(colour, 0xC08080);
    for (qint32 colour : {beta.col1NormalBg, beta.col2NormalBg, beta.col1SelectedFg, beta.col2SelectedFg})
        EXPECT_EQ(colour, -1);

    const auto &alphaSub = rows[4];
    EXPECT_EQ(alphaSub.prgName, "Alpha.Sub");
    EXPECT_EQ(alphaSub.col1NormalFg, -1);
    EXPECT_EQ(alphaSub.col2SelectedBg, -1);
}

TEST(FillProgramTree, ProgramThatIsItsOwnParentDoesNotLoop)
{
    const auto rows = programTreeRows({{0, 0, 1, "Zero", ""}, {6, 6, 1, "Six", ""}}, {});
    EXPECT_EQ(rows.size(), 2u);
}

TEST(FillProgramTree, ReplacesTheSharedList)
{
    ProgramTreeQueue queue;
    FillProgramTree(kPrograms, "|1|", {}, queue);
    FillProgramTree(kPrograms, "|2|", {}, queue);
    EXPECT_EQ(shown(queue.rows()), std::vector<Shown>({{0, 0}, {2, -1}}));
}

} // namespace
