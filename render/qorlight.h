#pragma once
// Light 0, carried along with the camera by the same drag steps so it keeps its place
// relative to the viewer.

#include "model/qormath.h"

class QORLight {
public:
    Vec3 Position{0, 5, 5};
    Vec3 SpotDirection{0, 0, 0};
    int LastX = 0, LastY = 0;
    Vec3 Right{1, 0, 0};
    Vec3 Up{0, 1, 0};

    // The renderer sends the light to GL after every step (QORGL::ApplyLight).
    void Drag(int x, int y);
    // Follows QORCamera::Orbit: turns about the camera's up axis.
    void Orbit(const Vec3& axis, float degrees);
};
