// Layer turns, the shuffle and the solved test. Layers are found again from the points
// every time: the plane value of a cubie centre truncates to 0 on the layer and to at least 1
// on the next one, which absorbs the rounding error the points gather over many turns.

#include "cube/qorbigcube.h"

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

float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

} // namespace

int QORBigCube::StepDegrees() const {
    // Any other step would divide by zero or leave the layer off the grid.
    return QORSettingTable::RotateSpeed.Valid(Settings->RotateStep);
}

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

void QORBigCube::StepMarked(int steps) {
    for (int i = 0; i < steps; ++i) {
        for (QORSmallCube& c : Cubies)
            if (c.InTurn)
                for (Vec3& p : c.Points)
                    MatVec(p, TurnMatrix, p);
        if (Renderer)
            Renderer->DrawFrame();
    }
}

void QORBigCube::AnimateTurn(const Vec3& axis, int angle) {
    const int step = StepDegrees();
    MatRotation(TurnMatrix, axis, angle < 0 ? -step : step);
    StepMarked(90 / step);
}

void QORBigCube::Shuffle(int count) {
    const uint64_t seed =
        SeedSource ? SeedSource()
                   : uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    Random.seed(std::minstd_rand::result_type(seed % 2147483646u + 1));
    Busy = true;
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
        for (const Vec3& axis : FindLayer())
            AnimateTurn(axis, Draw(2) == 0 ? StepDegrees() : -StepDegrees());
    }
    ClearTurnMarks();
    ClearPicks();
    Busy = false;
}

bool QORBigCube::IsSolved() {
    Busy = true;
    int ok = 0;
    const QORSmallCube& corner = Cubies[0];
    for (int pass = 0; pass < 3; ++pass) {
        PickPrev = corner.Points[0];
        PickCubie = pass == 2 ? corner.FaceCentre(5) : corner.FaceCentre(1);
        PickFace = pass == 1 ? corner.FaceCentre(5) : corner.FaceCentre(3);
        const Plane plane(PickPrev, PickCubie, PickFace);
        int count = 0;
        int flags[6] = {};
        for (const QORSmallCube& c : Cubies) {
            if (!plane.Holds(c.Points[0]))
                continue;
            ++count;
            for (int side = 0; side < 6; ++side)
                flags[side] += c.Outer[side];
        }
        bool oneSide = false;
        for (int f : flags)
            oneSide = oneSide || f == 9;
        if (count == 9 && oneSide)
            ++ok;
    }
    ClearPicks();
    Busy = false;
    return ok == 3;
}
