#include "cube/qormath.h"

#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(Math, positiveRotationIsClockwiseSeenFromTheAxisTip) {
    struct Case {
        Vec3 axis, from, to;
    };
    const Case cases[] = {{{0, 0, 1}, {1, 0, 0}, {0, -1, 0}},
                          {{1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
                          {{0, 1, 0}, {0, 0, 1}, {-1, 0, 0}}};
    for (const Case& c : cases) {
        Mat3 m;
        MatRotation(m, c.axis, 90);
        Vec3 v = c.from;
        MatVec(v, m, v); // into itself: the old components are used
        ExpectVec(v, c.to.x, c.to.y, c.to.z);
    }
}

TEST(Math, productMayBeWrittenIntoEitherOperand) {
    const Mat3 a{{1, 2, 3, 4, 5, 6, 7, 8, 9}}, b{{9, 8, 7, 6, 5, 4, 3, 2, 1}};
    Mat3 left = a, right = b;
    MatMul(left, left, b);
    MatMul(right, a, right);
    const float expected[9] = {30, 24, 18, 84, 69, 54, 138, 114, 90};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(left.m[i], expected[i]);
        EXPECT_EQ(right.m[i], expected[i]);
    }
}

TEST(Math, triangleNormalFollowsTheWindingAndKeepsItsLength) {
    ExpectVec(TriangleNormal({0, 0, 0}, {2, 0, 0}, {0, 3, 0}), 0, 0, 6);
    ExpectVec(TriangleNormal({0, 0, 0}, {0, 3, 0}, {2, 0, 0}), 0, 0, -6);
}

TEST(Math, colourValueKeepsRedInTheLowByte) {
    const RGBTriple c = RGBFromColorValue(0xAB1A2B8C);
    EXPECT_EQ(c.r, 0x8C);
    EXPECT_EQ(c.g, 0x2B);
    EXPECT_EQ(c.b, 0x1A);
    EXPECT_EQ(ColorValueFromRGB(c), 0x001A2B8Cu);
}
