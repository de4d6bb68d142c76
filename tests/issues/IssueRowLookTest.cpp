#include "issues/IssueRowLook.h"

#include <gtest/gtest.h>

namespace tarvo::issues {

namespace {

struct ColourCase {
    int mode;
    bool workflow;
    const char *status;
    const char *priority;
    qint32 colour;
};

class IssueRowColour : public ::testing::TestWithParam<ColourCase> {};

// "Open" is red and open, "Closed" grey and greyed; "High" is blue, "Low" has no colour (0).
IssueRowLook look(int mode, bool workflow)
{
    IssueRowLook l;
    l.colorMode = mode;
    l.workflowOn = workflow;
    l.statuses = {{QStringLiteral("Open"), 0x0000FF, false, 1},
                  {QString(), 0, false, 0},
                  {QStringLiteral("Closed"), 0x808080, true, 9}};
    l.priorities = {{QStringLiteral("High"), 1, 0xFF0000}, {QStringLiteral("Low"), 3, 0}};
    return l;
}

TEST_P(IssueRowColour, FollowsTheColourMode)
{
    const ColourCase &c = GetParam();
    EXPECT_EQ(look(c.mode, c.workflow).colour(QLatin1String(c.status), QLatin1String(c.priority)), c.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, IssueRowColour,
    ::testing::Values(
        ColourCase{1, false, "Open", "High", 0x0000FF}, ColourCase{1, false, "Unknown", "High", -1},
        ColourCase{1, true, "Open", "High", -1}, ColourCase{1, false, "", "High", -1},
        ColourCase{2, false, "Open", "High", 0xFF0000}, ColourCase{2, false, "Open", "Urgent", -1},
        ColourCase{4, false, "Open", "High", 0xFF0000}, ColourCase{4, false, "Open", "Low", 0x0000FF},
        ColourCase{4, false, "Closed", "High", 0x808080}, ColourCase{4, true, "Closed", "High", 0xFF0000},
        ColourCase{3, false, "Open", "High", -1}, ColourCase{7, false, "Open", "High", -1}));

TEST(IssueRowIcons, CategoryAndPriorityIcons)
{
    const std::pair<int, int> categories[] = {{1, 4}, {2, 5}, {3, 6}, {4, 2}, {0, 0}, {5, 0}};
    for (const auto &[category, icon] : categories)
        EXPECT_EQ(IssueRowLook::categoryIcon(category), icon) << category;
    const std::pair<const char *, int> priorities[] = {{"HIGH", 3},   {"high ", 3}, {"Low", 7},    {"lOW", 7},
                                                       {"Medium", 0}, {"", 0},      {"Highest", 0}};
    for (const auto &[priority, icon] : priorities)
        EXPECT_EQ(IssueRowLook::priorityIcon(QLatin1String(priority)), icon) << priority;
}

} // namespace

} // namespace tarvo::issues
