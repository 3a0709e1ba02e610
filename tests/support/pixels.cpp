#include "support/pixels.h"

#include "render/qorgl.h"

#include <GL/glu.h>

QPoint PanelPoint(QORGL& renderer, const Vec3& world, int panelHeight) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // The first pass's view, which a one-pass frame shows.
    renderer.AccPerspective(double(viewport[2]) / viewport[3], QORGL::JitterTable[0][0],
                            QORGL::JitterTable[0][1]);
    GLdouble model[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    GLdouble x = 0, y = 0, z = 0;
    gluProject(world.x, world.y, world.z, model, projection, viewport, &x, &y, &z);
    return {int(x), panelHeight - int(y)};
}
