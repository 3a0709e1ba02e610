#include "render/qorstickersymbols.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

// A symbol is one primitive in the sticker's plane: x, y pairs in units of half the sticker's
// width.
struct Symbol {
    GLenum Mode;
    std::vector<float> XY;
};

// A fan about the middle: a regular polygon, or a star when its corners alternate with inner
// ones.
Symbol Fan(int corners, float outer, float inner, float turn) {
    Symbol s{GL_TRIANGLE_FAN, {0, 0}};
    const int steps = inner > 0 ? 2 * corners : corners;
    for (int i = 0; i <= steps; ++i) {
        const float r = (inner > 0 && i % 2) ? inner : outer;
        const float a = float(turn + 2 * M_PI * i / steps);
        s.XY.insert(s.XY.end(), {r * std::cos(a), r * std::sin(a)});
    }
    return s;
}

// By face number 1..6: a disc, a square, a triangle, a plus, a frame and a star.
const std::array<Symbol, 6>& Symbols() {
    static const std::array<Symbol, 6> symbols = {
        Fan(16, 0.42f, 0, 0),
        Symbol{GL_QUADS, {-0.46f, -0.46f, 0.46f, -0.46f, 0.46f, 0.46f, -0.46f, 0.46f}},
        Symbol{GL_TRIANGLES, {0, 0.56f, -0.52f, -0.38f, 0.52f, -0.38f}},
        Symbol{GL_QUADS,
               {-0.56f, -0.15f, 0.56f, -0.15f, 0.56f, 0.15f, -0.56f, 0.15f, -0.15f, -0.56f, 0.15f,
                -0.56f, 0.15f, 0.56f, -0.15f, 0.56f}},
        Symbol{GL_QUAD_STRIP,
               {-0.5f, -0.5f, -0.28f, -0.28f, 0.5f,   -0.5f, 0.28f, -0.28f, 0.5f,   0.5f,
                0.28f, 0.28f, -0.5f,  0.5f,   -0.28f, 0.28f, -0.5f, -0.5f,  -0.28f, -0.28f}},
        Fan(5, 0.6f, 0.26f, float(M_PI / 2)),
    };
    return symbols;
}

// Far enough in front of the sticker for the depth buffer to keep them apart at any angle.
constexpr float Lift = 0.03f;

Vec3 Along(const Vec3& from, const Vec3& to, float t) {
    return {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t,
            from.z + (to.z - from.z) * t};
}

} // namespace

void DrawStickerSymbols(const QORSmallCube& cubie) {
    const auto& p = cubie.Points;
    for (int side = 0; side < 6; ++side) {
        if (!cubie.Outer[std::size_t(side)])
            continue;
        const int face = QORSmallCube::FaceOfSide[side], first = 8 * face - 7;
        const Vec3 centre = cubie.FaceCentre(face);
        Vec3 out{centre.x - p[0].x, centre.y - p[0].y, centre.z - p[0].z};
        VecNormalize(out);
        const Vec3 at{centre.x + out.x * Lift, centre.y + out.y * Lift, centre.z + out.z * Lift};
        // The midpoints of two neighbouring octagon edges span the sticker's own square.
        const Vec3 right = Along(p[first + 3], p[first + 4], 0.5f);
        const Vec3 up = Along(p[first + 1], p[first + 2], 0.5f);
        const Vec3 u{right.x - centre.x, right.y - centre.y, right.z - centre.z};
        Vec3 v{up.x - centre.x, up.y - centre.y, up.z - centre.z};
        // Two-sided lighting shades a polygon that winds the other way from the back: the
        // symbol winds about its normal, mirrored where the face's corners run the other way.
        const Vec3 turn{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        if (turn.x * out.x + turn.y * out.y + turn.z * out.z < 0)
            v = {-v.x, -v.y, -v.z};
        // Dark on a light sticker, light on a dark one.
        const RGBTriple& c = cubie.Colors[std::size_t(face)];
        const GLubyte ink = 299 * c.r + 587 * c.g + 114 * c.b > 128000 ? 16 : 240;
        glColor3ub(ink, ink, ink);
        glNormal3f(out.x, out.y, out.z);
        const Symbol& s = Symbols()[std::size_t(face - 1)];
        glBegin(s.Mode);
        for (std::size_t i = 0; i + 1 < s.XY.size(); i += 2) {
            const float x = s.XY[i], y = s.XY[i + 1];
            glVertex3f(at.x + u.x * x + v.x * y, at.y + u.y * x + v.y * y,
                       at.z + u.z * x + v.z * y);
        }
        glEnd();
    }
}
