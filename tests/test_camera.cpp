#include "render/qorcamera.h"
#include "render/qorlight.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(Camera, firstDragOnlyRecordsPosition) {
    QORCamera camera;
    QORLight light;
    camera.Drag(100, 50);
    light.Drag(100, 50);
    ExpectVec(camera.Eye, 0, 0, 20, 0);
    ExpectVec(light.Position, 0, 5, 5, 0);
    EXPECT_EQ(camera.LastX, 100);
    EXPECT_EQ(camera.LastY, 50);
}

TEST(Camera, moveRightTurnsEyeAndLightTowardsMinusX) {
    QORCamera camera;
    QORLight light;
    camera.Drag(100, 50);
    light.Drag(100, 50);
    camera.Drag(101, 50);
    light.Drag(101, 50);
    ExpectVec(camera.Eye, -1.0467f, 0, 19.9726f, 1e-4f);
    ExpectVec(camera.Up, 0, 1, 0, 1e-4f);
    ExpectVec(light.Position, -0.2617f, 5, 4.9931f, 1e-4f);
}

TEST(Camera, moveDownLiftsEyeAndTiltsUp) {
    QORCamera camera;
    camera.Drag(100, 50);
    camera.Drag(100, 51);
    ExpectVec(camera.Eye, 0, 1.0467f, 19.9726f, 1e-4f);
    ExpectVec(camera.Up, 0, 0.9986f, -0.0523f, 1e-4f);
}

TEST(Camera, stepIsThreeDegreesWhateverTheDistance) {
    QORCamera near, far;
    near.Drag(10, 10);
    far.Drag(10, 10);
    near.Drag(11, 10);
    far.Drag(210, 10);
    ExpectVec(near.Eye, far.Eye.x, far.Eye.y, far.Eye.z, 0);
}

TEST(Camera, diagonalMoveTurnsAboutBothAxes) {
    QORCamera camera;
    camera.Drag(10, 10);
    camera.Drag(20, 20);
    EXPECT_LT(camera.Eye.x, -1.0f);
    EXPECT_GT(camera.Eye.y, 1.0f);
}

TEST(Camera, stepToOriginMakesNextStepOnlyRecord) {
    QORCamera camera;
    camera.Drag(10, 10);
    camera.Drag(0, 0);
    const Vec3 eye = camera.Eye;
    camera.Drag(30, 30);
    ExpectVec(camera.Eye, eye.x, eye.y, eye.z, 0);
}

TEST(Camera, manyStepsKeepAxesUnitAndDistanceTwenty) {
    QORCamera camera;
    QORLight light;
    int x = 1, y = 1;
    camera.Drag(x, y);
    light.Drag(x, y);
    for (int i = 0; i < 5000; ++i) {
        x += (i * 7) % 5 - 2;
        y += (i * 3) % 7 - 3;
        if (x == 0 && y == 0)
            x = 1;
        camera.Drag(x, y);
        light.Drag(x, y);
    }
    EXPECT_NEAR(VecLength(camera.Eye), 20.0f, 1e-2f);
    EXPECT_NEAR(VecLength(camera.Up), 1.0f, 1e-4f);
    EXPECT_NEAR(VecLength(camera.Right), 1.0f, 1e-4f);
    // The light keeps its place relative to the eye.
    EXPECT_NEAR(VecLength(light.Position), VecLength(Vec3{0, 5, 5}), 1e-2f);
    const float dot = camera.Eye.x * light.Position.x + camera.Eye.y * light.Position.y +
                      camera.Eye.z * light.Position.z;
    EXPECT_NEAR(dot, 100.0f, 0.5f);
}
