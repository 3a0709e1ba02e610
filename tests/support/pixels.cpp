#include "support/pixels.h"

#include "render/qorgl.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

QImage ReadViewport(GLenum buffer) {
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    QImage image(v[2], v[3], QImage::Format_RGBA8888);
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(v[0], v[1], v[2], v[3], GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image.mirrored();
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

Vec3 ProjectToWindow(const Vec3& world) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble x = 0, y = 0, z = 0;
    gluProject(world.x, world.y, world.z, model, projection, viewport, &x, &y, &z);
    return {float(x), float(y), float(z)};
}

GLuint PickNameAt(QORGL& renderer, double x, double y) {
    std::vector<GLuint> buffer(512);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(GLsizei(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x, y, 1, 1, viewport);
    gluPerspective(30, 1, 1, 100);
    const Vec3 eye = renderer.Camera.Eye, up = renderer.Camera.Up;
    gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, up.x, up.y, up.z);
    glMatrixMode(GL_MODELVIEW);
    renderer.Cube->DrawAll(true);
    const GLint hits = glRenderMode(GL_RENDER);
    GLuint best = 0, bestDepth = ~0u;
    const GLuint* p = buffer.data();
    for (GLint h = 0; h < hits; ++h) {
        const GLuint names = p[0];
        if (names > 0 && p[1] < bestDepth) {
            bestDepth = p[1];
            best = p[3 + names - 1];
        }
        p += 3 + names;
    }
    return best;
}
