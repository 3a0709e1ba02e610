#include "cube/qorbigcube.h"
#include "support/framecounter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

int Index(int i, int j, int k) {
    return 9 * i + 3 * j + k;
}
uint32_t FaceName(int cubie, int face) {
    return uint32_t(100 * cubie + 100 + 10 * face + 1);
}

// Feeds one selection hit, as a pick on the named sticker would.
void Hit(QORBigCube& cube, uint32_t name, uint32_t depth = 1000) {
    const uint32_t buffer[4] = {1, depth, depth + 10, name};
    cube.TakeHit(1, buffer, 4);
}

struct Cube {
    QORBigCube cube;
    FrameCounter frames;
    Cube() {
        cube.Renderer = &frames;
        cube.RotateStep = 45;
        cube.Reset();
    }
    int Turns() const { return frames.Frames / 2; }
};

// Unit outward direction of face f (1..6) as built: +z, -z, -x, +x, +y, -y.
const int Outward[7][3] = {{0, 0, 0}, {0, 0, 1}, {0, 0, -1}, {-1, 0, 0},
                           {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};

} // namespace

TEST(Picking, nearestHitWinsByUnsignedDepthAndEarlierOnTie) {
    Cube c;
    const uint32_t buffer[12] = {1, 0x90000000u, 0x90000001u, FaceName(26, 1),
                                 1, 0x10000000u, 0x10000001u, FaceName(23, 1),
                                 1, 0x10000000u, 0x10000002u, FaceName(20, 1)};
    c.cube.TakeHit(3, buffer, 12);
    const Vec3 expected = c.cube.Cubies[23].Points[0];
    EXPECT_EQ(c.cube.PickCubie.y, expected.y);
    EXPECT_EQ(c.cube.PickCubie.z, expected.z);
    EXPECT_EQ(c.frames.Frames, 0) << "a first pick only records";
}

TEST(Picking, chamfersAndForeignNamesAreNeverPicked) {
    Cube c;
    for (uint32_t name : {2700u, 100u, 0u, 2871u, 99u, 2791u, 1110u, 4294967295u}) {
        Hit(c.cube, name);
        EXPECT_EQ(c.cube.PickCubie.x, 0) << name;
        EXPECT_EQ(c.cube.PickCubie.y, 0) << name;
    }
}

TEST(Picking, malformedRecordsAreIgnoredSafely) {
    Cube c;
    const uint32_t overlong[4] = {200, 5, 6, FaceName(26, 1)};
    c.cube.TakeHit(1, overlong, 4);
    c.cube.TakeHit(5, overlong, 4);
    EXPECT_EQ(c.cube.PickCubie.x, 0);
}

TEST(Picking, dragDownTheRightColumnTurnsTheRightLayerFrontDown) {
    Cube c;
    Hit(c.cube, FaceName(Index(2, 2, 2), 1));
    Hit(c.cube, FaceName(Index(2, 1, 2), 1));
    EXPECT_EQ(c.Turns(), 1);
    const Vec3 corner = c.cube.Cubies[Index(2, 2, 2)].Points[0];
    EXPECT_NEAR(corner.x, 1.6f, 1e-4f);
    EXPECT_NEAR(corner.y, -1.6f, 1e-4f) << "the front of the right layer went down";
    EXPECT_NEAR(corner.z, 1.6f, 1e-4f);
    EXPECT_NEAR(c.cube.Cubies[Index(0, 2, 2)].Points[0].y, 1.6f, 1e-6f) << "left layer stays";
    EXPECT_FALSE(c.cube.Busy);
    EXPECT_EQ(c.cube.PickPrev.x, 0) << "a turn clears the picks";
}

TEST(Picking, sameCubieOrDiagonalNeighbourTurnsNothing) {
    Cube c;
    Hit(c.cube, FaceName(26, 1));
    Hit(c.cube, FaceName(26, 5));
    EXPECT_EQ(c.Turns(), 0);
    Hit(c.cube, FaceName(Index(1, 1, 2), 1));
    EXPECT_EQ(c.Turns(), 0) << "diagonal plane holds nine cubies but no axis";
    EXPECT_TRUE(c.cube.IsSolved());
}

TEST(Picking, faceCentreToEdgeTurnsTheMiddleSlice) {
    Cube c;
    Hit(c.cube, FaceName(Index(1, 1, 2), 1));
    Hit(c.cube, FaceName(Index(2, 1, 2), 1));
    EXPECT_EQ(c.Turns(), 1);
    // The middle slice y = 0 turned; the top and bottom layers did not.
    EXPECT_NEAR(c.cube.Cubies[Index(2, 2, 2)].Points[0].z, 1.6f, 1e-6f);
    const Vec3 moved = c.cube.Cubies[Index(2, 1, 2)].Points[0];
    EXPECT_NEAR(moved.y, 0, 1e-4f);
    EXPECT_GT(std::fabs(moved.z - 1.6f), 1);
}

TEST(Picking, straightDragTurnsReanchorsAndTurnsAgain) {
    Cube c;
    Hit(c.cube, FaceName(Index(0, 2, 2), 1));
    Hit(c.cube, FaceName(Index(1, 2, 2), 1));
    EXPECT_EQ(c.Turns(), 1);
    // Whatever now sits under the next sticker only becomes the new start.
    Hit(c.cube, FaceName(Index(0, 1, 2), 1));
    EXPECT_EQ(c.Turns(), 1);
    Hit(c.cube, FaceName(Index(0, 0, 2), 1));
    EXPECT_EQ(c.Turns(), 2);
}

TEST(Picking, everyDragCarriesTheStickerTheWayThePointerWent) {
    // For every face and every pair of neighbouring stickers on it, the first cubie must
    // move towards the second: the sense table has a row for each such drag.
    for (int face = 1; face <= 6; ++face) {
        const int* out = Outward[face];
        for (int a = 0; a < 27; ++a)
            for (int b = 0; b < 27; ++b) {
                Cube c;
                const Vec3 pa = c.cube.Cubies[a].Points[0], pb = c.cube.Cubies[b].Points[0];
                const float along = pa.x * out[0] + pa.y * out[1] + pa.z * out[2];
                const float alongB = pb.x * out[0] + pb.y * out[1] + pb.z * out[2];
                const float dist =
                    std::fabs(pa.x - pb.x) + std::fabs(pa.y - pb.y) + std::fabs(pa.z - pb.z);
                if (along < 1.5f || alongB < 1.5f || std::fabs(dist - 1.6f) > 1e-3f)
                    continue;
                Hit(c.cube, FaceName(a, face));
                Hit(c.cube, FaceName(b, face));
                ASSERT_EQ(c.Turns(), 1) << "face " << face << " " << a << "->" << b;
                const Vec3 now = c.cube.Cubies[a].Points[0];
                const float moved = (now.x - pa.x) * (pb.x - pa.x) +
                                    (now.y - pa.y) * (pb.y - pa.y) + (now.z - pa.z) * (pb.z - pa.z);
                EXPECT_GT(moved, 1.0f) << "face " << face << " " << a << "->" << b;
            }
    }
}

TEST(Picking, busyCubeIsClearedOnlyByTheTurnItself) {
    Cube c;
    Hit(c.cube, FaceName(26, 1));
    Hit(c.cube, FaceName(23, 1));
    EXPECT_FALSE(c.cube.Busy);
}
