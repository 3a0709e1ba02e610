#pragma once
// A renderer stand-in for model tests: counts the frames the cube asks for, and stops the
// animation after StopAfter of them when that is set.

#include "cube/qorbigcube.h"

struct FrameCounter : QORRendererLink {
    int Frames = 0;
    int StopAfter = -1;
    bool AnimationFrame() override { return ++Frames != StopAfter; }
};
