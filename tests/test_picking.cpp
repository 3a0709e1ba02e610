#include "model/qorbigcube.h"
#include "render/qorcubedraw.h"

#include "support/framecounter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

uint32_t FaceName(int cubie, int face) {
    return uint32_t(100 * cubie + 100 + 10 * face + 1);
}

// Makes the turns its drags make, as the game does, and counts them.
struct Cube : CountedCube {
    int turns = 0;
    int Turns() const { return turns; }
    void TakeHit(int hitCount, const uint32_t* buffer, int size) {
        if (const std::optional<QORHit> hit = NearestHit(hitCount, buffer, size))
            if (const std::optional<QORMove> move = cube.Pick(*hit)) {
                cube.Turn(*move);
                ++turns;
            }
    }
    // One selection hit, as a pick on the named sticker gives.
    void Hit(uint32_t name) {
        const uint32_t buffer[4] = {1, 1000, 1010, name};
        TakeHit(1, buffer, 4);
    }
};

} // namespace

TEST(Picking, theNearestHitByUnsignedDepthWinsAndNothingElsePicks) {
    Cube c;
    for (uint32_t name : {2700u, 100u, 0u, 2871u, 99u, 2791u, 1110u, 4294967295u})
        c.Hit(name); // chamfers and foreign names
    const uint32_t overlong[4] = {200, 5, 6, FaceName(26, 1)};
    c.TakeHit(5, overlong, 4);
    ExpectVec(c.cube.PickCubie, 0, 0, 0, 0);
    const uint32_t buffer[12] = {1, 0x90000000u, 0x90000001u, FaceName(26, 1),
                                 1, 0x10000000u, 0x10000001u, FaceName(23, 1),
                                 1, 0x10000000u, 0x10000002u, FaceName(20, 1)};
    c.TakeHit(3, buffer, 12);
    ExpectVec(c.cube.PickCubie, 1.6f, 0, 1.6f, 0); // cubie 23: the earlier of the tie
    EXPECT_EQ(c.Turns(), 0) << "a first pick only records";
}

TEST(Picking, everyDragToANeighbourCarriesTheStickerTheWayThePointerWent) {
    int drags = 0;
    for (int face = 1; face <= 6; ++face)
        for (int a = 0; a < 27; ++a)
            for (int b = 0; b < 27; ++b) {
                Cube c;
                const Vec3 pa = c.cube.Cubies[a].Points[0], pb = c.cube.Cubies[b].Points[0];
                const Vec3 d{pb.x - pa.x, pb.y - pa.y, pb.z - pa.z};
                // Two neighbours in the face's outer layer.
                if (Dot(pa, FaceOut[face]) < 1.5f || Dot(pb, FaceOut[face]) < 1.5f ||
                    std::fabs(VecLength(d) - 1.6f) > 1e-3f)
                    continue;
                ++drags;
                c.Hit(FaceName(a, face));
                c.Hit(FaceName(b, face));
                ASSERT_EQ(c.Turns(), 1) << "face " << face << " " << a << "->" << b;
                const float moved = Dot(c.cube.Cubies[a].Points[0], d) - Dot(pa, d);
                EXPECT_GT(moved, 1.0f) << "face " << face << " " << a << "->" << b;
            }
    EXPECT_EQ(drags, 6 * 24) << "each face has 24 drags between neighbours";
}

TEST(Picking, theSameCubieOrADiagonalTurnsNothingAndAfterATurnThePickStartsAgain) {
    Cube c;
    c.Hit(FaceName(26, 1));
    c.Hit(FaceName(26, 5));
    c.Hit(FaceName(14, 1)); // diagonal: the plane holds nine cubies but no axis
    EXPECT_EQ(c.Turns(), 0);
    c.Hit(FaceName(8, 1)); // left-top-front, then rightwards along the top row
    c.Hit(FaceName(17, 1));
    c.Hit(FaceName(5, 1)); // whatever sits under the next sticker only becomes the start
    EXPECT_EQ(c.Turns(), 1);
    c.Hit(FaceName(2, 1));
    EXPECT_EQ(c.Turns(), 2);
}
