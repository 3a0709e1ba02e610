// Immediate-mode drawing of the cube. Only the GL library compiles this file, so the model
// library stays free of GL.

#include "cube/qorbigcube.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

struct Chamfer {
    int count;
    int points[6];
};

// Eight corner hexagons, then twelve edge rectangles, in drawing order.
constexpr Chamfer Chamfers[20] = {
    {6, {2, 1, 20, 19, 40, 39}},   {6, {4, 3, 38, 37, 27, 28}},   {6, {6, 5, 29, 30, 45, 46}},
    {6, {8, 7, 47, 48, 22, 21}},   {6, {9, 10, 34, 33, 18, 17}},  {6, {12, 11, 35, 36, 26, 25}},
    {6, {16, 15, 42, 41, 23, 24}}, {6, {13, 14, 43, 44, 31, 32}}, {4, {39, 2, 3, 38}},
    {4, {47, 7, 6, 46}},           {4, {4, 28, 29, 5}},           {4, {1, 20, 21, 8}},
    {4, {34, 10, 11, 35}},         {4, {42, 15, 14, 43}},         {4, {12, 25, 32, 13}},
    {4, {9, 17, 24, 16}},          {4, {19, 40, 33, 18}},         {4, {27, 37, 36, 26}},
    {4, {22, 48, 41, 23}},         {4, {30, 45, 44, 31}},
};

void Normal(const Vec3& n) {
    glNormal3f(n.x, n.y, n.z);
}
void Vertex(const Vec3& p) {
    glVertex3f(p.x, p.y, p.z);
}

} // namespace

void QORSmallCube::Draw(bool withNames) const {
    for (int f = 1; f <= 6; ++f) {
        const RGBTriple& c = Colors[f];
        glColor3ub(c.r, c.g, c.b);
        const int first = 8 * f - 7;
        const Vec3 n = TriangleNormal(Points[first], Points[first + 1], Points[first + 2]);
        Normal(n);
        if (withNames)
            glLoadName(Name + 10 * f + 1);
        glBegin(GL_TRIANGLE_FAN);
        for (int p = first; p < first + 8; ++p) {
            Normal(n);
            Vertex(Points[p]);
        }
        glEnd();
    }
    if (withNames)
        glLoadName(Name);
    glColor3ub(Colors[0].r, Colors[0].g, Colors[0].b);
    for (const Chamfer& ch : Chamfers) {
        if (withNames)
            glLoadName(Name);
        Normal(TriangleNormal(Points[ch.points[0]], Points[ch.points[1]], Points[ch.points[2]]));
        glBegin(GL_POLYGON);
        for (int i = 0; i < ch.count; ++i)
            Vertex(Points[ch.points[i]]);
        glEnd();
    }
}

void QORBigCube::DrawAll(bool withNames) const {
    for (const QORSmallCube& c : Cubies)
        c.Draw(withNames);
}

void QORBigCube::PickAt(int x, int y) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLuint buffer[SelectBufferSize] = {};
    glSelectBuffer(SelectBufferSize, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Rows count up from the panel's bottom edge, which is not the viewport's when the panel
    // is taller than wide.
    const int height = Renderer ? Renderer->PanelHeight() : viewport[3];
    gluPickMatrix(x, height - y, 1.0, 1.0, viewport);
    gluPerspective(30.0, 1.0, 1.0, 100.0);
    const Vec3 eye = Renderer ? Renderer->CameraEye() : Vec3{0, 0, 20};
    const Vec3 up = Renderer ? Renderer->CameraUp() : Vec3{0, 1, 0};
    gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, up.x, up.y, up.z);
    DrawAll(true);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFlush();
    const GLint hits = glRenderMode(GL_RENDER);
    // A negative count means the buffer overflowed: no hit.
    if (hits > 0)
        TakeHit(hits, buffer);
    glMatrixMode(GL_MODELVIEW);
}
