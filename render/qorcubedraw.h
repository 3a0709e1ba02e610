#pragma once
// The cube's polygons in immediate mode, for the picture and for selection-mode picking. The
// caller sets up matrices, lights and the render or selection mode; with names, the caller has
// pushed one entry on the name stack, which each polygon's name replaces.

#include "model/qorbigcube.h"

#include <array>
#include <cstdint>
#include <optional>

// A layer part-way through a quarter turn: the marked cubies are drawn turned by Degrees
// (MatRotation's sense) about the unit axis, away from where the cube holds them.
struct QORTurnPose {
    std::array<bool, QORBigCube::CubieCount> Turning{};
    int Axis = 0;
    float Degrees = 0;
};

// The cubie as a pose shows it: turned when its layer is, else as it is.
QORSmallCube Posed(const QORSmallCube& cubie, int index, const QORTurnPose* pose);

// The sticker of the nearest selection hit by unsigned depth, if a sticker was hit at all.
// Records are: name count, minimum depth, maximum depth, names.
std::optional<QORHit> NearestHit(int hitCount, const uint32_t* buffer, int bufferSize);

// A cubie's 26 polygons: its six face octagons in their colours, then twenty chamfers in the
// body colour. Faces are named 100*(index+1) + 10*face + 1, chamfers 100*(index+1).
void Draw(const QORSmallCube& cubie, bool withNames);
// The 27 cubies in index order, posed.
void DrawAll(const QORBigCube& cube, bool withNames, const QORTurnPose* pose = nullptr);
