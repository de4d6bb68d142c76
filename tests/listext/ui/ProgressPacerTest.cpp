#include "listext/ui/ProgressPacer.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

using tarvo::listext::ui::ProgressPacer;

namespace {

// A fast read refreshes its progress window about ten times a second, not per record or percent;
// a pause of more than a tenth of a second shows at once.
TEST(ProgressPacer, RefreshesAboutTenTimesASecond)
{
    ProgressPacer pacer(1000000);
    QElapsedTimer clock;
    clock.start();
    int refreshes = 0;
    for (qint64 n = 1; n <= 1000000; ++n)
        refreshes += pacer.due() ? 1 : 0;
    EXPECT_GE(refreshes, 1);
    EXPECT_LE(refreshes, 2 + clock.elapsed() / 100);
    QThread::msleep(120);
    EXPECT_TRUE(pacer.due());
    EXPECT_FALSE(pacer.due());

    EXPECT_EQ(pacer.percent(500000), 50);
    EXPECT_EQ(pacer.percent(1000000), 100);
    EXPECT_EQ(pacer.percent(2000000), 100);
    EXPECT_EQ(ProgressPacer(0).percent(5), 100);
}

} // namespace
