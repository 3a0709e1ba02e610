// Layer turns, the shuffle and the solved test. Layers are found again from the points
// every time: the plane value of a cubie centre truncates to 0 on the layer and to at least 1
// on the next one, which also absorbs the last bits of points saved by older versions.

#include "model/qorbigcube.h"

#include <chrono>
#include <cmath>

namespace {

struct Plane {
    Vec3 n;
    float d = 0;

    Plane(const Vec3& p1, const Vec3& p2, const Vec3& p3)
        : n(TriangleNormal(p1, p2, p3)), d(-(n.x * p1.x + n.y * p1.y + n.z * p1.z)) {}

    bool Holds(const Vec3& q) const {
        const float v = n.x * q.x + n.y * q.y + n.z * q.z + d;
        return std::trunc(v) == 0;
    }
};

float& Along(Vec3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

int QORBigCube::MarkLayer() {
    const Plane plane(PickPrev, PickCubie, PickFace);
    int marked = 0;
    for (QORSmallCube& c : Cubies)
        if (plane.Holds(c.Points[0])) {
            c.InTurn = true;
            ++marked;
        }
    return marked;
}

std::vector<Vec3> QORBigCube::TurnAxes() {
    Vec3 n = TriangleNormal(PickPrev, PickCubie, PickFace);
    VecNormalize(n);
    VecNormalize(AxisX);
    VecNormalize(AxisY);
    VecNormalize(AxisZ);
    std::vector<Vec3> axes;
    for (const Vec3& axis : {AxisX, AxisY, AxisZ}) {
        // Truncation passes only a normal parallel to the axis to float precision.
        const float t = std::trunc(Dot(n, axis));
        const float r = std::fabs(t) / (VecLength(n) * VecLength(axis));
        if (r > 0.98f)
            axes.push_back(axis);
    }
    return axes;
}

std::vector<Vec3> QORBigCube::FindLayer() {
    ClearTurnMarks();
    const int marked = MarkLayer();
    std::vector<Vec3> axes = TurnAxes();
    if (marked != 9)
        axes.clear();
    return axes;
}

void QORBigCube::Turn(const QORMove& move) {
    // A quarter turn about a unit axis swaps the other two coordinates and negates one: (a, b)
    // goes to (b, -a) for a positive sense, with (a, b) being (y, z), (z, x) or (x, y).
    const int a = (move.Axis + 1) % 3, b = (move.Axis + 2) % 3;
    for (QORSmallCube& c : Cubies) {
        if (std::lround(Along(c.Points[0], move.Axis) / Spacing) != move.Layer)
            continue;
        for (Vec3& p : c.Points) {
            const float va = Along(p, a), vb = Along(p, b);
            Along(p, a) = move.Sense > 0 ? vb : -vb;
            Along(p, b) = move.Sense > 0 ? -va : va;
        }
    }
}

QORMove QORBigCube::MoveOf(const Vec3& axis, const Vec3& inLayer, int sense) {
    // The axes are the unit axes: the one turned about has a component of exactly 1.
    const int a = axis.x == 1.0f ? 0 : axis.y == 1.0f ? 1 : 2;
    const float along = a == 0 ? inLayer.x : a == 1 ? inLayer.y : inLayer.z;
    return {a, int(std::lround(along / Spacing)), sense < 0 ? -1 : 1};
}

QList<QORMove> QORBigCube::Shuffle(int count, const Drawing& draw) {
    const uint64_t seed =
        SeedSource ? SeedSource()
                   : uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    Random.seed(std::minstd_rand::result_type(seed % 2147483646u + 1));
    const auto Draw = [&](uint32_t n) { return draw ? draw(n) : uint32_t(Random()) % n; };
    QList<QORMove> turns;
    for (int pass = 0; pass < count; ++pass) {
        const QORSmallCube& c = Cubies[Draw(27)];
        PickPrev = c.Points[0];
        switch (Draw(3)) {
        case 0:
            PickCubie = c.FaceCentre(1);
            PickFace = c.FaceCentre(3);
            break;
        case 1:
            PickCubie = c.FaceCentre(1);
            PickFace = c.FaceCentre(5);
            break;
        default:
            PickFace = c.FaceCentre(3);
            PickCubie = c.FaceCentre(5);
            break;
        }
        for (const Vec3& axis : FindLayer()) {
            const int sense = Draw(2) == 0 ? 1 : -1;
            turns << MoveOf(axis, PickPrev, sense);
            Turn(turns.last());
        }
    }
    ClearTurnMarks();
    ClearPicks();
    return turns;
}

bool QORBigCube::IsSolved() {
    // The colour slot shown by the stickers facing each of the six directions, 0 while none has
    // been seen: solved when every sticker agrees with the others facing its way, whichever
    // way the cube as a whole faces.
    int slotFacing[6] = {};
    bool solved = true;
    for (const QORSmallCube& c : Cubies)
        for (int side = 0; side < 6 && solved; ++side) {
            if (!c.Outer[side])
                continue;
            const int face = QORSmallCube::FaceOfSide[side];
            int& slot = slotFacing[c.Facing(face)];
            solved = slot == 0 || slot == face;
            slot = face;
        }
    return solved;
}
