#pragma once
// One cubie: a chamfered box held as 49 explicit points in world coordinates.
//
// Axes as in qormath.h: +x right, +y up, +z front; units are world units, cubie centres of the
// solved cube lie on -1.6, 0 and +1.6. Point 0 is the centre; face f (1..6) is the octagon of
// points 8f-7 .. 8f. As built, face 1 is +z (front), 2 is -z (back), 3 is -x (left), 4 is +x
// (right), 5 is +y (top), 6 is -y (bottom). A face keeps its number, colour and selection name
// wherever turns carry it.

#include "model/qormath.h"

#include <array>
#include <cstdint>

class QORSmallCube {
public:
    // Sides of the solved cube, in the order of Outer.
    enum Side { Front = 0, Back, Top, Bottom, Left, Right };
    // The face that carries each side's sticker, which is also its colour slot.
    static constexpr int FaceOfSide[6] = {1, 2, 5, 6, 3, 4};
    static constexpr int PointCount = 49;

    float Size = 0;
    float Bevel = 0;
    bool InTurn = false;
    uint32_t Name = 0;
    std::array<Vec3, PointCount> Points{};
    std::array<RGBTriple, 8> Colors{};
    std::array<bool, 6> Outer{};

    void Build(const Vec3& centre, float size, float bevel);
    // Midpoint of the face's first and fifth octagon corners, which lie opposite each other.
    Vec3 FaceCentre(int face) const;
    // The direction a face points to now: 0/1 for +x/-x, 2/3 for +y/-y, 4/5 for +z/-z.
    int Facing(int face) const;
};
