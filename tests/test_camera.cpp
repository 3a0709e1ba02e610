// The camera and the light: 3 degree drag steps, and the idle orbit about the view's up axis.
#include "render/qorcamera.h"
#include "render/qorlight.h"

#include "support/testutil.h"

#include <QPoint>

#include <gtest/gtest.h>

namespace {

float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct View {
    QORCamera camera;
    QORLight light;
    void Drag(int x, int y) { camera.Drag(x, y), light.Drag(x, y); }
    void Orbit(float degrees) { camera.Orbit(degrees), light.Orbit(camera.Up, degrees); }
};

} // namespace

TEST(Camera, eachDragStepTurnsTheViewThreeDegreesPerAxisWhateverTheDistance) {
    struct Case {
        QPoint a, b;
        Vec3 eye, up, light;
    };
    const Case cases[] = {
        {{100, 50}, {100, 50}, {0, 0, 20}, {0, 1, 0}, {0, 5, 5}}, // the first step records
        {{100, 50}, {101, 50}, {-1.0467f, 0, 19.9726f}, {0, 1, 0}, {-0.2617f, 5, 4.9931f}},
        {{10, 10}, {210, 10}, {-1.0467f, 0, 19.9726f}, {0, 1, 0}, {-0.2617f, 5, 4.9931f}},
        {{100, 50}, {100, 51}, {0, 1.0467f, 19.9726f}, {0, 0.9986f, -0.0523f}, {0, 5.2548f, 4.7315f}},
        {{0, 0}, {30, 30}, {0, 0, 20}, {0, 1, 0}, {0, 5, 5}}, // after (0, 0) a step records
        {{10, 10}, {20, 20}, {-1.0453f, 1.0467f, 19.9453f}, {0.0027f, 0.9986f, -0.0522f}, {}}};
    for (const Case& c : cases) {
        View v;
        v.Drag(c.a.x(), c.a.y());
        v.Drag(c.b.x(), c.b.y());
        ExpectVec(v.camera.Eye, c.eye.x, c.eye.y, c.eye.z, 1e-3f);
        ExpectVec(v.camera.Up, c.up.x, c.up.y, c.up.z, 1e-3f);
        if (c.light.y != 0)
            ExpectVec(v.light.Position, c.light.x, c.light.y, c.light.z, 1e-4f);
    }
}

TEST(Camera, anHourOfStepsAndOrbitsKeepsTheEyeAtTwentyWithTheLightBesideIt) {
    View v;
    v.Orbit(90); // clockwise seen from above: the eye goes from +z to -x
    ExpectVec(v.camera.Eye, -20, 0, 0, 1e-4f);
    ExpectVec(v.camera.Right, 0, 0, 1, 1e-5f);
    for (int i = 0, x = 1, y = 1; i < 5000; ++i)
        v.Drag(x += (i * 7) % 5 - 2, y += (i * 3) % 7 - 3);
    EXPECT_NEAR(VecLength(v.camera.Up), 1.0f, 1e-4f);
    const Vec3 up = v.camera.Up;
    const float lightToEye = Dot(v.camera.Eye, v.light.Position);
    for (int i = 0; i < 360000; ++i) // an hour at 20 degrees a second in 10 ms steps
        v.Orbit(0.2f);
    EXPECT_NEAR(VecLength(v.camera.Eye), 20.0f, 1e-4f);
    ExpectVec(v.camera.Up, up.x, up.y, up.z, 1e-5f);
    EXPECT_NEAR(Dot(v.camera.Eye, up), 0.0f, 1e-2f) << "the eye stays on its circle";
    EXPECT_NEAR(Dot(v.camera.Eye, v.light.Position), lightToEye, 0.5f);
}
