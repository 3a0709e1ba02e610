#pragma once
// Where the player sees a point of the cube.

#include "model/qormath.h"

#include <QPoint>

class QORGL;

// Where a world point shows on the panel, in its pixels from the top-left corner, with the
// renderer's current view.
QPoint PanelPoint(QORGL& renderer, const Vec3& world, int panelHeight);
