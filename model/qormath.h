#pragma once
// Vector, matrix and colour types shared by the cube, the camera and the light.
//
// World coordinates: right-handed, cube centred on the origin, +x right, +y up, +z towards the
// initial eye. Angles are in degrees. A Mat3 is nine floats row by row and is applied to a
// column vector. MatRotation's positive angle turns a point clockwise as seen from the tip of
// the axis looking towards the origin: about (0,0,1) by +90, (1,0,0) goes to (0,-1,0).

#include <array>
#include <cstdint>

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

struct Mat3 {
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

struct RGBTriple {
    uint8_t r = 0, g = 0, b = 0;
};

// out = a * b; out may alias a or b.
void MatMul(Mat3& out, const Mat3& a, const Mat3& b);
void MatVec(Vec3& out, const Mat3& m, const Vec3& v);
void MatRotation(Mat3& m, const Vec3& u, float angleDegrees);
// (b - a) x (c - a), not normalised.
Vec3 TriangleNormal(const Vec3& a, const Vec3& b, const Vec3& c);
void SetRGB(RGBTriple& dst, uint8_t r, uint8_t g, uint8_t b);

float VecLength(const Vec3& v);
void VecNormalize(Vec3& v);

// Windows colour values are 0x00BBGGRR: red in the low byte.
RGBTriple RGBFromColorValue(uint32_t value);
uint32_t ColorValueFromRGB(const RGBTriple& c);

// The colour slots: 0 body, 1 front, 2 back, 3 left, 4 right, 5 top, 6 bottom, 7 background.
using QORColorTable = std::array<RGBTriple, 8>;
// The colours of a cube nobody has coloured otherwise, as colour values by slot.
inline constexpr std::array<uint32_t, 8> DefaultColorValues = {
    0x00483535, 0x00FFFFFF, 0x00FF1A8C, 0x0080FF80, 0x00FF8000, 0x0055FFFF, 0x005151FF, 0x00000000};
QORColorTable DefaultColorTable();
