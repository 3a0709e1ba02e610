#pragma once
// The renderer: owns the drawing panel's GL context, the camera, the light and the cube, and
// draws every anti-aliased frame.
//
// The view lives in the projection matrix; model-view stays identity, so the light and all
// geometry are in world coordinates.

#include "cube/qorbigcube.h"
#include "render/qoraccumulator.h"
#include "render/qorcamera.h"
#include "render/qorlight.h"

#include <QString>

#include <functional>
#include <vector>

class QOpenGLContext;
class QSurfaceFormat;
class QWindow;

class QORGL : public QORRendererLink {
public:
    // Pointer buttons held during a move, as the drawing panel reports them.
    enum Shift { ShiftLeft = 1, ShiftRight = 2, ShiftMiddle = 4 };

    static constexpr double JitterTable[16][2] = {
        {0.375, 0.4375}, {0.625, 0.0625}, {0.875, 0.1875}, {0.125, 0.0625},
        {0.375, 0.6875}, {0.875, 0.4375}, {0.625, 0.5625}, {0.375, 0.9375},
        {0.625, 0.3125}, {0.125, 0.5625}, {0.125, 0.8125}, {0.375, 0.1875},
        {0.875, 0.9375}, {0.875, 0.6875}, {0.125, 0.3125}, {0.625, 0.8125}};

    QWindow* Wnd = nullptr;
    QOpenGLContext* GLContext = nullptr;
    int PassCount = 1;
    int DrawQuality = 1;
    QORCamera Camera;
    QORLight Light;
    QORBigCube* Cube = nullptr;

    // How failures reach the player (a modal box with one OK button) and how the window is
    // asked to close; the main window fills these in.
    std::function<void(const QString& text, const QString& caption)> ErrorBox;
    std::function<void()> CloseRequest;

    explicit QORGL(QORAccumulator::Mode accumulation = QORAccumulator::Mode::Auto);
    ~QORGL() override;
    QORGL(const QORGL&) = delete;
    QORGL& operator=(const QORGL&) = delete;

    // Returns false when no usable context could be had; the cube is reset either way.
    bool InitGL(QWindow* window);
    // What the drawing panel's surface asks for: double-buffered, with a depth buffer.
    static QSurfaceFormat SurfaceFormat();
    bool SetupPixelFormat(QWindow* window);
    void Resize(int width, int height);
    // Renders and presents one frame before returning.
    void DrawFrame() override;
    void MouseMove(int x, int y, int shift);
    void MouseUp();
    // Turns the camera and the light together about the view's up axis.
    void Orbit(float degrees);
    void Release();

    void AccPerspective(double fovy, double aspect, double zNear, double zFar, double pixdx,
                        double pixdy, double eyedx, double eyedy, double focus);
    void AccFrustum(double left, double right, double bottom, double top, double zNear, double zFar,
                    double pixdx, double pixdy, double eyedx, double eyedy, double focus);

    // The fixed GL state of a new context: lighting, material, hints, the light's place.
    void SetupGLState();
    // SetupGLState plus the accumulation target, for whatever context is current.
    void SetupCurrentContext();
    // The square centred viewport and provisional projection, in the current context.
    void ApplyViewport(int width, int height);
    void ApplyLight();
    // The passes of one frame into the back buffer, without presenting it.
    void RenderFrame();

    // Whether the next timer frame would differ from the last one presented.
    bool NeedsFrame() const;
    // The window system may size the drawable only after we hear of a resize or expose, so
    // the frame after such an event is drawn twice.
    static constexpr int SettleFrames = 2;
    // Forces the next timer frame, e.g. after an expose that lost the picture.
    void InvalidateFrame() { PendingFrames = SettleFrames; }

    QORAccumulator::Mode AccumulationMode() const { return Accum.Active(); }
    Vec3 CameraEye() const override { return Camera.Eye; }
    Vec3 CameraUp() const override { return Camera.Up; }
    int PanelHeight() const override { return PanelH; }

private:
    bool MakeCurrent();
    void Fail(const char* text);
    std::vector<unsigned char> FrameKey() const;

    QORAccumulator Accum;
    int PanelW = 0, PanelH = 0;
    int PendingFrames = SettleFrames;
    std::vector<unsigned char> LastFrameKey;
};
