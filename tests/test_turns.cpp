#include "model/qorbigcube.h"

#include "support/framecounter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Cube : CountedCube {
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
        for (const Vec3& axis : axes) {
            const int a = axis.x == 1 ? 0 : axis.y == 1 ? 1 : 2;
            const float along = a == 0 ? c.Points[0].x : a == 1 ? c.Points[0].y : c.Points[0].z;
            cube.Turn({a, int(std::lround(along / 1.6f)), sense});
        }
        cube.ClearTurnMarks();
        cube.ClearPicks();
        return axes.size() == 1 ? marked : -1;
    }
};

} // namespace

TEST(Turns, aPositiveTurnIsClockwiseSeenFromTheAxisTipAndLandsExactlyOnTheGrid) {
    Cube c;
    // Cubie 26 with its front and left face centres spans the top layer. A positive turn is
    // clockwise seen from the tip of +y: the right-front corner goes to the left-front and
    // the right-back one to the right-front.
    ASSERT_EQ(c.Turn(26, 0, +1), 9);
    ExpectVec(c.cube.Cubies[26].Points[0], -1.6f, 1.6f, 1.6f, 0);
    ExpectVec(c.cube.Cubies[24].Points[0], 1.6f, 1.6f, 1.6f, 0);
}

TEST(Turns, tenThousandRandomTurnsKeepEveryLayerAtNineCubiesAndEveryPointExact) {
    Cube c;
    std::minstd_rand random(12345);
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(c.Turn(int(random() % 27), int(random() % 3), random() % 2 ? 1 : -1), 9) << i;
    for (const QORSmallCube& cubie : c.cube.Cubies)
        for (float v : {cubie.Points[0].x, cubie.Points[0].y, cubie.Points[0].z})
            EXPECT_EQ(v, std::round(v / 1.6f) * 1.6f) << "off the grid";
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
    for (int r = 0; r < 3; ++r)
        for (int k : {0, 13, 26}) { // three layers about each axis: the whole cube turns
            c.Turn(k, r, +1);
            EXPECT_EQ(c.cube.IsSolved(), k == 26) << k << " " << r;
        }
}

TEST(Turns, twistedCornersFlippedEdgesAndCycledEdgesAreNotSolved) {
    // Each case turns some cubies about an axis through a point: in place, or about the
    // cube's diagonal. Cubie 26 is the right-top-front corner, 20 the right-bottom-front one,
    // 17, 23 and 25 the edges around cubie 26: none lies in a layer through cubie 0.
    const float d = 0.70710678f, t = 0.57735027f;
    using Move = std::tuple<int, Vec3, float, bool>; // cubie, axis, degrees, in place
    const std::vector<std::vector<Move>> cases = {
        {{25, {d, d, 0}, 180, true}, {23, {d, 0, d}, 180, true}},     // two edges flipped
        {{26, {t, t, t}, 120, true}, {20, {t, -t, t}, -120, true}},   // two corners twisted
        {{17, {t, t, t}, 120, false}, {25, {t, t, t}, 120, false}, {23, {t, t, t}, 120, false}}};
    for (size_t n = 0; n < cases.size(); ++n) {
        Cube c;
        for (int sense : {+1, -1}) {
            for (const auto& [k, axis, degrees, inPlace] : cases[n]) {
                QORSmallCube& cubie = c.cube.Cubies[k];
                const Vec3 o = inPlace ? cubie.Points[0] : Vec3{};
                Mat3 r;
                MatRotation(r, axis, sense * degrees);
                for (Vec3& p : cubie.Points) {
                    Vec3 rel{p.x - o.x, p.y - o.y, p.z - o.z};
                    MatVec(rel, r, rel);
                    p = {o.x + rel.x, o.y + rel.y, o.z + rel.z};
                }
            }
            EXPECT_EQ(c.cube.IsSolved(), sense < 0) << "case " << n;
        }
    }
}

TEST(Shuffle, eachTurnMovesOneLayerAndEqualSeedsRepeat) {
    Cube one, a, b, d, none;
    const QORBigCube solved = one.cube;
    one.cube.Shuffle(1);
    int moved = 0;
    for (int k = 0; k < 27; ++k)
        moved += !SamePoints(one.cube.Cubies[k], solved.Cubies[k]);
    EXPECT_EQ(moved, 9);
    ExpectVec(one.cube.PickPrev, 0, 0, 0);
    a.cube.SeedSource = b.cube.SeedSource = [] { return uint64_t(777); };
    // One quarter turn per pass: a dealt scramble's length is the shuffle length asked for.
    for (Cube* c : {&a, &b, &d})
        EXPECT_EQ(c->cube.Shuffle(30).size(), 30);
    EXPECT_TRUE(SamePoints(a.cube, b.cube));
    EXPECT_FALSE(SamePoints(a.cube, d.cube)) << "without a fixed seed the clock seeds";
    EXPECT_TRUE(none.cube.Shuffle(0).isEmpty() && none.cube.Shuffle(-4).isEmpty());
    EXPECT_TRUE(SamePoints(none.cube, solved));
}
