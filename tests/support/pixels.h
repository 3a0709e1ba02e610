#pragma once
// Reading frames back from GL and comparing them.

#include "cube/qormath.h"

#include <QImage>

#include <QtGui/qopengl.h>

// The current viewport of the given buffer, top row first.
QImage ReadViewport(GLenum buffer = GL_BACK);
// Largest difference of any colour channel between two images of the same size.
int MaxChannelDifference(const QImage& a, const QImage& b);
// Window position (GL convention, y up) of a world point under the current matrices.
Vec3 ProjectToWindow(const Vec3& world);
// Names of the nearest hit of a 1x1 selection pick at GL window position (x, y).
GLuint PickNameAt(class QORGL& renderer, double x, double y);
