#include "render/qorstickersymbols.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

// A symbol in the sticker's plane: its corners as x, y pairs in units of half the sticker's
// width, and its triangles as corner numbers. Shared corners are lit once.
struct Symbol {
    std::vector<float> XY;
    std::vector<GLushort> Triangles;
};

// A regular polygon about the middle, or a star when its corners alternate with inner ones.
Symbol Fan(int corners, float outer, float inner, float turn) {
    Symbol s{{0, 0}, {}};
    const int steps = inner > 0 ? 2 * corners : corners;
    for (int i = 0; i < steps; ++i) {
        const float r = (inner > 0 && i % 2) ? inner : outer;
        const float a = float(turn + 2 * M_PI * i / steps);
        s.XY.insert(s.XY.end(), {r * std::cos(a), r * std::sin(a)});
        s.Triangles.insert(s.Triangles.end(), {0, GLushort(1 + i), GLushort(1 + (i + 1) % steps)});
    }
    return s;
}

// Quads a-b-c-d as corner numbers, two triangles each.
void Quads(Symbol& s, std::initializer_list<std::array<GLushort, 4>> quads) {
    for (const auto& q : quads)
        s.Triangles.insert(s.Triangles.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
}

Symbol Plus(float arm, float half) {
    Symbol s{{-arm, -half, arm, -half, arm, half, -arm, half, -half, -arm, half, -arm, half, arm,
              -half, arm},
             {}};
    Quads(s, {{0, 1, 2, 3}, {4, 5, 6, 7}});
    return s;
}

// A square ring: the outer corners 0-3, the inner 4-7.
Symbol Frame(float outer, float inner) {
    Symbol s;
    for (float r : {outer, inner})
        s.XY.insert(s.XY.end(), {-r, -r, r, -r, r, r, -r, r});
    Quads(s, {{0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}});
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

// All the symbols of a pass, drawn in one call.
struct Batch {
    std::vector<float> Points, Normals;
    std::vector<GLubyte> Colours;
    std::vector<GLushort> Triangles;
};

void AddSymbol(Batch& b, const QORSmallCube& cubie, int face, const Vec3& eye) {
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
    const Symbol& s = Symbols()[std::size_t(face - 1)];
    const auto base = GLushort(b.Points.size() / 3);
    for (std::size_t i = 0; i + 1 < s.XY.size(); i += 2) {
        const float x = s.XY[i], y = s.XY[i + 1];
        b.Points.insert(b.Points.end(), {at.x + u.x * x + v.x * y, at.y + u.y * x + v.y * y,
                                         at.z + u.z * x + v.z * y});
        b.Normals.insert(b.Normals.end(), {out.x, out.y, out.z});
        b.Colours.insert(b.Colours.end(), {ink, ink, ink});
    }
    for (GLushort corner : s.Triangles)
        b.Triangles.push_back(GLushort(base + corner));
}

} // namespace

void DrawStickerSymbols(const QORBigCube& cube, const QORTurnPose* pose, const Vec3& eye) {
    Batch b;
    b.Points.reserve(3 * 13 * 27);
    for (int i = 0; i < QORBigCube::CubieCount; ++i) {
        const QORSmallCube c = Posed(cube.Cubies[std::size_t(i)], i, pose);
        for (int side = 0; side < 6; ++side)
            if (c.Outer[std::size_t(side)])
                AddSymbol(b, c, QORSmallCube::FaceOfSide[side], eye);
    }
    if (b.Triangles.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, b.Points.data());
    glNormalPointer(GL_FLOAT, 0, b.Normals.data());
    glColorPointer(3, GL_UNSIGNED_BYTE, 0, b.Colours.data());
    glDrawElements(GL_TRIANGLES, GLsizei(b.Triangles.size()), GL_UNSIGNED_SHORT,
                   b.Triangles.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}
