#include "model/qorsmallcube.h"

#include <cmath>

namespace {

// In-plane offsets of each octagon corner, as multiples of (s, b): value = sa * s + ba * b.
struct Offset {
    float sa, ba;
};
struct Corner {
    Offset u, v;
};

// The two in-plane coordinates of faces 1/2 are (x, y), of faces 3/4 (y, z), of faces 5/6 (x, z).
constexpr Corner FrontBack[8] = {{{-1, 0}, {1, -1}}, {{-1, 1}, {1, 0}}, {{1, -1}, {1, 0}},
                                 {{1, 0}, {1, -1}},  {{1, 0}, {-1, 1}}, {{1, -1}, {-1, 0}},
                                 {{-1, 1}, {-1, 0}}, {{-1, 0}, {-1, 1}}};
constexpr Corner LeftRight[8] = {{{1, -1}, {-1, 0}}, {{1, 0}, {-1, 1}}, {{1, 0}, {1, -1}},
                                 {{1, -1}, {1, 0}},  {{-1, 1}, {1, 0}}, {{-1, 0}, {1, -1}},
                                 {{-1, 0}, {-1, 1}}, {{-1, 1}, {-1, 0}}};
constexpr Corner TopBottom[8] = {{{-1, 0}, {-1, 1}}, {{-1, 1}, {-1, 0}}, {{1, -1}, {-1, 0}},
                                 {{1, 0}, {-1, 1}},  {{1, 0}, {1, -1}},  {{1, -1}, {1, 0}},
                                 {{-1, 1}, {1, 0}},  {{-1, 0}, {1, -1}}};

} // namespace

void QORSmallCube::Build(const Vec3& c, float size, float bevel) {
    Size = size;
    Bevel = bevel;
    const float s = size, b = bevel, d = size + bevel;
    auto at = [s, b](Offset o) { return o.sa * s + o.ba * b; };
    Points[0] = c;
    for (int i = 0; i < 8; ++i) {
        const Corner& fb = FrontBack[i];
        Points[1 + i] = {c.x + at(fb.u), c.y + at(fb.v), c.z + d};
        Points[9 + i] = {c.x + at(fb.u), c.y + at(fb.v), c.z - d};
        const Corner& lr = LeftRight[i];
        Points[17 + i] = {c.x - d, c.y + at(lr.u), c.z + at(lr.v)};
        Points[25 + i] = {c.x + d, c.y + at(lr.u), c.z + at(lr.v)};
        const Corner& tb = TopBottom[i];
        Points[33 + i] = {c.x + at(tb.u), c.y + d, c.z + at(tb.v)};
        Points[41 + i] = {c.x + at(tb.u), c.y - d, c.z + at(tb.v)};
    }
    InTurn = false;
    Name = 0;
    Outer.fill(false);
}

Vec3 QORSmallCube::FaceCentre(int face) const {
    const Vec3& a = Points[8 * face - 7];
    const Vec3& e = Points[8 * face - 3];
    return {(a.x + e.x) / 2, (a.y + e.y) / 2, (a.z + e.z) / 2};
}

int QORSmallCube::Facing(int face) const {
    const Vec3 f = FaceCentre(face), o = Points[0];
    const float d[3] = {f.x - o.x, f.y - o.y, f.z - o.z};
    int axis = 0;
    for (int a = 1; a < 3; ++a)
        if (std::fabs(d[a]) > std::fabs(d[axis]))
            axis = a;
    return 2 * axis + (d[axis] < 0);
}
