#include "render/qorlight.h"

#include "render/qorcamera.h"

void QORLight::Drag(int x, int y) {
    Mat3 m;
    if (DragRotation(m, Right, Up, LastX, LastY, x, y)) {
        MatVec(Position, m, Position);
        MatVec(SpotDirection, m, SpotDirection);
    }
}
