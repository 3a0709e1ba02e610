#pragma once
// The renderer: owns the drawing panel's GL context, the camera and the light, and draws the
// cube it is handed in every anti-aliased frame.
//
// The view lives in the projection matrix; model-view stays identity, so the light and all
// geometry are in world coordinates.

#include "model/qorbigcube.h"
#include "settings/qorsettings.h"
#include "render/qoraccumulator.h"
#include "render/qorcamera.h"
#include "render/qorcubedraw.h"
#include "render/qorlight.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QOpenGLContext;
class QSurfaceFormat;
class QWindow;

class QORGL {
public:
    // Pointer buttons held during a move, as the drawing panel reports them.
    enum Shift { ShiftLeft = 1, ShiftRight = 2, ShiftMiddle = 4 };

    // One sub-pixel offset per anti-aliasing pass, up to the most passes a setting allows.
    static constexpr double JitterTable[QORSettingTable::DrawQuality.Max][2] = {
        {0.375, 0.4375}, {0.625, 0.0625}, {0.875, 0.1875}, {0.125, 0.0625},
        {0.375, 0.6875}, {0.875, 0.4375}, {0.625, 0.5625}, {0.375, 0.9375},
        {0.625, 0.3125}, {0.125, 0.5625}, {0.125, 0.8125}, {0.375, 0.1875},
        {0.875, 0.9375}, {0.875, 0.6875}, {0.125, 0.3125}, {0.625, 0.8125}};

    QWindow* Wnd = nullptr;
    QOpenGLContext* GLContext = nullptr;
    // The passes the picture gets: one while it moves, the quality's once it rests.
    int PassCount = 1;
    // How long one DrawFrame may spend adding passes before it presents what it has; zero
    // makes every frame add exactly one pass, as a slow machine's frames do.
    int FrameBudgetMs = 8;
    QORCamera Camera;
    QORLight Light;
    // The cube drawn, in the colours and background of its settings; not owned, never changed.
    const QORBigCube* Cube = nullptr;
    // A layer part-way through its turn, or none; not owned.
    const QORTurnPose* Pose = nullptr;
    // Every sticker carries its face's symbol as well as its colour.
    bool StickerSymbols = false;
    // The selection buffer's size in names.
    static constexpr int SelectBufferSize = 512;

    // How failures reach the player (a modal box with one OK button) and how the window is
    // asked to close; the main window fills these in.
    std::function<void(const QString& text, const QString& caption)> ErrorBox;
    std::function<void()> CloseRequest;

    explicit QORGL(QORAccumulator::Mode accumulation = QORAccumulator::Mode::Auto);
    ~QORGL();
    QORGL(const QORGL&) = delete;
    QORGL& operator=(const QORGL&) = delete;

    // Returns false when no usable context could be had.
    bool InitGL(QWindow* window);
    // What the drawing panel's surface asks for: double-buffered, with a depth buffer.
    static QSurfaceFormat SurfaceFormat();
    bool SetupPixelFormat(QWindow* window);
    void Resize(int width, int height);
    // Adds passes to the picture, at least one and up to PassCount or the frame budget, and
    // presents the mean of those so far before returning. A picture that changed starts again
    // from its first pass; a complete one is presented again.
    void DrawFrame();
    // A press with the left button picks the sticker under it, as a move does; what the
    // sticker means is the caller's to decide.
    std::optional<QORHit> MouseDown(int x, int y, int shift);
    std::optional<QORHit> MouseMove(int x, int y, int shift);
    // Draws the cube for selection in a one-pixel region under the pointer: the sticker
    // nearest the eye there, if any. y counts down from the panel's top edge.
    std::optional<QORHit> PickAt(int x, int y);
    // Turns the camera and the light together about the view's up axis.
    void Orbit(float degrees);
    void Release();

    // A frame pass's projection: the view shifted by (pixdx, pixdy) of a pixel.
    void AccPerspective(double aspect, double pixdx, double pixdy);

    // The fixed GL state of a new context: lighting, material, hints, the light's place.
    void SetupGLState();
    // SetupGLState plus the accumulation target, for whatever context is current.
    void SetupCurrentContext();
    // The square centred viewport and provisional projection, in the current context.
    void ApplyViewport(int width, int height);
    void ApplyLight();

    // Whether the next timer frame would differ from the last one presented: the picture
    // changed, still lacks passes, or was lost. Never while the panel is not on screen.
    bool NeedsFrame() const;
    // The picture presented has fewer passes than PassCount.
    bool Refining() const { return PassesDone < Passes(); }
    // The window system may size the drawable only after we hear of a resize or expose, so
    // the frame after such an event is drawn twice.
    static constexpr int SettleFrames = 2;
    // Forces the next timer frames, e.g. after an expose that lost the picture.
    void InvalidateFrame() { PendingFrames = SettleFrames; }

    QORAccumulator::Mode AccumulationMode() const { return Accum.Active(); }

private:
    // Multiplies the current matrix by the view's perspective, shifted by (dx, dy) at the near
    // plane, and the look-at from the eye. Frames, the provisional projection and picking all
    // see the cube through it.
    void MultPerspective(double zNear, double zFar, double aspect, double dx = 0, double dy = 0);
    bool MakeCurrent();
    void Fail(const char* text);
    std::vector<unsigned char> FrameKey() const;
    int Passes() const;
    // The cube's rectangle on the panel, in window pixels, with room for the jitter: outside
    // it every pass draws the same background.
    void CubeRegion(GLint region[4]);
    void DrawPass(int pass, bool average);

    QORAccumulator Accum;
    int PanelW = 0, PanelH = 0;
    int PendingFrames = SettleFrames;
    // The picture being refined, its passes so far and where they are averaged.
    std::vector<unsigned char> RefinedKey;
    int PassesDone = 0;
    GLint Region[4] = {0, 0, 0, 0};
};
