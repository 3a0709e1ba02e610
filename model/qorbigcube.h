#pragma once
// The whole cube: 27 cubies whose points are the puzzle's only state.
//
// Coordinates (world units): centred on the origin, +x right, +y up, +z front, towards the
// initial eye. Cubie index 9i + 3j + k sits at ((i-1)*1.6, (j-1)*1.6, (k-1)*1.6) when solved,
// so cubie 0 is the left-bottom-back corner, 13 the core and 26 the right-top-front corner.
// Faces 1..6 are front, back, left, right, top, bottom as built (see qorsmallcube.h).
// Colours come from a colour table the cube is given, the live settings' as a rule.
// Rotations follow MatRotation: a positive angle is clockwise seen from the axis tip.
// Selection names: 100*(index+1) for a chamfer, plus 10*face + 1 for a face.

#include "model/qormove.h"
#include "model/qorsmallcube.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <vector>

// A sticker under the pointer: the cubie's index and its face, 1..6.
struct QORHit {
    int Cubie = 0;
    int Face = 0;
};

class QORBigCube {
public:
    static constexpr int CubieCount = 27;
    static constexpr float Spacing = 1.6f;
    static constexpr float CubieSize = 0.7f;
    static constexpr float CubieBevel = 0.1f;

    Vec3 AxisX{1, 0, 0}, AxisY{0, 1, 0}, AxisZ{0, 0, 1};
    Vec3 PickPrev, PickCubie, PickFace;
    std::array<QORSmallCube, CubieCount> Cubies;
    // The colours; the cube reads them when it colours its cubies. Without a table it takes
    // the default colours.
    const QORColorTable* Colors = nullptr;

    // Shuffle draws from this; it is seeded again from SeedSource on every shuffle, so tests
    // can make shuffles repeat by giving a fixed seed.
    std::minstd_rand Random;
    std::function<uint64_t()> SeedSource;

    explicit QORBigCube(const QORColorTable* colors = nullptr) : Colors(colors) {}

    void Reset();
    // Recolours in place from ColorTable; points stay, so a scramble keeps its state.
    void ApplyColors();
    // The colour of a slot, from the table or the defaults.
    RGBTriple Colour(int slot) const;
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
    // A draw of 0 to n - 1, each equally likely.
    using Drawing = std::function<uint32_t(uint32_t n)>;
    // The turns made, in order. The cube holds their result when it returns: whoever shows
    // them animates the list. The draws come from Random unless draw is given, as the score
    // server gives one of a cryptographic source.
    QList<QORMove> Shuffle(int count, const Drawing& draw = {});
    // One layer's quarter turn, made at once and exactly: each coordinate of a turned point
    // is another coordinate of it, perhaps negated, so points never leave the grid however
    // many turns are made.
    void Turn(const QORMove& move);
    // Every sticker shows the colour slot of the others facing its way; the cube as a whole may
    // face any way.
    bool IsSolved();
    // Sticker dragging (qorpicking.cpp): the sticker the pointer is over now. The turn that
    // carries the previous sticker along the drag to this one, when the step from one to the
    // other is such a drag; the cube is not turned, the caller makes the turn.
    std::optional<QORMove> Pick(const QORHit& hit);
    // The turn a drag across the marked layer about axis makes, if any; forgets the picks.
    std::optional<QORMove> DragTurn(const Vec3& axis);

    // The saved game (qorsavefile.cpp). Both return false, with the reason in error, and
    // leave the cube and any existing file as they were when they fail.
    bool Save(const QString& fileName, QString* error = nullptr) const;
    bool Load(const QString& fileName, QString* error = nullptr);

private:
    // The turn about one of the unit axes of the layer that holds a point.
    static QORMove MoveOf(const Vec3& axis, const Vec3& inLayer, int sense);
    void ColourCubie(QORSmallCube& cubie) const;
};
