#pragma once
// The whole cube: 27 cubies whose points are the puzzle's only state.
//
// Coordinates (world units): centred on the origin, +x right, +y up, +z front, towards the
// initial eye. Cubie index 9i + 3j + k sits at ((i-1)*1.6, (j-1)*1.6, (k-1)*1.6) when solved,
// so cubie 0 is the left-bottom-back corner, 13 the core and 26 the right-top-front corner.
// Faces 1..6 are front, back, left, right, top, bottom as built (see qorsmallcube.h).
// Colours come from the live settings' ColorTable (see qorsettings.h).
// Rotations follow MatRotation: a positive angle is clockwise seen from the axis tip.
// Selection names: 100*(index+1) for a chamfer, plus 10*face + 1 for a face.

#include "cube/qormove.h"
#include "cube/qorsettings.h"
#include "cube/qorsmallcube.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

// What the cube needs of its renderer: a frame after each animation step. Keeps the model
// free of GL.
class QORRendererLink {
public:
    virtual ~QORRendererLink() = default;
    // Draws one frame of a turn; false when the turn is to stop where it is, because the
    // program is closing.
    virtual bool AnimationFrame() = 0;
};

class QORBigCube {
public:
    static constexpr int CubieCount = 27;
    static constexpr float Spacing = 1.6f;
    static constexpr float CubieSize = 0.7f;
    static constexpr float CubieBevel = 0.1f;

    Mat3 TurnMatrix;
    Vec3 AxisX{1, 0, 0}, AxisY{0, 1, 0}, AxisZ{0, 0, 1};
    Vec3 PickPrev, PickCubie, PickFace;
    std::array<QORSmallCube, CubieCount> Cubies;
    bool Busy = false;
    QORRendererLink* Renderer = nullptr;
    // The colours and the turn speed; the cube reads them when it needs them.
    const QORSettings* Settings;

    // Shuffle draws from this; it is seeded again from SeedSource on every shuffle, so tests
    // can make shuffles repeat by giving a fixed seed.
    std::minstd_rand Random;
    std::function<uint64_t()> SeedSource;

    // Without settings the cube uses the defaults.
    explicit QORBigCube(const QORSettings* settings = nullptr);

    void Reset();
    // Recolours in place from ColorTable; points stay, so a scramble keeps its state.
    void ApplyColors();
    // Forget the layer being turned and the points a turn would be derived from.
    void ClearTurnMarks();
    void ClearPicks();

    // Layer turns (qorturns.cpp). MarkLayer marks the cubies whose centres lie on the plane
    // through PickPrev, PickCubie and PickFace and returns how many; a layer has nine.
    int MarkLayer();
    // The axes the marked layer's plane is perpendicular to, normalising the axes first.
    std::vector<Vec3> TurnAxes();
    // Both of the above from a clean slate: the axes to turn about, none unless nine cubies
    // were marked.
    std::vector<Vec3> FindLayer();
    // A quarter turn of the marked cubies, one frame per step of angle degrees; false when it
    // was stopped part-way.
    bool AnimateTurn(const Vec3& axis, int angle);
    // The turns made, in order; stops after a turn that is stopped part-way.
    QList<QORMove> Shuffle(int count);
    // One layer's quarter turn, animated; false when it was stopped part-way.
    bool Turn(const QORMove& move);
    // Every sticker shows the colour slot of the others facing its way; the cube as a whole may
    // face any way.
    bool IsSolved();
    // Degrees per animation step: the settings' RotateStep when it is valid, else its default.
    int StepDegrees() const;

    // Sticker dragging: the renderer's selection pass hands its hits to TakeHit.
    static constexpr int SelectBufferSize = 512;
    void TakeHit(int hitCount, const uint32_t* buffer, int bufferSize = SelectBufferSize);
    void TurnPickedLayer();
    void TurnLayerByDrag(const Vec3& axis);
    // Told of each turn a drag made, once it is complete.
    std::function<void(const QORMove&)> Dragged;

    // The saved game (qorsavefile.cpp). Both return false, with the reason in error, and
    // leave the cube and any existing file as they were when they fail.
    bool Save(const QString& fileName, QString* error = nullptr) const;
    bool Load(const QString& fileName, QString* error = nullptr);

private:
    // The turn about one of the unit axes of the layer that holds a point.
    static QORMove MoveOf(const Vec3& axis, const Vec3& inLayer, int sense);
    void ColourCubie(QORSmallCube& cubie) const;
    bool StepMarked(int steps);
    uint32_t Draw(uint32_t n) { return uint32_t(Random()) % n; }
};
