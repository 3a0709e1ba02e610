#include "render/qorcamera.h"

bool DragRotation(Mat3& out, Vec3& right, Vec3& up, int& lastX, int& lastY, int x, int y) {
    if (lastX == 0 && lastY == 0) {
        lastX = x;
        lastY = y;
        return false;
    }
    const float step = QORCamera::StepDegrees;
    Mat3 xPlus, yPlus, xMinus, yMinus;
    if (x > lastX)
        MatRotation(xPlus, up, step);
    if (y > lastY)
        MatRotation(yPlus, right, step);
    if (x < lastX)
        MatRotation(xMinus, up, -step);
    if (y < lastY)
        MatRotation(yMinus, right, -step);
    MatMul(out, xPlus, yPlus);
    MatMul(out, out, xMinus);
    MatMul(out, out, yMinus);
    VecNormalize(right);
    VecNormalize(up);
    MatVec(right, out, right);
    MatVec(up, out, up);
    lastX = x;
    lastY = y;
    return true;
}

void QORCamera::Drag(int x, int y) {
    Mat3 m;
    if (DragRotation(m, Right, Up, LastX, LastY, x, y))
        MatVec(Eye, m, Eye);
}

void QORCamera::Orbit(float degrees) {
    Mat3 m;
    VecNormalize(Up);
    MatRotation(m, Up, degrees);
    MatVec(Eye, m, Eye);
    // Hours of small steps must not let rounding move the eye nearer or farther.
    VecNormalize(Eye);
    Eye = {Eye.x * Distance, Eye.y * Distance, Eye.z * Distance};
    MatVec(Right, m, Right);
    VecNormalize(Right);
}
