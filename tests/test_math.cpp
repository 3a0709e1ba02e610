#include "cube/qormath.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(Math, rotationIsClockwiseSeenFromAxisTip) {
    Mat3 m;
    MatRotation(m, {0, 0, 1}, 90);
    Vec3 v;
    MatVec(v, m, {1, 0, 0});
    ExpectVec(v, 0, -1, 0);
    MatRotation(m, {1, 0, 0}, 90);
    MatVec(v, m, {0, 1, 0});
    ExpectVec(v, 0, 0, -1);
    MatRotation(m, {0, 1, 0}, 90);
    MatVec(v, m, {0, 0, 1});
    ExpectVec(v, -1, 0, 0);
}

TEST(Math, rotationByOppositeAnglesCancels) {
    Mat3 a, b, ab;
    const Vec3 axis{0.6f, 0, 0.8f};
    MatRotation(a, axis, 37);
    MatRotation(b, axis, -37);
    MatMul(ab, a, b);
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(ab.m[i], i % 4 == 0 ? 1.0f : 0.0f, 1e-6f);
}

TEST(Math, mulMayWriteIntoEitherOperand) {
    Mat3 a{{1, 2, 3, 4, 5, 6, 7, 8, 9}};
    Mat3 b{{9, 8, 7, 6, 5, 4, 3, 2, 1}};
    Mat3 expected;
    MatMul(expected, a, b);
    EXPECT_EQ(expected.m[0], 30);
    EXPECT_EQ(expected.m[1], 24);
    EXPECT_EQ(expected.m[8], 90);
    Mat3 left = a;
    MatMul(left, left, b);
    Mat3 right = b;
    MatMul(right, a, right);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(left.m[i], expected.m[i]);
        EXPECT_EQ(right.m[i], expected.m[i]);
    }
}

TEST(Math, vecIntoItselfUsesOldComponents) {
    Mat3 m;
    MatRotation(m, {0, 0, 1}, 90);
    Vec3 v{1, 2, 0};
    MatVec(v, m, v);
    ExpectVec(v, 2, -1, 0);
}

TEST(Math, triangleNormalFollowsWindingAndIsNotNormalised) {
    ExpectVec(TriangleNormal({0, 0, 0}, {2, 0, 0}, {0, 3, 0}), 0, 0, 6);
    ExpectVec(TriangleNormal({0, 0, 0}, {0, 3, 0}, {2, 0, 0}), 0, 0, -6);
}

TEST(Math, scaleFillsDiagonalOnly) {
    Mat3 m;
    MatScale(m, 2.5f);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(m.m[i], i % 4 == 0 ? 2.5f : 0.0f);
}

TEST(Math, colourValueKeepsRedInLowByte) {
    const RGBTriple c = RGBFromColorValue(0x00FF1A8C);
    EXPECT_EQ(c.r, 0x8C);
    EXPECT_EQ(c.g, 0x1A);
    EXPECT_EQ(c.b, 0xFF);
    EXPECT_EQ(ColorValueFromRGB(c), 0x00FF1A8Cu);
    EXPECT_EQ(ColorValueFromRGB(RGBFromColorValue(0xAB123456)), 0x00123456u);
}
