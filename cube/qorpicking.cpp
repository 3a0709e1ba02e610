// Sticker dragging: the selection hit under the pointer, and the layer turn that carries the
// picked sticker along the drag. Stepping from one cubie to its neighbour is the gesture.

#include "cube/qorbigcube.h"

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

void QORBigCube::TakeHit(int hitCount, const uint32_t* buffer, int bufferSize) {
    // Records are: name count, minimum depth, maximum depth, names.
    int best = -1;
    uint32_t bestDepth = 0;
    for (int h = 0, at = 0; h < hitCount && at + 3 <= bufferSize; ++h) {
        const uint32_t names = buffer[at];
        if (names > uint32_t(bufferSize - at - 3))
            break;
        if (names > 0 && (best < 0 || buffer[at + 1] < bestDepth)) {
            best = at;
            bestDepth = buffer[at + 1];
        }
        at += 3 + int(names);
    }
    if (best < 0)
        return;
    const uint32_t name = buffer[best + 3 + buffer[best] - 1];
    const uint32_t q = name / 100, f = (name % 100) / 10, u = name % 10;
    // Chamfers carry face 0 and are never picked.
    if (q < 1 || q > 27 || f < 1 || f > 6 || u < 1)
        return;
    PickPrev = PickCubie;
    PickCubie = Cubies[q - 1].Points[0];
    PickFace = Cubies[q - 1].FaceCentre(int(f));
    if (IsZero(PickPrev) || IsZero(PickCubie) || IsZero(PickFace) || Same(PickPrev, PickCubie))
        return;
    TurnPickedLayer();
}

void QORBigCube::TurnPickedLayer() {
    for (const Vec3& axis : FindLayer())
        TurnLayerByDrag(axis);
}

void QORBigCube::TurnLayerByDrag(const Vec3& axis) {
    Busy = true;
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
    if (sense != 0) {
        // The layer holds both picked cubies.
        const QORMove move = MoveOf(axis, PickCubie, sense);
        if (Turn(move) && Dragged)
            Dragged(move);
    }
    ClearTurnMarks();
    ClearPicks();
    Busy = false;
}
