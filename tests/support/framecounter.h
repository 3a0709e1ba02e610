#pragma once
// Renderer stand-ins for model tests: each counts the frames its cube asks for, and stops the
// animation after StopAfter of them when that is set.

#include "cube/qorbigcube.h"
#include "cube/qorgame.h"

struct FrameCounter : QORRendererLink {
    int Frames = 0;
    int StopAfter = -1;
    bool AnimationFrame() override { return ++Frames != StopAfter; }
};

// A cube with settings of its own, so that a test can set the turn speed.
struct CountedCube : FrameCounter {
    QORSettings settings;
    QORBigCube cube{&settings};
    explicit CountedCube(int step = 45) {
        settings.RotateStep = step;
        cube.Renderer = this;
        cube.Reset();
    }
};

// A game with settings of its own that turns in two frames and shuffles the given count.
struct CountedGame : FrameCounter {
    QORSettings settings;
    QORGame game{settings};
    explicit CountedGame(int shuffles = 0) {
        settings.RotateStep = 45;
        settings.ShuffleCount = shuffles;
        game.Cube.Renderer = this;
    }
};
