#include "render/qorstickersymbols.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

// A symbol as triangles in the sticker's plane: x, y pairs in units of half the sticker's width.
using Symbol = std::vector<float>;

void Quad(Symbol& s, float ax, float ay, float bx, float by, float cx, float cy, float dx,
          float dy) {
    s.insert(s.end(), {ax, ay, bx, by, cx, cy, ax, ay, cx, cy, dx, dy});
}

// A regular polygon about the middle, or a star when its corners alternate with inner ones.
Symbol Fan(int corners, float outer, float inner, float turn) {
    Symbol s;
    const int steps = inner > 0 ? 2 * corners : corners;
    auto at = [&](int i) {
        const float r = (inner > 0 && i % 2) ? inner : outer;
        const float a = float(turn + 2 * M_PI * i / steps);
        return std::array<float, 2>{r * std::cos(a), r * std::sin(a)};
    };
    for (int i = 0; i < steps; ++i) {
        const auto p = at(i), q = at(i + 1);
        s.insert(s.end(), {0, 0, p[0], p[1], q[0], q[1]});
    }
    return s;
}

Symbol Plus(float arm, float half) {
    Symbol s;
    Quad(s, -arm, -half, arm, -half, arm, half, -arm, half);
    Quad(s, -half, -arm, half, -arm, half, arm, -half, arm);
    return s;
}

Symbol Frame(float outer, float inner) {
    Symbol s;
    const float c[5][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    for (int i = 0; i < 4; ++i)
        Quad(s, outer * c[i][0], outer * c[i][1], outer * c[i + 1][0], outer * c[i + 1][1],
             inner * c[i + 1][0], inner * c[i + 1][1], inner * c[i][0], inner * c[i][1]);
    return s;
}

// By face number 1..6: a disc, a square, a triangle, a plus, a frame and a star.
const std::array<Symbol, 6>& Symbols() {
    static const std::array<Symbol, 6> symbols = {
        Fan(12, 0.42f, 0, 0),
        Fan(4, 0.46f * float(M_SQRT2), 0, float(M_PI / 4)),
        Fan(3, 0.6f, 0, float(M_PI / 2)),
        Plus(0.56f, 0.15f),
        Frame(0.5f, 0.28f),
        Fan(5, 0.6f, 0.26f, float(M_PI / 2)),
    };
    return symbols;
}

// Far enough in front of the sticker for the depth buffer to keep them apart at any angle.
constexpr float Lift = 0.03f;

Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Middle(const Vec3& a, const Vec3& b) {
    return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}

void DrawSymbol(const QORSmallCube& cubie, int face, const Vec3& eye) {
    const auto& p = cubie.Points;
    const Vec3 centre = cubie.FaceCentre(face);
    Vec3 out = Minus(centre, p[0]);
    VecNormalize(out);
    const Vec3 at{centre.x + out.x * Lift, centre.y + out.y * Lift, centre.z + out.z * Lift};
    if (Dot(out, Minus(eye, at)) <= 0)
        return;
    // The midpoints of two neighbouring octagon edges span the sticker's own square.
    const int first = 8 * face - 7;
    const Vec3 u = Minus(Middle(p[first + 3], p[first + 4]), centre);
    Vec3 v = Minus(Middle(p[first + 1], p[first + 2]), centre);
    // Two-sided lighting shades a polygon that winds the other way from the back: the symbol
    // winds about its normal, mirrored where the face's corners run the other way.
    const Vec3 turn{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    if (Dot(turn, out) < 0)
        v = {-v.x, -v.y, -v.z};
    // Dark on a light sticker, light on a dark one.
    const RGBTriple& c = cubie.Colors[std::size_t(face)];
    const GLubyte ink = 299 * c.r + 587 * c.g + 114 * c.b > 128000 ? 16 : 240;
    glColor3ub(ink, ink, ink);
    glNormal3f(out.x, out.y, out.z);
    const Symbol& s = Symbols()[std::size_t(face - 1)];
    for (std::size_t i = 0; i + 1 < s.size(); i += 2)
        glVertex3f(at.x + u.x * s[i] + v.x * s[i + 1], at.y + u.y * s[i] + v.y * s[i + 1],
                   at.z + u.z * s[i] + v.z * s[i + 1]);
}

} // namespace

void DrawStickerSymbols(const QORBigCube& cube, const QORTurnPose* pose, const Vec3& eye) {
    // One batch of triangles for them all.
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < QORBigCube::CubieCount; ++i) {
        const QORSmallCube c = Posed(cube.Cubies[std::size_t(i)], i, pose);
        for (int side = 0; side < 6; ++side)
            if (c.Outer[std::size_t(side)])
                DrawSymbol(c, QORSmallCube::FaceOfSide[side], eye);
    }
    glEnd();
}
