#pragma once
// Reading frames back from GL, and where the player sees a point of the cube.

#include "cube/qormath.h"

#include <QImage>
#include <QPoint>

#include <QtGui/qopengl.h>

class QORGL;

// The current viewport of the given buffer, top row first.
QImage ReadViewport(GLenum buffer = GL_BACK);
// Where a world point shows on the panel, in its pixels from the top-left corner, with the
// renderer's current view.
QPoint PanelPoint(QORGL& renderer, const Vec3& world, int panelHeight);
