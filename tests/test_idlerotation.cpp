#include "render/qorcamera.h"
#include "render/qoridlerotation.h"
#include "render/qorlight.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(IdleRotation, waitsForTheTimeoutThenTurnsAtTwentyDegreesASecond) {
    QORIdleRotation idle;
    idle.Input(1000);
    EXPECT_EQ(idle.Tick(1000 + 59990, 60000, false), 0.0f);
    EXPECT_FALSE(idle.Active());
    // Starts where the wait ended, not where the timer happened to fire.
    EXPECT_NEAR(idle.Tick(1000 + 60010, 60000, false), 0.2f, 1e-6f);
    EXPECT_TRUE(idle.Active());
    EXPECT_NEAR(idle.Tick(1000 + 60060, 60000, false), 1.0f, 1e-6f);
    float total = 0;
    for (int64_t t = 61060 + 10; t <= 62060; t += 10)
        total += idle.Tick(t, 60000, false);
    EXPECT_NEAR(total, 20.0f, 1e-3f) << "one second more";
}

TEST(IdleRotation, stepsComeAboutThirtyTimesASecondWhateverTheTimerRate) {
    QORIdleRotation idle;
    idle.Input(0);
    int steps = 0;
    float total = 0;
    for (int64_t t = 5000; t <= 7000; t += 10) {
        const float d = idle.Tick(t, 5000, false);
        steps += d > 0;
        total += d;
    }
    EXPECT_GE(steps, 50);
    EXPECT_LE(steps, 61);
    EXPECT_NEAR(total, 40.0f, 0.7f) << "no time is lost between steps";
}

TEST(IdleRotation, inputStopsItAndRestartsTheWait) {
    QORIdleRotation idle;
    idle.Input(0);
    EXPECT_GT(idle.Tick(5100, 5000, false), 0.0f);
    idle.Input(5200);
    EXPECT_FALSE(idle.Active());
    EXPECT_EQ(idle.Tick(5210, 5000, false), 0.0f);
    EXPECT_EQ(idle.Tick(10190, 5000, false), 0.0f);
    EXPECT_GT(idle.Tick(10250, 5000, false), 0.0f);
}

TEST(IdleRotation, neverStartsWithTimeoutZero) {
    QORIdleRotation idle;
    idle.Input(0);
    for (int64_t t = 0; t <= 4 * 3600 * 1000; t += 60000)
        EXPECT_EQ(idle.Tick(t, 0, false), 0.0f);
    EXPECT_FALSE(idle.Active());
}

TEST(IdleRotation, aRunningTurnOrHeldButtonBlocksAndRestartsTheWait) {
    QORIdleRotation idle;
    idle.Input(0);
    EXPECT_EQ(idle.Tick(6000, 5000, true), 0.0f);
    EXPECT_EQ(idle.Tick(10000, 5000, false), 0.0f) << "the wait began again at the block";
    EXPECT_GT(idle.Tick(11100, 5000, false), 0.0f);
    EXPECT_EQ(idle.Tick(11200, 5000, true), 0.0f);
    EXPECT_FALSE(idle.Active());
}

TEST(IdleRotation, aStalledTimerMakesNoJump) {
    QORIdleRotation idle;
    idle.Input(0);
    idle.Tick(5000, 5000, false);
    EXPECT_NEAR(idle.Tick(9000, 5000, false), 2.0f, 1e-6f) << "at most 100 ms of turn";
    EXPECT_EQ(idle.Tick(8000, 5000, false), 0.0f) << "a clock going back turns nothing";
}

TEST(CameraOrbit, turnsEyeAboutUpKeepingDistanceAndUp) {
    QORCamera camera;
    camera.Orbit(90);
    // Clockwise seen from above: the eye goes from +z to -x.
    ExpectVec(camera.Eye, -20, 0, 0, 1e-4f);
    ExpectVec(camera.Up, 0, 1, 0, 1e-6f);
    ExpectVec(camera.Right, 0, 0, 1, 1e-5f);
    for (int i = 0; i < 100000; ++i)
        camera.Orbit(0.2f);
    EXPECT_NEAR(VecLength(camera.Eye), 20.0f, 1e-4f);
}

TEST(CameraOrbit, manySmallStepsStayAtDistanceTwentyAndOnTheCircle) {
    QORCamera camera;
    QORLight light;
    // A tilted view first, as a right-button drag leaves it.
    camera.Drag(10, 10);
    light.Drag(10, 10);
    for (int i = 1; i <= 7; ++i) {
        camera.Drag(10 + i, 10 + i);
        light.Drag(10 + i, 10 + i);
    }
    const Vec3 up = camera.Up;
    const Vec3 startLight = light.Position;
    // An hour at 20 degrees a second in 10 ms steps.
    for (int i = 0; i < 360000; ++i) {
        camera.Orbit(0.2f);
        light.Orbit(camera.Up, 0.2f);
    }
    EXPECT_NEAR(VecLength(camera.Eye), 20.0f, 1e-4f);
    ExpectVec(camera.Up, up.x, up.y, up.z, 1e-5f);
    const float eyeDotUp = camera.Eye.x * up.x + camera.Eye.y * up.y + camera.Eye.z * up.z;
    EXPECT_NEAR(eyeDotUp, 0.0f, 1e-2f) << "the eye stays on the circle about the up axis";
    EXPECT_NEAR(VecLength(light.Position), VecLength(startLight), 0.05f);
}

TEST(CameraOrbit, lightKeepsItsPlaceRelativeToTheEye) {
    QORCamera camera;
    QORLight light;
    const float before = camera.Eye.x * light.Position.x + camera.Eye.y * light.Position.y +
                         camera.Eye.z * light.Position.z;
    camera.Orbit(37);
    light.Orbit(camera.Up, 37);
    const float after = camera.Eye.x * light.Position.x + camera.Eye.y * light.Position.y +
                        camera.Eye.z * light.Position.z;
    EXPECT_NEAR(after, before, 1e-3f);
    ExpectVec(light.Up, camera.Up.x, camera.Up.y, camera.Up.z, 1e-5f);
    ExpectVec(light.Right, camera.Right.x, camera.Right.y, camera.Right.z, 1e-5f);
}
