#pragma once
// Between the game's cube and the solver's: stickers read off the game's cubies, and face turns
// written as the game's quarter turns. The centres name the faces, so a cube that was turned
// whole or by its middle layers converts too, and a solution's turns solve it as it is held.

#include "model/qorbigcube.h"
#include "model/qormove.h"
#include "solver/qorcubiecube.h"

#include <QList>

#include <vector>

// Solved, with the fault, if the cubies do not make a legal cube, which turns never cause.
QORCubieCube CubieCubeOf(const QORBigCube& cube, QORStateFault* fault = nullptr);
// The state these turns make from a solved cube; any of the eighteen layer turns.
QORCubieCube CubieCubeAfter(const QList<QORMove>& turns);
// A half turn becomes two quarter turns, as the game and the wire know only quarter turns.
QList<QORMove> QuarterTurnsOf(const std::vector<int>& faceTurns);
