#pragma once
// A symbol on each sticker, one shape per face, so that a player who cannot tell two colours
// apart can still tell the faces apart. The shapes differ under every quarter turn of the
// sticker, since a sticker may lie on the cube in any of four ways.

#include "model/qorsmallcube.h"

// Draws the symbols of the cubie's outer stickers in the current GL state, just in front of
// the stickers, in a colour that stands out from each sticker's own.
void DrawStickerSymbols(const QORSmallCube& cubie);
