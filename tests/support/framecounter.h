#pragma once
// A renderer stand-in for model tests: counts the frames the cube asks for.

#include "cube/qorbigcube.h"

struct FrameCounter : QORRendererLink {
    int Frames = 0;
    void DrawFrame() override { ++Frames; }
};
