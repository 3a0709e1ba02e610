#include "cube/qorbigcube.h"
#include "support/framecounter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int Steps[] = {1, 2, 3, 5, 6, 9, 10, 30, 45};

// The layer through cubie k that a shuffle pass with plane choice r would pick.
void PickLayer(QORBigCube& cube, int k, int r) {
    const QORSmallCube& c = cube.Cubies[k];
    cube.PickPrev = c.Points[0];
    cube.PickCubie = r == 2 ? c.FaceCentre(5) : c.FaceCentre(1);
    cube.PickFace = r == 1 ? c.FaceCentre(5) : c.FaceCentre(3);
    cube.ClearTurnMarks();
}

// Turns that layer a quarter turn in the given sense; returns the marked count.
int TurnLayer(QORBigCube& cube, int k, int r, int sense) {
    PickLayer(cube, k, r);
    const int marked = cube.MarkLayer();
    const std::vector<Vec3> axes = cube.TurnAxes();
    EXPECT_EQ(axes.size(), 1u);
    if (marked == 9)
        for (const Vec3& axis : axes)
            cube.AnimateTurn(axis, sense * cube.StepDegrees());
    cube.ClearTurnMarks();
    cube.ClearPicks();
    return marked;
}

float GridError(const QORBigCube& cube) {
    float worst = 0;
    for (const QORSmallCube& c : cube.Cubies)
        for (float v : {c.Points[0].x, c.Points[0].y, c.Points[0].z}) {
            const float nearest = std::round(v / 1.6f) * 1.6f;
            worst = std::max(worst, std::fabs(v - nearest));
        }
    return worst;
}

bool SamePoints(const QORBigCube& a, const QORBigCube& b) {
    for (int k = 0; k < 27; ++k)
        for (int p = 0; p < QORSmallCube::PointCount; ++p) {
            const Vec3 &u = a.Cubies[k].Points[p], &v = b.Cubies[k].Points[p];
            if (u.x != v.x || u.y != v.y || u.z != v.z)
                return false;
        }
    return true;
}

int MovedCubies(const QORBigCube& a, const QORBigCube& b) {
    int moved = 0;
    for (int k = 0; k < 27; ++k) {
        const Vec3 &u = a.Cubies[k].Points[1], &v = b.Cubies[k].Points[1];
        moved += std::fabs(u.x - v.x) + std::fabs(u.y - v.y) + std::fabs(u.z - v.z) > 1e-3f;
    }
    return moved;
}

} // namespace

TEST(Turns, everyStepValueEndsTheTurnOnTheGridInNinetyDegrees) {
    for (int step : Steps) {
        QORBigCube cube;
        FrameCounter frames;
        cube.Renderer = &frames;
        cube.RotateStep = step;
        cube.Reset();
        ASSERT_EQ(TurnLayer(cube, 26, 0, +1), 9);
        EXPECT_EQ(frames.Frames, 90 / step) << step;
        EXPECT_LT(GridError(cube), 1e-4f) << step;
        EXPECT_FALSE(cube.IsSolved()) << step;
    }
}

TEST(Turns, stepThatDoesNotDivideAQuarterTurnFallsBackToFive) {
    for (int bad : {0, 7, -5, 100}) {
        QORBigCube cube;
        FrameCounter frames;
        cube.Renderer = &frames;
        cube.RotateStep = bad;
        cube.Reset();
        EXPECT_EQ(cube.StepDegrees(), 5);
        TurnLayer(cube, 0, 1, -1);
        EXPECT_EQ(frames.Frames, 18) << bad;
        EXPECT_LT(GridError(cube), 1e-4f) << bad;
    }
}

TEST(Turns, positiveTurnIsClockwiseSeenFromTheAxisTip) {
    QORBigCube cube;
    cube.RotateStep = 45;
    cube.Reset();
    // Cubie 26 with its front and left face centres spans the top layer, y = +1.6.
    TurnLayer(cube, 26, 0, +1);
    // Clockwise about +y seen from above carries the right-front corner to the left-front.
    const Vec3 c = cube.Cubies[26].Points[0];
    EXPECT_NEAR(c.x, -1.6f, 1e-4f);
    EXPECT_NEAR(c.y, 1.6f, 1e-4f);
    EXPECT_NEAR(c.z, 1.6f, 1e-4f);
    EXPECT_NEAR(cube.Cubies[20].Points[0].z, 1.6f, 1e-4f) << "right-top-back comes to the front";
    EXPECT_NEAR(cube.Cubies[20].Points[0].x, 1.6f, 1e-4f);
}

TEST(Turns, tenThousandRandomTurnsKeepEveryLayerAtNineCubies) {
    QORBigCube cube;
    cube.RotateStep = 45;
    cube.Reset();
    std::minstd_rand random(12345);
    for (int i = 0; i < 10000; ++i) {
        const int k = int(random() % 27), r = int(random() % 3);
        PickLayer(cube, k, r);
        ASSERT_EQ(cube.MarkLayer(), 9) << "turn " << i;
        const std::vector<Vec3> axes = cube.TurnAxes();
        ASSERT_EQ(axes.size(), 1u) << "turn " << i;
        cube.AnimateTurn(axes[0], random() % 2 ? 45 : -45);
        cube.ClearTurnMarks();
    }
    EXPECT_LT(GridError(cube), 1e-3f);
    for (const QORSmallCube& c : cube.Cubies)
        for (int f = 1; f <= 6; ++f) {
            const Vec3 fc = c.FaceCentre(f);
            const float d =
                std::hypot(fc.x - c.Points[0].x, fc.y - c.Points[0].y, fc.z - c.Points[0].z);
            EXPECT_NEAR(d, 0.8f, 1e-3f);
        }
}

TEST(Turns, turnAndItsInverseRestoreSolved) {
    QORBigCube cube;
    cube.RotateStep = 30;
    cube.Reset();
    EXPECT_TRUE(cube.IsSolved());
    TurnLayer(cube, 2, 1, +1);
    EXPECT_FALSE(cube.IsSolved());
    TurnLayer(cube, 2, 1, -1);
    EXPECT_TRUE(cube.IsSolved());
    EXPECT_FALSE(cube.Busy);
    EXPECT_EQ(cube.PickPrev.x, 0);
}

TEST(Turns, middleSliceTurnBreaksSolved) {
    for (int r = 0; r < 3; ++r) {
        QORBigCube cube;
        cube.RotateStep = 45;
        cube.Reset();
        ASSERT_EQ(TurnLayer(cube, 13, r, +1), 9) << "the core always gives a middle slice";
        EXPECT_FALSE(cube.IsSolved()) << r;
    }
}

TEST(Turns, turningTheWholeCubeKeepsItSolved) {
    QORBigCube cube;
    cube.RotateStep = 45;
    cube.Reset();
    // The three layers perpendicular to y (cubies at y = -1.6, 0, +1.6), all the same sense.
    for (int k : {0, 3, 6})
        TurnLayer(cube, k, 0, +1);
    EXPECT_LT(GridError(cube), 1e-4f);
    EXPECT_TRUE(cube.IsSolved());
}

TEST(Turns, cornersTwistedInPlaceStillCountAsSolved) {
    QORBigCube cube;
    cube.Reset();
    // Twist the right-top-front corner a third of a turn about its own diagonal.
    QORSmallCube& corner = cube.Cubies[26];
    const Vec3 centre = corner.Points[0];
    Mat3 twist;
    MatRotation(twist, {0.57735027f, 0.57735027f, 0.57735027f}, 120);
    for (Vec3& p : corner.Points) {
        Vec3 rel{p.x - centre.x, p.y - centre.y, p.z - centre.z};
        MatVec(rel, twist, rel);
        p = {centre.x + rel.x, centre.y + rel.y, centre.z + rel.z};
    }
    EXPECT_TRUE(cube.IsSolved());
}

TEST(Turns, solvedTestLooksOnlyAtTheLayersThroughCubieZero) {
    QORBigCube cube;
    cube.Reset();
    // Swap two cubies outside the three layers through cubie 0 (x, y and z all >= 0).
    std::swap(cube.Cubies[26].Points, cube.Cubies[14].Points);
    EXPECT_TRUE(cube.IsSolved());
    std::swap(cube.Cubies[0].Points, cube.Cubies[2].Points);
    EXPECT_FALSE(cube.IsSolved());
}

TEST(Shuffle, countOneTurnsExactlyOneLayerAndLeavesTheCubeIdle) {
    QORBigCube cube;
    FrameCounter frames;
    cube.Renderer = &frames;
    cube.RotateStep = 10;
    cube.Reset();
    const QORBigCube solved = cube;
    cube.Shuffle(1);
    EXPECT_EQ(MovedCubies(solved, cube), 9);
    EXPECT_EQ(frames.Frames, 9);
    EXPECT_FALSE(cube.Busy);
    for (const QORSmallCube& c : cube.Cubies)
        EXPECT_FALSE(c.InTurn);
    EXPECT_EQ(cube.PickPrev.x, 0);
    EXPECT_EQ(cube.PickCubie.y, 0);
    EXPECT_EQ(cube.PickFace.z, 0);
    EXPECT_LT(GridError(cube), 1e-4f);
}

TEST(Shuffle, equalSeedsGiveEqualShufflesAndNewSeedsDiffer) {
    QORBigCube a, b, c;
    for (QORBigCube* cube : {&a, &b, &c}) {
        cube->RotateStep = 45;
        cube->Reset();
    }
    a.SeedSource = b.SeedSource = [] { return uint64_t(777); };
    c.SeedSource = [] { return uint64_t(778); };
    a.Shuffle(30);
    b.Shuffle(30);
    c.Shuffle(30);
    EXPECT_TRUE(SamePoints(a, b));
    EXPECT_FALSE(SamePoints(a, c));
    // Without a fixed seed every shuffle reseeds from the clock.
    QORBigCube d, e;
    d.RotateStep = e.RotateStep = 45;
    d.Reset();
    e.Reset();
    d.Shuffle(30);
    e.Shuffle(30);
    EXPECT_FALSE(SamePoints(d, e));
}

TEST(Shuffle, zeroOrNegativeCountTurnsNothing) {
    QORBigCube cube;
    cube.Reset();
    const QORBigCube solved = cube;
    cube.Shuffle(0);
    cube.Shuffle(-4);
    EXPECT_TRUE(SamePoints(solved, cube));
    EXPECT_FALSE(cube.Busy);
}
