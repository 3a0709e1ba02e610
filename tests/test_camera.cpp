// The camera and the light: 3 degree drag steps, and the idle orbit about the view's up axis.
#include "render/qorcamera.h"
#include "render/qorlight.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

namespace {

struct View {
    QORCamera camera;
    QORLight light;
    void Drag(int x, int y) { camera.Drag(x, y), light.Drag(x, y); }
};

} // namespace

TEST(Camera, eachStepTurnsThreeDegreesPerAxisAndAnHourOfStepsAndOrbitsKeepsTheEyeAtTwenty) {
    // From (x0, y0) to (x1, y1): the eye, the up vector and the light afterwards.
    const std::array<float, 13> cases[] = {
        {100, 50, 100, 50, 0, 0, 20, 0, 1, 0, 0, 5, 5}, // the first step only records
        {100, 50, 101, 50, -1.0467f, 0, 19.9726f, 0, 1, 0, -0.2617f, 5, 4.9931f},
        {10, 10, 210, 10, -1.0467f, 0, 19.9726f, 0, 1, 0, -0.2617f, 5, 4.9931f},
        {100, 50, 100, 51, 0, 1.0467f, 19.9726f, 0, 0.9986f, -0.0523f, 0, 5.2548f, 4.7315f},
        {0, 0, 30, 30, 0, 0, 20, 0, 1, 0, 0, 5, 5}, // after (0, 0) a step only records
        {10, 10, 20, 20, -1.0453f, 1.0467f, 19.9452f, 0.0027f, 0.9986f, -0.0523f, -0.2476f, 5.2548f,
         4.7250f}};
    for (const auto& c : cases) {
        View v;
        v.Drag(int(c[0]), int(c[1]));
        v.Drag(int(c[2]), int(c[3]));
        ExpectVec(v.camera.Eye, c[4], c[5], c[6], 1e-3f);
        ExpectVec(v.camera.Up, c[7], c[8], c[9], 1e-3f);
        ExpectVec(v.light.Position, c[10], c[11], c[12], 1e-3f);
    }
    // An hour of steps and orbits keeps the eye at twenty with the light beside it.
    View v;
    v.camera.Orbit(90); // clockwise seen from above: the eye goes from +z to -x
    v.light.Orbit(v.camera.Up, 90);
    ExpectVec(v.camera.Eye, -20, 0, 0, 1e-4f);
    for (int i = 0, x = 1, y = 1; i < 5000; ++i)
        v.Drag(x += (i * 7) % 5 - 2, y += (i * 3) % 7 - 3);
    EXPECT_NEAR(VecLength(v.camera.Up), 1.0f, 1e-4f);
    const Vec3 up = v.camera.Up;
    const float lightToEye = Dot(v.camera.Eye, v.light.Position);
    for (int i = 0; i < 360000; ++i) { // an hour at 20 degrees a second in 10 ms steps
        v.camera.Orbit(0.2f);
        v.light.Orbit(v.camera.Up, 0.2f);
    }
    EXPECT_NEAR(VecLength(v.camera.Eye), 20.0f, 1e-4f);
    ExpectVec(v.camera.Up, up.x, up.y, up.z, 1e-5f);
    EXPECT_NEAR(Dot(v.camera.Eye, up), 0.0f, 1e-2f) << "the eye stays on its circle";
    EXPECT_NEAR(Dot(v.camera.Eye, v.light.Position), lightToEye, 0.5f);
}
