#include "issues/ui/VoidFilters.h"

#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tarvo::issues::ui {

namespace {

struct VoidCase {
    const char *name;
    int rows;           // filters listed
    const char *button; // pressed
    int selected;       // row selected before (-1 none)
    const char *answer;
    int left;    // filters left in the list
    bool closed; // the window closed
};

class VoidFiltersCase : public ::testing::TestWithParam<VoidCase> {};

} // namespace

// Each button answers as the browse expects and leaves the list the browse keeps as voided.
TEST_P(VoidFiltersCase, AnswersAndShortensTheList)
{
    const VoidCase &c = GetParam();
    std::vector<ActiveFilter> filters;
    for (int i = 0; i < c.rows; ++i)
        filters.push_back({QStringLiteral("BUG:FIELD%1").arg(i), QStringLiteral("="), QStringLiteral("v")});
    VoidFilters window(filters);
    window.show();
    if (c.selected < 0)
        window.list()->setCurrentItem(nullptr);
    else
        window.list()->setCurrentItem(window.list()->topLevelItem(c.selected));
    window.findChild<QPushButton *>(QLatin1String(c.button))->click();
    EXPECT_EQ(window.answer(), QString::fromUtf8(c.answer));
    EXPECT_EQ(int(filters.size()), c.left);
    EXPECT_EQ(window.isVisible(), !c.closed);
    if (c.left == c.rows - 1) {
        for (const ActiveFilter &f : filters)
            EXPECT_NE(f.field, window.answer());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, VoidFiltersCase,
    ::testing::Values(VoidCase{"VoidOne", 3, "?Void", 1, "BUG:FIELD1", 2, true},
                      VoidCase{"VoidAll", 3, "?VoidAll", 0, "°VOID ALL°", 0, true},
                      VoidCase{"Close", 2, "?Close", 0, "", 2, true},
                      VoidCase{"VoidOnAnEmptyListStaysOpen", 0, "?Void", -1, "", 0, false},
                      VoidCase{"VoidAllOnAnEmptyList", 0, "?VoidAll", -1, "°VOID ALL°", 0, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace tarvo::issues::ui
