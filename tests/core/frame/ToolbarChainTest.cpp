#include "core/frame/ToolbarChain.h"

#include "core/frame/ToolbarSwitches.h"

#include <gtest/gtest.h>

namespace tarvo::core {
namespace {

struct ChainCase {
    const char *toolbars;
    const char *started; // initials of the toolbars started, in order
    bool finishes;
};

// Plays the chain as the toolbars do: each started one notifies with its code when it opens.
QString play(const ToolbarSwitches &on, bool &finished)
{
    QString started;
    finished = false;
    ToolbarChain::Step step = ToolbarChain::begin(on);
    for (int guard = 0; guard < 20; ++guard) {
        int next = step.notifySelf;
        if (step.start) {
            started += toolbarDescription(*step.start).name.at(0);
            next = toolbarDescription(*step.start).notifyCode;
        }
        if (step.finished) {
            finished = true;
            break;
        }
        if (next == 0)
            break;
        step = ToolbarChain::take(next, on);
    }
    return started;
}

class ToolbarChainOrder : public testing::TestWithParam<ChainCase> {};

TEST_P(ToolbarChainOrder, StartsSwitchedOnToolbarsInOrderAndEnds)
{
    const ChainCase c = GetParam();
    bool finished = false;
    EXPECT_EQ(play(parseToolbarSwitches(QString::fromLatin1(c.toolbars)), finished),
              QString::fromLatin1(c.started));
    EXPECT_EQ(finished, c.finishes);
}

INSTANTIATE_TEST_SUITE_P(Switches, ToolbarChainOrder,
                         testing::Values(ChainCase{"11111", "SNUOH", true}, ChainCase{"01111", "NUOH", true},
                                         ChainCase{"11100", "SNU", true}, ChainCase{"10101", "SUH", true},
                                         ChainCase{"A1111", "NUOH", true}, ChainCase{"00000", "", true},
                                         ChainCase{"", "", true}, ChainCase{"12111", "SUOH", true}));

TEST(ToolbarSwitches, FormatsWhatItReadsAndIgnoresUnknownCodes)
{
    EXPECT_EQ(formatToolbarSwitches(parseToolbarSwitches(QStringLiteral("10110"))), QStringLiteral("10110"));
    EXPECT_EQ(formatToolbarSwitches(parseToolbarSwitches(QStringLiteral("1"))), QStringLiteral("10000"));
    EXPECT_EQ(ToolbarChain::take(7, parseToolbarSwitches(QStringLiteral("11111"))), ToolbarChain::Step{});
}

} // namespace
} // namespace tarvo::core
