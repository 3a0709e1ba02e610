#pragma once
// The cube's own frame: how the turns of the whole cube have turned it since the game began.
// The server replays a solve without them, so each layer turn the player makes is written as
// the turn it is in the frame the cube had before the first of them; the replay then ends in
// the same position but for the way the cube is held, which the solved test does not mind.

#include "model/qormove.h"

#include <QList>

#include <array>

class QORCubeFrame {
public:
    // The cube is held as it began.
    void Reset();
    // A turn of the whole cube: the three layers of one axis, all turned one way.
    void TurnWhole(const QList<QORMove>& turns);
    // A layer turn made in the fixed frame, as the cube held as it began would make it.
    QORMove Own(const QORMove& move) const;

private:
    // Where each fixed axis points in the cube's frame as it began: the inverse of the whole
    // turns made so far, as a signed axis per fixed axis.
    std::array<QORFace, 3> Axes{{{0, 1}, {1, 1}, {2, 1}}};
};
