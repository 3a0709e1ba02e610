#pragma once
// The numbers the search runs on instead of whole cubes. Each reads one aspect of a cubie cube
// and can set it on one, so that move tables are made by setting, turning and reading.
//
// Phase 1 needs the corner twists, the edge flips and where the four middle edges are; phase 2
// the corner permutation, the permutation of the eight U and D edges, and the middle edges'
// order. The middle edges' places and order share one number, 24 * places + order.

#include "solver/qorcubiecube.h"

namespace QORCoord {

constexpr int Twists = 2187;      // 3^7
constexpr int Flips = 2048;       // 2^11
constexpr int SlicePlaces = 495;  // 12 choose 4
constexpr int SliceOrders = 24;   // 4!
constexpr int Slices = SlicePlaces * SliceOrders;
constexpr int CornerPerms = 40320; // 8!
constexpr int EdgePerms = 40320;   // 8! of the U and D edges, in phase 2
// The middle edges' places when they are in the middle layer.
constexpr int SliceHome = 494;

int Twist(const QORCubieCube& c);
void SetTwist(QORCubieCube& c, int twist);
int Flip(const QORCubieCube& c);
void SetFlip(QORCubieCube& c, int flip);
int Slice(const QORCubieCube& c);
void SetSlice(QORCubieCube& c, int slice);
int CornerPerm(const QORCubieCube& c);
void SetCornerPerm(QORCubieCube& c, int perm);
// Only meaningful while the U and D edges are in the U and D layers.
int EdgePerm(const QORCubieCube& c);
void SetEdgePerm(QORCubieCube& c, int perm);

} // namespace QORCoord
