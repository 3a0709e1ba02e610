#include "cube/qorbigcube.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

namespace {

int OuterCount(const QORSmallCube& c) {
    int n = 0;
    for (bool b : c.Outer)
        n += b;
    return n;
}

bool SameRGB(const RGBTriple& a, const RGBTriple& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

} // namespace

TEST(Cube, newCubieIsEmptyAndNewCubeHasBuiltInValues) {
    QORSmallCube c;
    EXPECT_EQ(c.Name, 0u);
    EXPECT_FALSE(c.InTurn);
    EXPECT_EQ(OuterCount(c), 0);
    for (const Vec3& p : c.Points)
        EXPECT_TRUE(p.x == 0 && p.y == 0 && p.z == 0);
    QORBigCube cube;
    EXPECT_EQ(cube.RotateStep, 6);
    EXPECT_EQ(cube.IdleTimeout, 60000);
    EXPECT_EQ(cube.ShuffleCount, 30);
    EXPECT_FALSE(cube.Busy);
    EXPECT_TRUE(SameRGB(cube.ColorTable[0], {80, 80, 80}));
    EXPECT_TRUE(SameRGB(cube.ColorTable[4], {0, 80, 255}));
    EXPECT_TRUE(SameRGB(cube.ColorTable[7], {0, 0, 0}));
}

TEST(Cube, resetPlacesEveryCubieByIndexWithItsName) {
    QORBigCube cube;
    cube.Reset();
    for (int k = 0; k < 27; ++k) {
        const QORSmallCube& c = cube.Cubies[k];
        EXPECT_EQ(c.Name, uint32_t(100 * k + 100));
        EXPECT_FLOAT_EQ(c.Points[0].x, ((k / 9) - 1) * 1.6f);
        EXPECT_FLOAT_EQ(c.Points[0].y, (((k / 3) % 3) - 1) * 1.6f);
        EXPECT_FLOAT_EQ(c.Points[0].z, ((k % 3) - 1) * 1.6f);
    }
}

TEST(Cube, octagonsLieInTheirFacePlanesAndCubiesTouch) {
    QORBigCube cube;
    cube.Reset();
    const QORSmallCube& c = cube.Cubies[13];
    // Face f lies at distance 0.8 along its outward axis: +z, -z, -x, +x, +y, -y.
    const int axis[7] = {0, 2, 2, 0, 0, 1, 1};
    const float sign[7] = {0, 1, -1, -1, 1, 1, -1};
    for (int f = 1; f <= 6; ++f)
        for (int p = 8 * f - 7; p <= 8 * f; ++p) {
            const float coords[3] = {c.Points[p].x, c.Points[p].y, c.Points[p].z};
            EXPECT_NEAR(coords[axis[f]], 0.8f * sign[f], 1e-6f) << "face " << f << " point " << p;
            for (int a = 0; a < 3; ++a) {
                if (a != axis[f]) {
                    EXPECT_LE(std::fabs(coords[a]), 0.7f + 1e-6f);
                }
            }
        }
    // Solved cube spans -2.4 .. 2.4.
    EXPECT_NEAR(cube.Cubies[26].Points[1].z, 2.4f, 1e-6f);
    EXPECT_NEAR(cube.Cubies[0].Points[9].z, -2.4f, 1e-6f);
}

TEST(Cube, faceCentreIsCentrePlusEightTenthsOutward) {
    QORBigCube cube;
    cube.Reset();
    const Vec3 f1 = cube.Cubies[26].FaceCentre(1);
    EXPECT_NEAR(f1.x, 1.6f, 1e-6f);
    EXPECT_NEAR(f1.y, 1.6f, 1e-6f);
    EXPECT_NEAR(f1.z, 2.4f, 1e-6f);
    const Vec3 f3 = cube.Cubies[13].FaceCentre(3);
    EXPECT_NEAR(f3.x, -0.8f, 1e-6f);
    EXPECT_NEAR(f3.y, 0, 1e-6f);
    EXPECT_NEAR(f3.z, 0, 1e-6f);
    const Vec3 f6 = cube.Cubies[0].FaceCentre(6);
    EXPECT_NEAR(f6.y, -2.4f, 1e-6f);
}

TEST(Cube, outerFlagsCountThreeTwoOneAndCoreNone) {
    QORBigCube cube;
    cube.Reset();
    std::multiset<int> counts;
    for (const QORSmallCube& c : cube.Cubies)
        counts.insert(OuterCount(c));
    EXPECT_EQ(counts.count(3), 8u);
    EXPECT_EQ(counts.count(2), 12u);
    EXPECT_EQ(counts.count(1), 6u);
    EXPECT_EQ(counts.count(0), 1u);
    EXPECT_EQ(OuterCount(cube.Cubies[13]), 0);
    for (const RGBTriple& col : cube.Cubies[13].Colors)
        EXPECT_TRUE(SameRGB(col, cube.ColorTable[0]));
}

TEST(Cube, resetColoursOuterFacesFromTheirTableSlots) {
    QORBigCube cube;
    cube.Reset();
    const QORSmallCube& corner = cube.Cubies[26]; // right-top-front
    EXPECT_TRUE(corner.Outer[QORSmallCube::Front]);
    EXPECT_TRUE(corner.Outer[QORSmallCube::Top]);
    EXPECT_TRUE(corner.Outer[QORSmallCube::Right]);
    EXPECT_TRUE(SameRGB(corner.Colors[1], cube.ColorTable[1]));
    EXPECT_TRUE(SameRGB(corner.Colors[4], cube.ColorTable[4]));
    EXPECT_TRUE(SameRGB(corner.Colors[5], cube.ColorTable[5]));
    for (int slot : {0, 2, 3, 6, 7})
        EXPECT_TRUE(SameRGB(corner.Colors[slot], cube.ColorTable[0])) << slot;
    const QORSmallCube& back = cube.Cubies[0]; // left-bottom-back
    EXPECT_TRUE(SameRGB(back.Colors[2], cube.ColorTable[2]));
    EXPECT_TRUE(SameRGB(back.Colors[3], cube.ColorTable[3]));
    EXPECT_TRUE(SameRGB(back.Colors[6], cube.ColorTable[6]));
}

TEST(Cube, tableChangeAloneRecoloursNothing) {
    QORBigCube cube;
    cube.Reset();
    SetRGB(cube.ColorTable[1], 1, 2, 3);
    EXPECT_TRUE(SameRGB(cube.Cubies[26].Colors[1], {255, 255, 255}));
}

TEST(Cube, applyColorsRecoloursByOuterFlagsAndKeepsPoints) {
    QORBigCube cube;
    cube.Reset();
    // Move a cubie by hand as a turn would; its colours must follow its flags, not its place.
    Mat3 quarter;
    MatRotation(quarter, {0, 1, 0}, 90);
    for (Vec3& p : cube.Cubies[26].Points)
        MatVec(p, quarter, p);
    const auto before = cube.Cubies;
    SetRGB(cube.ColorTable[1], 10, 20, 30);
    SetRGB(cube.ColorTable[0], 1, 1, 1);
    cube.ApplyColors();
    for (int k = 0; k < 27; ++k) {
        const QORSmallCube& c = cube.Cubies[k];
        for (int p = 0; p < QORSmallCube::PointCount; ++p) {
            EXPECT_EQ(c.Points[p].x, before[k].Points[p].x);
            EXPECT_EQ(c.Points[p].y, before[k].Points[p].y);
            EXPECT_EQ(c.Points[p].z, before[k].Points[p].z);
        }
        const bool front = c.Outer[QORSmallCube::Front];
        EXPECT_TRUE(SameRGB(c.Colors[1], front ? RGBTriple{10, 20, 30} : RGBTriple{1, 1, 1}));
        EXPECT_TRUE(SameRGB(c.Colors[0], {1, 1, 1}));
    }
}

TEST(Cube, resetKeepsPicksTurnMatrixAndSettings) {
    QORBigCube cube;
    cube.PickPrev = {1, 2, 3};
    MatScale(cube.TurnMatrix, 2);
    cube.RotateStep = 45;
    cube.Busy = true;
    cube.Reset();
    EXPECT_EQ(cube.PickPrev.y, 2);
    EXPECT_EQ(cube.TurnMatrix.m[0], 2);
    EXPECT_EQ(cube.RotateStep, 45);
    EXPECT_TRUE(cube.Busy);
    cube.ClearPicks();
    EXPECT_EQ(cube.PickPrev.y, 0);
}

TEST(Cube, chamferPolygonsArePlanarAndCloseTheSurface) {
    // Every octagon edge must be shared with exactly one chamfer edge, or the box has holes.
    QORBigCube cube;
    cube.Reset();
    const QORSmallCube& c = cube.Cubies[13];
    std::set<std::pair<int, int>> octagonEdges;
    for (int f = 1; f <= 6; ++f)
        for (int i = 0; i < 8; ++i) {
            const int a = 8 * f - 7 + i, b = 8 * f - 7 + (i + 1) % 8;
            octagonEdges.insert({std::min(a, b), std::max(a, b)});
        }
    EXPECT_EQ(octagonEdges.size(), 48u);
    // Octagon edges of length 1.2 (the straight sides) are bounded by the rectangles, the
    // short diagonal ones by the hexagons; check lengths as a sanity test of the layout.
    int longEdges = 0;
    for (auto [a, b] : octagonEdges) {
        const Vec3 d{c.Points[a].x - c.Points[b].x, c.Points[a].y - c.Points[b].y,
                     c.Points[a].z - c.Points[b].z};
        const float len = VecLength(d);
        if (std::fabs(len - 1.2f) < 1e-5f)
            ++longEdges;
        else
            EXPECT_NEAR(len, 0.1f * std::sqrt(2.0f), 1e-5f);
    }
    EXPECT_EQ(longEdges, 24);
}
