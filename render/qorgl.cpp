#include "render/qorgl.h"

#include "render/qorcubedraw.h"
#include "render/qorstickersymbols.h"

#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr GLfloat LightDiffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat LightSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat MaterialSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat MaterialAmbient[4] = {0.8f, 0.8f, 0.8f, 1.0f};
constexpr GLfloat MaterialShininess = 128.0f;
constexpr GLfloat ModelAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};

// The view: a 30 degree vertical field of view on a square viewport. Picking and the
// provisional projection see depths 1 to 100, frames 2 to 30.
constexpr double FieldOfView = 30.0;
constexpr double PickNear = 1.0, PickFar = 100.0;
constexpr double FrameNear = 2.0, FrameFar = 30.0;

} // namespace

QSurfaceFormat QORGL::SurfaceFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setDepthBufferSize(16);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    // Presenting inside the call must not wait for a display refresh.
    f.setSwapInterval(0);
    return f;
}

namespace {

template <typename T> void Append(std::vector<unsigned char>& out, const T& value) {
    const auto* p = reinterpret_cast<const unsigned char*>(&value);
    out.insert(out.end(), p, p + sizeof(T));
}

} // namespace

QORGL::QORGL(QORAccumulator::Mode accumulation) : Accum(accumulation) {}

QORGL::~QORGL() {
    Release();
}

void QORGL::Fail(const char* text) {
    if (ErrorBox)
        ErrorBox(QString::fromLatin1(text), QStringLiteral("Error"));
}

bool QORGL::SetupPixelFormat(QWindow* window) {
    if (!window->handle()) {
        window->setSurfaceType(QSurface::OpenGLSurface);
        window->setFormat(SurfaceFormat());
        window->create();
    }
    if (!window->handle() || !window->supportsOpenGL()) {
        Fail("SetPixelFormat failed");
        return false;
    }
    auto* context = new QOpenGLContext;
    context->setFormat(SurfaceFormat());
    const QSurfaceFormat got = context->create() ? context->format() : QSurfaceFormat();
    if (!context->isValid() || got.depthBufferSize() <= 0 ||
        got.swapBehavior() == QSurfaceFormat::SingleBuffer) {
        delete context;
        Fail("ChoosePixelFormat failed");
        return false;
    }
    if (!context->makeCurrent(window)) {
        delete context;
        Fail("SetPixelFormat failed");
        return false;
    }
    GLContext = context;
    return true;
}

bool QORGL::InitGL(QWindow* window) {
    Wnd = window;
    const bool ok = SetupPixelFormat(window);
    if (ok)
        SetupCurrentContext();
    else if (CloseRequest) {
        CloseRequest();
    }
    InvalidateFrame();
    return ok;
}

void QORGL::SetupGLState() {
    glClearAccum(0, 0, 0, 0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_NORMALIZE);
    glEnable(GL_BLEND);
    ApplyLight();
    glLightfv(GL_LIGHT0, GL_DIFFUSE, LightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, LightSpecular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, MaterialSpecular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, MaterialAmbient);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, MaterialShininess);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ModelAmbient);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void QORGL::SetupCurrentContext() {
    SetupGLState();
    Accum.Init();
}

void QORGL::ApplyLight() {
    const GLfloat position[4] = {Light.Position.x, Light.Position.y, Light.Position.z, 1.0f};
    const GLfloat direction[3] = {Light.SpotDirection.x, Light.SpotDirection.y,
                                  Light.SpotDirection.z};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, direction);
}

bool QORGL::MakeCurrent() {
    if (!GLContext || !Wnd)
        return false;
    return GLContext->makeCurrent(Wnd);
}

void QORGL::Resize(int width, int height) {
    PanelW = width;
    PanelH = height;
    InvalidateFrame();
    if (MakeCurrent())
        ApplyViewport(width, height);
}

void QORGL::ApplyViewport(int width, int height) {
    if (height <= width)
        glViewport((width - height) / 2, 0, height, height);
    else
        glViewport(0, (height - width) / 2, width, width);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultPerspective(PickNear, PickFar, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

void QORGL::MultPerspective(double zNear, double zFar, double aspect, double dx, double dy) {
    const double top = zNear * std::tan(FieldOfView * M_PI / 360.0);
    const double right = top * aspect;
    glFrustum(-right + dx, right + dx, -top + dy, top + dy, zNear, zFar);
    gluLookAt(Camera.Eye.x, Camera.Eye.y, Camera.Eye.z, 0, 0, 0, Camera.Up.x, Camera.Up.y,
              Camera.Up.z);
}

void QORGL::AccPerspective(double aspect, double pixdx, double pixdy) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // A sub-pixel offset is that fraction of the near plane's extent per viewport pixel.
    const double top = FrameNear * std::tan(FieldOfView * M_PI / 360.0);
    const double dx = -pixdx * 2 * top * aspect / viewport[2];
    const double dy = -pixdy * 2 * top / viewport[3];
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultPerspective(FrameNear, FrameFar, aspect, dx, dy);
    glMatrixMode(GL_MODELVIEW);
}

int QORGL::Passes() const {
    return std::clamp(PassCount, 0, QORSettingTable::DrawQuality.Max);
}

void QORGL::CubeRegion(GLint region[4]) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    AccPerspective(double(viewport[2]) / double(viewport[3]), 0, 0);
    GLdouble model[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // Every polygon is spanned by the cubies' points, all in front of the eye.
    double left = viewport[0] + viewport[2], bottom = viewport[1] + viewport[3];
    double right = viewport[0], top = viewport[1];
    for (int i = 0; i < QORBigCube::CubieCount; ++i)
        for (const Vec3& p : Posed(Cube->Cubies[std::size_t(i)], i, Pose).Points) {
            GLdouble x = 0, y = 0, z = 0;
            gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z);
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    // A pass is shifted by less than a pixel; one more covers the rounding of the edges.
    constexpr int Margin = 2;
    const int x0 = std::max(viewport[0], int(std::floor(left)) - Margin);
    const int y0 = std::max(viewport[1], int(std::floor(bottom)) - Margin);
    const int x1 = std::min(viewport[0] + viewport[2], int(std::ceil(right)) + Margin);
    const int y1 = std::min(viewport[1] + viewport[3], int(std::ceil(top)) + Margin);
    region[0] = x0;
    region[1] = y0;
    region[2] = std::max(0, x1 - x0);
    region[3] = std::max(0, y1 - y0);
}

void QORGL::DrawPass(int pass, bool average) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    AccPerspective(double(viewport[2]) / double(viewport[3]), JitterTable[pass][0],
                   JitterTable[pass][1]);
    DrawAll(*Cube, false, Pose);
    if (StickerSymbols)
        DrawStickerSymbols(*Cube, Pose, Camera.Eye);
    if (average)
        Accum.Accumulate(pass + 1);
}

void QORGL::DrawFrame() {
    if (!Cube || !Wnd || !Wnd->isExposed() || !MakeCurrent())
        return;
    // Each pass clears to the background, so the averaged frame keeps it exact.
    const RGBTriple background = Cube->Colour(7);
    glClearColor(background.r / 255.0f, background.g / 255.0f, background.b / 255.0f, 0.0f);
    const int passes = Passes();
    // The mean of a single pass is that pass: it stays in the colour buffer as it is.
    const bool average = passes > 1;
    std::vector<unsigned char> key = FrameKey();
    if (key != RefinedKey || (!average && PassesDone >= passes)) {
        RefinedKey = std::move(key);
        PassesDone = 0;
        if (average) {
            CubeRegion(Region);
            Accum.Clear(Region);
        }
    }
    if (PassesDone >= passes) {
        // Complete and asked for again: the background, then the mean over the cube.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else {
        QElapsedTimer spent;
        spent.start();
        do
            DrawPass(PassesDone++, average);
        while (PassesDone < passes && spent.elapsed() < FrameBudgetMs);
    }
    if (average)
        Accum.Return();
    GLContext->swapBuffers(Wnd);
    if (PendingFrames > 0)
        --PendingFrames;
}

std::vector<unsigned char> QORGL::FrameKey() const {
    std::vector<unsigned char> key;
    key.reserve(17000);
    Append(key, Camera.Eye);
    Append(key, Camera.Up);
    Append(key, Light.Position);
    Append(key, Light.SpotDirection);
    Append(key, Passes());
    Append(key, PanelW);
    Append(key, PanelH);
    Append(key, Cube->Colour(7));
    Append(key, StickerSymbols);
    for (int i = 0; i < QORBigCube::CubieCount; ++i) {
        const QORSmallCube c = Posed(Cube->Cubies[std::size_t(i)], i, Pose);
        Append(key, c.Points);
        Append(key, c.Colors);
    }
    return key;
}

bool QORGL::NeedsFrame() const {
    if (!Cube || !Wnd || !Wnd->isExposed() || !GLContext)
        return false;
    // Comparing everything a frame shows is cheaper than drawing it and cannot miss a change.
    return PendingFrames > 0 || Refining() || FrameKey() != RefinedKey;
}

std::optional<QORHit> QORGL::MouseDown(int x, int y, int shift) {
    if (Cube && (shift & ShiftLeft) && MakeCurrent())
        return PickAt(x, y);
    return std::nullopt;
}

std::optional<QORHit> QORGL::MouseMove(int x, int y, int shift) {
    if (!Cube)
        return std::nullopt;
    if (shift & ShiftRight) {
        Camera.Drag(x, y);
        Light.Drag(x, y);
        if (MakeCurrent())
            ApplyLight();
    }
    if ((shift & ShiftLeft) && MakeCurrent())
        return PickAt(x, y);
    return std::nullopt;
}

std::optional<QORHit> QORGL::PickAt(int x, int y) {
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
    gluPickMatrix(x, PanelH - y, 1.0, 1.0, viewport);
    MultPerspective(PickNear, PickFar, 1.0);
    DrawAll(*Cube, true, Pose);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glFlush();
    const GLint hits = glRenderMode(GL_RENDER);
    glMatrixMode(GL_MODELVIEW);
    // A negative count means the buffer overflowed: no hit.
    return hits > 0 ? NearestHit(hits, buffer, SelectBufferSize) : std::nullopt;
}

void QORGL::Orbit(float degrees) {
    Camera.Orbit(degrees);
    Light.Orbit(Camera.Up, degrees);
    if (MakeCurrent())
        ApplyLight();
}

void QORGL::Release() {
    if (GLContext && MakeCurrent())
        Accum.Release();
    if (GLContext) {
        GLContext->doneCurrent();
        delete GLContext;
        GLContext = nullptr;
    }
}
