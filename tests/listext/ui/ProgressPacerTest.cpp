#include "listext/ui/ProgressPacer.h"

#include <gtest/gtest.h>

using tarvo::listext::ui::ProgressPacer;

namespace {

// A long read refreshes its progress window once per percent, not once per record.
TEST(ProgressPacer, RefreshesOncePerPercentOnAFastRead)
{
    ProgressPacer pacer(1000000);
    int refreshes = 0;
    for (qint64 n = 1; n <= 1000000; ++n)
        refreshes += pacer.due(n) ? 1 : 0;
    EXPECT_GE(refreshes, 100);
    EXPECT_LT(refreshes, 200); // a slow machine adds a refresh per tenth of a second
    EXPECT_EQ(pacer.percent(1000000), 100);
    EXPECT_EQ(pacer.percent(2000000), 100);
    EXPECT_EQ(ProgressPacer(0).percent(5), 100);
}

} // namespace
