#include "cube/qorbigcube.h"

#include "support/framecounter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A cube with its own settings, so that a test can set the turn speed.
struct Cube {
    QORSettings settings;
    QORBigCube cube{&settings};
    FrameCounter frames;
    explicit Cube(int step = 45) {
        settings.RotateStep = step;
        cube.Renderer = &frames;
        cube.Reset();
    }
    // Turns the layer through cubie k that a shuffle pass with plane choice r picks; how many
    // cubies it marked, or -1 when no single axis passed.
    int Turn(int k, int r, int sense) {
        const QORSmallCube& c = cube.Cubies[k];
        cube.PickPrev = c.Points[0];
        cube.PickCubie = r == 2 ? c.FaceCentre(5) : c.FaceCentre(1);
        cube.PickFace = r == 1 ? c.FaceCentre(5) : c.FaceCentre(3);
        const std::vector<Vec3> axes = cube.FindLayer();
        int marked = 0;
        for (const QORSmallCube& each : cube.Cubies)
            marked += each.InTurn;
        for (const Vec3& axis : axes)
            cube.AnimateTurn(axis, sense);
        cube.ClearTurnMarks();
        cube.ClearPicks();
        return axes.size() == 1 ? marked : -1;
    }
    float GridError() const {
        float worst = 0;
        for (const QORSmallCube& c : cube.Cubies)
            for (float v : {c.Points[0].x, c.Points[0].y, c.Points[0].z})
                worst = std::max(worst, std::fabs(v - std::round(v / 1.6f) * 1.6f));
        return worst;
    }
};

} // namespace

TEST(Turns, everySpeedTurnsAQuarterInNinetyDegreesOfFramesAndEndsOnTheGrid) {
    // Steps that do not divide a quarter turn read as the speed's default, five degrees.
    const int steps[][2] = {{1, 90}, {2, 45}, {3, 30}, {5, 18}, {6, 15}, {9, 10}, {10, 9},
                            {30, 3}, {45, 2}, {0, 18},  {7, 18}, {-5, 18}, {100, 18}};
    for (const auto& [step, frames] : steps) {
        Cube c(step);
        ASSERT_EQ(c.Turn(26, 0, +1), 9);
        EXPECT_EQ(c.frames.Frames, frames) << step;
        EXPECT_LT(c.GridError(), 1e-4f) << step;
    }
}

TEST(Turns, aPositiveTurnIsClockwiseSeenFromTheAxisTip) {
    Cube c;
    // Cubie 26 with its front and left face centres spans the top layer. Clockwise about +y
    // seen from above carries the right-front corner to the left-front and the right-back one
    // to the right-front.
    c.Turn(26, 0, +1);
    ExpectVec(c.cube.Cubies[26].Points[0], -1.6f, 1.6f, 1.6f, 1e-4f);
    ExpectVec(c.cube.Cubies[24].Points[0], 1.6f, 1.6f, 1.6f, 1e-4f);
}

TEST(Turns, tenThousandRandomTurnsKeepEveryLayerAtNineCubies) {
    Cube c;
    std::minstd_rand random(12345);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(c.Turn(int(random() % 27), int(random() % 3), random() % 2 ? 1 : -1), 9) << i;
    EXPECT_LT(c.GridError(), 1e-3f);
}

TEST(Turns, theSolvedTestFollowsTurnsOfOuterLayersSlicesAndTheWholeCube) {
    Cube c;
    EXPECT_TRUE(c.cube.IsSolved());
    for (int r = 0; r < 3; ++r)
        for (int k : {2, 13}) { // an outer layer, and the core's middle slice
            c.Turn(k, r, +1);
            EXPECT_FALSE(c.cube.IsSolved()) << k << " " << r;
            c.Turn(k, r, -1);
            EXPECT_TRUE(c.cube.IsSolved()) << k << " " << r;
        }
    for (int k : {0, 3, 6}) // the three layers about one axis: the whole cube turns
        c.Turn(k, 0, +1);
    EXPECT_TRUE(c.cube.IsSolved());
    EXPECT_FALSE(c.cube.Busy);
}

TEST(Turns, cornersTwistedInPlaceStillCountAsSolved) {
    Cube c;
    QORSmallCube& corner = c.cube.Cubies[26];
    const Vec3 o = corner.Points[0];
    Mat3 twist;
    MatRotation(twist, {0.57735027f, 0.57735027f, 0.57735027f}, 120);
    for (Vec3& p : corner.Points) {
        Vec3 rel{p.x - o.x, p.y - o.y, p.z - o.z};
        MatVec(rel, twist, rel);
        p = {o.x + rel.x, o.y + rel.y, o.z + rel.z};
    }
    EXPECT_TRUE(c.cube.IsSolved());
}

TEST(Shuffle, eachTurnMovesOneLayerAndEqualSeedsRepeat) {
    Cube one(10), a, b, d, none;
    const QORBigCube solved = one.cube;
    one.cube.Shuffle(1);
    int moved = 0;
    for (int k = 0; k < 27; ++k)
        moved += !SamePoints(one.cube.Cubies[k], solved.Cubies[k]);
    EXPECT_EQ(moved, 9);
    EXPECT_EQ(one.frames.Frames, 9);
    EXPECT_FALSE(one.cube.Busy);
    ExpectVec(one.cube.PickPrev, 0, 0, 0);
    a.cube.SeedSource = b.cube.SeedSource = [] { return uint64_t(777); };
    for (Cube* c : {&a, &b, &d})
        c->cube.Shuffle(30);
    EXPECT_TRUE(SamePoints(a.cube, b.cube));
    EXPECT_FALSE(SamePoints(a.cube, d.cube)) << "without a fixed seed the clock seeds";
    none.cube.Shuffle(0);
    none.cube.Shuffle(-4);
    EXPECT_EQ(none.frames.Frames, 0);
}
