#include "cube/qorbigcube.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RGBTriple& a, const RGBTriple& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

} // namespace

TEST(Cube, resetPlacesEachCubieAndStickerByItsIndexAndOnlyApplyColorsRecolours) {
    QORSettings settings;
    QORBigCube cube(&settings);
    cube.Reset();
    for (int k = 0; k < 27; ++k) {
        const QORSmallCube& c = cube.Cubies[k];
        const int i = k / 9, j = (k / 3) % 3, l = k % 3;
        EXPECT_EQ(c.Name, uint32_t(100 * k + 100));
        ExpectVec(c.Points[0], (i - 1) * 1.6f, (j - 1) * 1.6f, (l - 1) * 1.6f);
        // Outer: front, back, top, bottom, left, right.
        const bool outer[6] = {l == 2, l == 0, j == 2, j == 0, i == 0, i == 2};
        for (int s = 0; s < 6; ++s)
            EXPECT_EQ(c.Outer[s], outer[s]) << k << " side " << s;
    }
    // Faces 1..6 point +z, -z, -x, +x, +y, -y, 0.8 from the centre.
    const Vec3 out[7] = {{}, {0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    for (int f = 1; f <= 6; ++f)
        ExpectVec(cube.Cubies[13].FaceCentre(f), 0.8f * out[f].x, 0.8f * out[f].y,
                  0.8f * out[f].z);
    const RGBTriple body = settings.ColorTable[0];
    // Cubie 26 is the right-top-front corner, cubie 0 the left-bottom-back one.
    const int owner[7] = {0, 26, 0, 0, 26, 26, 0};
    for (int f = 1; f <= 6; ++f)
        EXPECT_TRUE(Same(cube.Cubies[owner[f]].Colors[f], settings.ColorTable[f])) << f;
    for (const RGBTriple& c : cube.Cubies[13].Colors)
        EXPECT_TRUE(Same(c, body)) << "the core is all body";
    settings.ColorTable[1] = {1, 2, 3};
    cube.Cubies[26].Points[0].x = 42; // stands for any scramble
    EXPECT_FALSE(Same(cube.Cubies[26].Colors[1], {1, 2, 3})) << "the table alone changes nothing";
    cube.ApplyColors();
    EXPECT_TRUE(Same(cube.Cubies[26].Colors[1], {1, 2, 3}));
    EXPECT_TRUE(Same(cube.Cubies[24].Colors[1], body)) << "a back cubie's front stays inside";
    EXPECT_EQ(cube.Cubies[26].Points[0].x, 42) << "recolouring leaves the points";
}
