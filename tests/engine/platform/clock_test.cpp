#include "platform/clock.h"

#include <gtest/gtest.h>

TEST(MonotonicClock, AdvancesAcrossASleepAndNeverGoesBack)
{
    const double start = platform::MonotonicSeconds();
    platform::SleepSeconds(0.02);
    const double afterSleep = platform::MonotonicSeconds();
    EXPECT_GE(afterSleep - start, 0.02);
    double previous = afterSleep;
    for (int i = 0; i < 1000; ++i)
    {
        const double now = platform::MonotonicSeconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
    platform::SleepSeconds(-1.0); // returns at once
}
