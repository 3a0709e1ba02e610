#include "model/qorbigcube.h"

RGBTriple QORBigCube::Colour(int slot) const {
    const std::size_t at = std::size_t(slot);
    return Colors ? (*Colors)[at] : DefaultColorTable()[at];
}

void QORBigCube::ColourCubie(QORSmallCube& cubie) const {
    cubie.Colors.fill(Colour(0));
    for (int side = 0; side < 6; ++side) {
        const int slot = QORSmallCube::FaceOfSide[side];
        if (cubie.Outer[side])
            cubie.Colors[std::size_t(slot)] = Colour(slot);
    }
}

void QORBigCube::Reset() {
    int index = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) {
                QORSmallCube& c = Cubies[index];
                c.Build({(i - 1) * Spacing, (j - 1) * Spacing, (k - 1) * Spacing}, CubieSize,
                        CubieBevel);
                c.Name = 100 * index + 100;
                c.Outer[QORSmallCube::Front] = k == 2;
                c.Outer[QORSmallCube::Back] = k == 0;
                c.Outer[QORSmallCube::Top] = j == 2;
                c.Outer[QORSmallCube::Bottom] = j == 0;
                c.Outer[QORSmallCube::Left] = i == 0;
                c.Outer[QORSmallCube::Right] = i == 2;
                ColourCubie(c);
                ++index;
            }
    AxisX = {1, 0, 0};
    AxisY = {0, 1, 0};
    AxisZ = {0, 0, 1};
}

void QORBigCube::ApplyColors() {
    for (QORSmallCube& c : Cubies)
        ColourCubie(c);
}

void QORBigCube::ClearTurnMarks() {
    for (QORSmallCube& c : Cubies)
        c.InTurn = false;
}

void QORBigCube::ClearPicks() {
    PickPrev = PickCubie = PickFace = Vec3{};
}
