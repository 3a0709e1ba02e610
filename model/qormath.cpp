#include "model/qormath.h"

#include <cmath>

void MatMul(Mat3& out, const Mat3& a, const Mat3& b) {
    Mat3 t;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            float s = 0;
            for (int k = 0; k < 3; ++k)
                s += a.m[r * 3 + k] * b.m[k * 3 + c];
            t.m[r * 3 + c] = s;
        }
    out = t;
}

void MatVec(Vec3& out, const Mat3& m, const Vec3& v) {
    const Vec3 t{m.m[0] * v.x + m.m[1] * v.y + m.m[2] * v.z,
                 m.m[3] * v.x + m.m[4] * v.y + m.m[5] * v.z,
                 m.m[6] * v.x + m.m[7] * v.y + m.m[8] * v.z};
    out = t;
}

void MatRotation(Mat3& m, const Vec3& u, float angleDegrees) {
    const float a = angleDegrees * float(M_PI) / 180.0f;
    const float c = std::cos(a);
    const float s = std::sin(a);
    const float x = u.x, y = u.y, z = u.z;
    m.m[0] = x * x + (1 - x * x) * c;
    m.m[1] = x * y * (1 - c) + z * s;
    m.m[2] = x * z * (1 - c) - y * s;
    m.m[3] = x * y * (1 - c) - z * s;
    m.m[4] = y * y + (1 - y * y) * c;
    m.m[5] = y * z * (1 - c) + x * s;
    m.m[6] = x * z * (1 - c) + y * s;
    m.m[7] = y * z * (1 - c) - x * s;
    m.m[8] = z * z + (1 - z * z) * c;
}

Vec3 TriangleNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 u{b.x - a.x, b.y - a.y, b.z - a.z};
    const Vec3 v{c.x - a.x, c.y - a.y, c.z - a.z};
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

void SetRGB(RGBTriple& dst, uint8_t r, uint8_t g, uint8_t b) {
    dst = {r, g, b};
}

float VecLength(const Vec3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

void VecNormalize(Vec3& v) {
    const float len = VecLength(v);
    if (len > 0) {
        v.x /= len;
        v.y /= len;
        v.z /= len;
    }
}

RGBTriple RGBFromColorValue(uint32_t value) {
    return {uint8_t(value & 0xFF), uint8_t((value >> 8) & 0xFF), uint8_t((value >> 16) & 0xFF)};
}

uint32_t ColorValueFromRGB(const RGBTriple& c) {
    return uint32_t(c.r) | (uint32_t(c.g) << 8) | (uint32_t(c.b) << 16);
}

QORColorTable DefaultColorTable() {
    QORColorTable table;
    for (std::size_t slot = 0; slot < table.size(); ++slot)
        table[slot] = RGBFromColorValue(DefaultColorValues[slot]);
    return table;
}
