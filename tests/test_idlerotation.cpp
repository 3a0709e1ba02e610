// When the view turns by itself: after the time-out, at 20 degrees a second, about 30 steps a
// second, until the next input.
#include "app/qoridlerotation.h"

#include <gtest/gtest.h>

TEST(IdleRotation, turnsTwentyDegreesASecondFromTheTimeoutInAboutThirtySteps) {
    QORIdleRotation idle;
    idle.Input(1000);
    EXPECT_EQ(idle.Tick(60990, 60000, false), 0.0f);
    EXPECT_NEAR(idle.Tick(61010, 60000, false), 0.2f, 1e-6f) << "from where the wait ended";
    int steps = 0;
    float total = 0;
    for (int64_t t = 61020; t <= 63010; t += 10) {
        const float d = idle.Tick(t, 60000, false);
        steps += d > 0;
        total += d;
    }
    EXPECT_NEAR(total, 40.0f, 0.7f) << "two seconds more, no time lost between steps";
    EXPECT_TRUE(steps >= 50 && steps <= 61) << steps;
    EXPECT_NEAR(idle.Tick(68000, 60000, false), 2.0f, 1e-6f) << "a stalled timer: 100 ms at most";
    EXPECT_EQ(idle.Tick(67000, 60000, false), 0.0f) << "a clock going back turns nothing";
    idle.Tick(70000, 60000, true); // a turn or a held button restarts the wait
    EXPECT_EQ(idle.Tick(129990, 60000, false), 0.0f);
    EXPECT_EQ(idle.Tick(140000, 0, false), 0.0f) << "never";
}
