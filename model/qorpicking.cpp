// Sticker dragging: the sticker under the pointer, and the layer turn that carries the picked
// sticker along the drag. Stepping from one cubie to its neighbour is the gesture.

#include "model/qorbigcube.h"

#include <cmath>

namespace {

bool IsZero(const Vec3& v) {
    return v.x == 0 && v.y == 0 && v.z == 0;
}
bool Same(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
float Get(const Vec3& v, int i) {
    return i == 0 ? v.x : i == 1 ? v.y : v.z;
}

// One row of the sense table: for the axis, the drag component, and the side of the cube the
// previous cubie is on, the sense that moves the sticker with the pointer.
struct SenseRow {
    int Axis, Component, Side;
    bool SidePositive;
    int SenseWhenPositive;
};

constexpr SenseRow SenseTable[12] = {
    {0, 2, 1, true, +1}, {0, 2, 1, false, -1}, {0, 1, 2, true, -1}, {0, 1, 2, false, +1},
    {1, 0, 2, true, +1}, {1, 0, 2, false, -1}, {1, 2, 0, true, -1}, {1, 2, 0, false, +1},
    {2, 0, 1, true, -1}, {2, 0, 1, false, +1}, {2, 1, 0, true, +1}, {2, 1, 0, false, -1},
};

} // namespace

std::optional<QORMove> QORBigCube::Pick(const QORHit& hit) {
    if (hit.Cubie < 0 || hit.Cubie >= CubieCount || hit.Face < 1 || hit.Face > 6)
        return std::nullopt;
    PickPrev = PickCubie;
    PickCubie = Cubies[std::size_t(hit.Cubie)].Points[0];
    PickFace = Cubies[std::size_t(hit.Cubie)].FaceCentre(hit.Face);
    if (IsZero(PickPrev) || IsZero(PickCubie) || IsZero(PickFace) || Same(PickPrev, PickCubie))
        return std::nullopt;
    std::optional<QORMove> turn;
    for (const Vec3& axis : FindLayer())
        turn = DragTurn(axis);
    return turn;
}

std::optional<QORMove> QORBigCube::DragTurn(const Vec3& axis) {
    const Vec3 d{PickPrev.x - PickCubie.x, PickPrev.y - PickCubie.y, PickPrev.z - PickCubie.z};
    const Vec3& p1 = PickPrev;
    int sense = 0;
    for (const SenseRow& row : SenseTable) {
        if (Get(axis, row.Axis) != 1.0f)
            continue;
        const float component = Get(d, row.Component);
        const float side = Get(p1, row.Side);
        if (std::trunc(std::fabs(component)) < 1)
            continue;
        if (row.SidePositive ? !(side > 0) : !(side < 0))
            continue;
        // Later rows of the same axis win.
        sense = component > 0 ? row.SenseWhenPositive : -row.SenseWhenPositive;
    }
    // The layer holds both picked cubies.
    const std::optional<QORMove> move =
        sense != 0 ? std::optional(MoveOf(axis, PickCubie, sense)) : std::nullopt;
    ClearTurnMarks();
    ClearPicks();
    return move;
}
