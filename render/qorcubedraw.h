#pragma once
// The cube's polygons in immediate mode, for the picture and for selection-mode picking. The
// caller sets up matrices, lights and the render or selection mode; with names, the caller has
// pushed one entry on the name stack, which each polygon's name replaces.

#include "cube/qorbigcube.h"

// A cubie's 26 polygons: its six face octagons in their colours, then twenty chamfers in the
// body colour. Faces are named 100*(index+1) + 10*face + 1, chamfers 100*(index+1).
void Draw(const QORSmallCube& cubie, bool withNames);
// The 27 cubies in index order.
void DrawAll(const QORBigCube& cube, bool withNames);
