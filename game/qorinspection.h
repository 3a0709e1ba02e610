#pragma once
// The inspection before a solve, by the competition's rule: what the clock shows while the
// player looks at the cube, and what a first turn at a given moment makes of the solve. The
// game keeps the moments; this only judges them.

#include <QString>

namespace QORInspection {

enum class Verdict { InTime, PlusTwo, Dnf };

// Of a first turn this many milliseconds after the inspection began; also of no turn yet,
// which is Dnf once the time is up.
Verdict At(qint64 ms);
// The seconds left, counted down from 15, then the penalty's "+2" from the moment a first
// turn would earn it.
QString Text(qint64 ms);
// The clock warns from 8 seconds left on.
bool Warns(qint64 ms);
// Milliseconds until the clock's text or verdict next changes.
qint64 NextChangeIn(qint64 ms);

} // namespace QORInspection
