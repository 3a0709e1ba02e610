#pragma once
// The orbiting camera and its drag step. The camera always looks at the origin; pointer
// coordinates are the drawing panel's pixels, x right, y down.

#include "model/qormath.h"

// One view drag step shared by the camera and the light: builds the rotation for a pointer
// move from (lastX, lastY) to (x, y), 3 degrees per axis whatever the distance. Normalises
// right and up, and returns false when there was no previous position (only recorded then).
bool DragRotation(Mat3& out, Vec3& right, Vec3& up, int& lastX, int& lastY, int x, int y);

class QORCamera {
public:
    static constexpr float StepDegrees = 3.0f;
    static constexpr float Distance = 20.0f;

    Vec3 Eye{0, 0, Distance};
    int LastX = 0, LastY = 0;
    Vec3 Right{1, 0, 0};
    Vec3 Up{0, 1, 0};

    void Drag(int x, int y);
    // Turns the eye about the view's up axis, at Distance from the cube.
    void Orbit(float degrees);
};
