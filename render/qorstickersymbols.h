#pragma once
// A symbol on each sticker, one shape per face, so that a player who cannot tell two colours
// apart can still tell the faces apart. The shapes differ under every quarter turn of the
// sticker, since a sticker may lie on the cube in any of four ways.

#include "render/qorcubedraw.h"

// Draws the symbols of the posed cube's outer stickers that face the eye, just in front of
// the stickers, in a colour that stands out from each sticker's own. The cube is drawn
// already; the other symbols would be hidden behind their cubies.
void DrawStickerSymbols(const QORBigCube& cube, const QORTurnPose* pose, const Vec3& eye);
