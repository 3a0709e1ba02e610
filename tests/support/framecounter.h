#pragma once
// Model tests' cubes and games with settings of their own; a game counts the turns it reports.

#include "model/qorbigcube.h"
#include "game/qorgame.h"

struct CountedCube {
    QORSettings settings;
    QORBigCube cube{&settings.ColorTable};
    CountedCube() { cube.Reset(); }
};

struct CountedGame {
    QORSettings settings;
    QORGame game{settings};
    int Turns = 0;
    explicit CountedGame(int shuffles = 0) {
        settings.ShuffleCount = shuffles;
        QObject::connect(&game, &QORGame::Turned, [this] { ++Turns; });
    }
};
