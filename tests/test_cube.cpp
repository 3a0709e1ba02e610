#include "model/qorbigcube.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(Cube, resetPlacesEachCubieAndStickerByItsIndexAndOnlyApplyColorsRecolours) {
    QORColorTable colors = DefaultColorTable();
    QORBigCube cube(&colors);
    cube.Reset();
    for (int k = 0; k < 27; ++k) {
        const QORSmallCube& c = cube.Cubies[k];
        const int i = k / 9, j = (k / 3) % 3, l = k % 3;
        EXPECT_EQ(c.Name, uint32_t(100 * k + 100));
        ExpectVec(c.Points[0], (i - 1) * 1.6f, (j - 1) * 1.6f, (l - 1) * 1.6f);
        // Outer: front, back, top, bottom, left, right.
        EXPECT_EQ(c.Outer, (std::array<bool, 6>{l == 2, l == 0, j == 2, j == 0, i == 0, i == 2}))
            << k;
    }
    // Each face's centre is 0.8 out from the cubie's.
    for (int f = 1; f <= 6; ++f)
        ExpectVec(cube.Cubies[13].FaceCentre(f), 0.8f * FaceOut[f].x, 0.8f * FaceOut[f].y,
                  0.8f * FaceOut[f].z);
    const RGBTriple body = colors[0], chosen{1, 2, 3};
    // Cubie 26 is the right-top-front corner, cubie 0 the left-bottom-back one.
    const int owner[7] = {0, 26, 0, 0, 26, 26, 0};
    for (int f = 1; f <= 6; ++f)
        EXPECT_EQ(cube.Cubies[owner[f]].Colors[f], colors[f]) << f;
    for (const RGBTriple& c : cube.Cubies[13].Colors)
        EXPECT_EQ(c, body) << "the core is all body";
    colors[1] = chosen;
    cube.Cubies[26].Points[0].x = 42; // stands for any scramble
    EXPECT_FALSE(cube.Cubies[26].Colors[1] == chosen) << "the table alone changes nothing";
    cube.ApplyColors();
    EXPECT_EQ(cube.Cubies[26].Colors[1], chosen);
    EXPECT_EQ(cube.Cubies[24].Colors[1], body) << "a back cubie's front stays inside";
    EXPECT_EQ(cube.Cubies[26].Points[0].x, 42) << "recolouring leaves the points";
}
