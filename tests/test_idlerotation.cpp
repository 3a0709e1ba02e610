// When the view turns by itself: after the time-out, at 20 degrees a second, about 30 steps a
// second, until the next input.
#include "app/qoridlerotation.h"

#include <gtest/gtest.h>

TEST(IdleRotation, waitsForTheTimeoutThenTurnsTwentyDegreesASecondFromWhereTheWaitEnded) {
    QORIdleRotation idle;
    idle.Input(1000);
    EXPECT_EQ(idle.Tick(1000 + 59990, 60000, false), 0.0f);
    EXPECT_FALSE(idle.Active());
    EXPECT_NEAR(idle.Tick(1000 + 60010, 60000, false), 0.2f, 1e-6f);
    EXPECT_TRUE(idle.Active());
    int steps = 0;
    float total = 0;
    for (int64_t t = 61010 + 10; t <= 63010; t += 10) {
        const float d = idle.Tick(t, 60000, false);
        steps += d > 0;
        total += d;
    }
    EXPECT_NEAR(total, 40.0f, 0.7f) << "two seconds more, no time lost between steps";
    EXPECT_GE(steps, 50);
    EXPECT_LE(steps, 61);
    EXPECT_NEAR(idle.Tick(68000, 60000, false), 2.0f, 1e-6f) << "a stalled timer: 100 ms at most";
    EXPECT_EQ(idle.Tick(67000, 60000, false), 0.0f) << "a clock going back turns nothing";
}

TEST(IdleRotation, inputOrABlockStopsItAndRestartsTheWaitAndZeroMeansNever) {
    QORIdleRotation idle;
    idle.Input(0);
    EXPECT_GT(idle.Tick(5100, 5000, false), 0.0f);
    idle.Input(5200);
    EXPECT_FALSE(idle.Active());
    EXPECT_EQ(idle.Tick(10190, 5000, false), 0.0f);
    EXPECT_GT(idle.Tick(10250, 5000, false), 0.0f);
    // A running turn or a held button.
    EXPECT_EQ(idle.Tick(10300, 5000, true), 0.0f);
    EXPECT_FALSE(idle.Active());
    EXPECT_EQ(idle.Tick(15000, 5000, false), 0.0f) << "the wait began again at the block";
    EXPECT_GT(idle.Tick(15400, 5000, false), 0.0f);
    for (int64_t t = 0; t <= 4 * 3600 * 1000; t += 60000)
        EXPECT_EQ(idle.Tick(t, 0, false), 0.0f);
}
