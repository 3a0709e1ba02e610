#include "game/qorcubeframe.h"

void QORCubeFrame::Reset() {
    Axes = {{{0, 1}, {1, 1}, {2, 1}}};
}

void QORCubeFrame::TurnWhole(const QList<QORMove>& turns) {
    if (turns.isEmpty())
        return;
    // A quarter turn w about axis a, clockwise from its tip for Sense +1, takes the next axis
    // b to -Sense·c and c to +Sense·b (a, b, c cyclic). The frame is the inverse of all whole
    // turns, so the new one is the old one after w's inverse: b takes c's place with the
    // Sense, c takes b's against it.
    const QORMove& w = turns.first();
    const int b = (w.Axis + 1) % 3, c = (w.Axis + 2) % 3;
    const QORFace oldB = Axes[size_t(b)], oldC = Axes[size_t(c)];
    Axes[size_t(b)] = {oldC.Axis, oldC.Sign * w.Sense};
    Axes[size_t(c)] = {oldB.Axis, -oldB.Sign * w.Sense};
}

QORMove QORCubeFrame::Own(const QORMove& move) const {
    // A turn about an axis that points the other way in the cube's frame turns the opposite
    // layer, the other way round.
    const QORFace axis = Axes[size_t(move.Axis)];
    return {axis.Axis, move.Layer * axis.Sign, move.Sense * axis.Sign};
}
