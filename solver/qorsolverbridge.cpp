#include "solver/qorsolverbridge.h"

#include <cmath>

QORCubieCube CubieCubeOf(const QORBigCube& cube, QORStateFault* fault) {
    // Each sticker is written as its colour slot; the solver names faces by the centres'.
    std::string stickers(54, '?');
    for (const QORSmallCube& c : cube.Cubies) {
        const std::array<int, 3> place = {int(std::lround(c.Points[0].x / QORBigCube::Spacing)),
                                          int(std::lround(c.Points[0].y / QORBigCube::Spacing)),
                                          int(std::lround(c.Points[0].z / QORBigCube::Spacing))};
        for (int side = 0; side < 6; ++side) {
            if (!c.Outer[std::size_t(side)])
                continue;
            const int face = QORSmallCube::FaceOfSide[side];
            const int facing = c.Facing(face);
            std::array<int, 3> normal{};
            normal[std::size_t(facing / 2)] = facing % 2 ? -1 : 1;
            const int at = StickerIndexAt(place, normal);
            if (at >= 0)
                stickers[std::size_t(at)] = char('0' + face);
        }
    }
    QORStateFault why = QORStateFault::None;
    const QORCubieCube state = QORCubieCube::FromStickers(stickers, &why);
    if (fault)
        *fault = why;
    return state;
}

QORCubieCube CubieCubeAfter(const QList<QORMove>& turns) {
    QORBigCube cube;
    cube.Reset();
    for (const QORMove& turn : turns)
        cube.Turn(turn);
    return CubieCubeOf(cube);
}

QList<QORMove> QuarterTurnsOf(const std::vector<int>& faceTurns) {
    QList<QORMove> turns;
    for (int t : faceTurns) {
        const QORMove quarter = ParseMoves(QString(QChar("URFDLB"[t / 3])))->first();
        if (t % 3 == 2)
            turns << quarter.Inverse();
        else
            turns << quarter;
        if (t % 3 == 1)
            turns << quarter;
    }
    return turns;
}
