#include "render/qorlight.h"

#include "render/qorcamera.h"

void QORLight::Drag(int x, int y) {
    Mat3 m;
    if (DragRotation(m, Right, Up, LastX, LastY, x, y)) {
        MatVec(Position, m, Position);
        MatVec(SpotDirection, m, SpotDirection);
    }
}

void QORLight::Orbit(const Vec3& axis, float degrees) {
    Mat3 m;
    MatRotation(m, axis, degrees);
    MatVec(Position, m, Position);
    MatVec(SpotDirection, m, SpotDirection);
    MatVec(Right, m, Right);
    MatVec(Up, m, Up);
}
