#include "app/qordrawpanel.h"
#include "render/qorgl.h"
#include "support/pixels.h"
#include "support/shownrenderer.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::array<GLint, 4> Viewport() {
    std::array<GLint, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

} // namespace

TEST(Renderer, contextIsDoubleBufferedWithDepthAndCubeIsReset) {
    ShownRenderer r;
    ASSERT_NE(r.renderer.GLContext, nullptr);
    const QSurfaceFormat f = r.renderer.GLContext->format();
    EXPECT_GT(f.depthBufferSize(), 0);
    EXPECT_NE(f.swapBehavior(), QSurfaceFormat::SingleBuffer);
    EXPECT_EQ(r.renderer.Cube->Cubies[26].Name, 2700u);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_DEPTH_TEST) &&
                glIsEnabled(GL_COLOR_MATERIAL) && glIsEnabled(GL_NORMALIZE));
    GLint twoSide = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_EQ(twoSide, 1);
    GLfloat light[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, light);
    EXPECT_FLOAT_EQ(light[1], 5);
    EXPECT_FLOAT_EQ(light[3], 1);
    EXPECT_TRUE(r.errors.isEmpty());
}

TEST(Renderer, resizeGivesLargestCentredSquare) {
    ShownRenderer r;
    r.renderer.Resize(478, 315);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{81, 0, 315, 315}));
    r.renderer.Resize(300, 500);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 100, 300, 300}));
    r.renderer.Resize(201, 200);
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 200, 200}));
}

TEST(Renderer, selectionNamesTellCubieAndFace) {
    ShownRenderer r;
    QORGL& gl = r.renderer;
    gl.RenderFrame();
    const QORSmallCube& corner = gl.Cube->Cubies[26];
    const Vec3 face = ProjectToWindow(corner.FaceCentre(1));
    EXPECT_EQ(PickNameAt(gl, face.x, face.y), 2711u);
    // The top-front edge rectangle of the same cubie: points 39, 2, 3, 38.
    Vec3 mid;
    for (int p : {39, 2, 3, 38}) {
        mid.x += corner.Points[p].x / 4;
        mid.y += corner.Points[p].y / 4;
        mid.z += corner.Points[p].z / 4;
    }
    gl.RenderFrame();
    const Vec3 chamfer = ProjectToWindow(mid);
    EXPECT_EQ(PickNameAt(gl, chamfer.x, chamfer.y), 2700u);
    // The front face of the left-bottom-front corner.
    gl.RenderFrame();
    const Vec3 other = ProjectToWindow(gl.Cube->Cubies[2].FaceCentre(1));
    EXPECT_EQ(PickNameAt(gl, other.x, other.y), 311u);
}

TEST(Renderer, drawFramePresentsBeforeReturning) {
    ShownRenderer r;
    r.renderer.DrawQuality = r.renderer.PassCount = 4;
    r.renderer.DrawFrame();
    // No event is processed in between: the picture must already be on the screen.
    const QImage shown = r.panel.screen()->grabWindow(r.panel.winId()).toImage();
    ASSERT_FALSE(shown.isNull());
    const QRgb centre = shown.pixel(shown.width() / 2, shown.height() / 2);
    EXPECT_GT(qGray(centre), 150) << "white front centre sticker expected";
    EXPECT_EQ(qGray(shown.pixel(2, 2)), 0) << "black background expected";
}

TEST(Renderer, frameIsSkippedOnlyWhenNothingVisibleChanged) {
    ShownRenderer r;
    QORGL& gl = r.renderer;
    // A resize or expose draws a second frame in case the drawable was sized late.
    auto settle = [&gl] {
        for (int i = 0; i < QORGL::SettleFrames && gl.NeedsFrame(); ++i)
            gl.DrawFrame();
        return !gl.NeedsFrame();
    };
    EXPECT_TRUE(gl.NeedsFrame());
    ASSERT_TRUE(settle());
    gl.MouseMove(10, 10, QORGL::ShiftRight);
    gl.MouseMove(20, 10, QORGL::ShiftRight);
    EXPECT_TRUE(gl.NeedsFrame()) << "view moved";
    gl.DrawFrame();
    EXPECT_FALSE(gl.NeedsFrame()) << "a change needs one frame";
    gl.Cube->Cubies[5].Points[3].x += 0.01f;
    EXPECT_TRUE(gl.NeedsFrame()) << "cube moved";
    gl.DrawFrame();
    SetRGB(gl.Cube->Cubies[5].Colors[1], 1, 2, 3);
    EXPECT_TRUE(gl.NeedsFrame()) << "cube recoloured";
    gl.DrawFrame();
    gl.PassCount = 3;
    EXPECT_TRUE(gl.NeedsFrame()) << "pass count changed";
    gl.DrawFrame();
    gl.Resize(300, 280);
    EXPECT_TRUE(gl.NeedsFrame()) << "resized";
    EXPECT_TRUE(settle());
    gl.InvalidateFrame();
    EXPECT_TRUE(gl.NeedsFrame()) << "exposed";
    EXPECT_TRUE(settle());
    SetRGB(gl.Cube->ColorTable[1], 9, 9, 9);
    EXPECT_FALSE(gl.NeedsFrame()) << "a table change alone shows nothing";
}

TEST(Renderer, rightButtonOrbitsAndBusyCubeIgnoresMoves) {
    QORGL gl;
    gl.MouseMove(50, 50, QORGL::ShiftLeft);
    EXPECT_EQ(gl.Camera.LastX, 0) << "left button does not move the view";
    gl.MouseMove(50, 50, QORGL::ShiftRight);
    gl.MouseMove(60, 50, QORGL::ShiftRight | QORGL::ShiftLeft);
    EXPECT_NEAR(gl.Camera.Eye.x, -1.0467f, 1e-4f);
    EXPECT_NEAR(gl.Light.Position.x, -0.2617f, 1e-4f);
    gl.Cube->Busy = true;
    gl.MouseMove(90, 90, QORGL::ShiftRight);
    EXPECT_EQ(gl.Camera.LastX, 60);
    EXPECT_NEAR(gl.Camera.Eye.x, -1.0467f, 1e-4f);
    gl.Cube->PickPrev = {1, 1, 1};
    gl.Cube->Cubies[3].InTurn = true;
    gl.MouseUp();
    EXPECT_FALSE(gl.Cube->Busy);
    EXPECT_FALSE(gl.Cube->Cubies[3].InTurn);
    EXPECT_EQ(gl.Cube->PickPrev.x, 0);
}

TEST(Renderer, surfaceWithoutGlReportsOnceAndAsksToClose) {
    QWindow raster;
    raster.setSurfaceType(QSurface::RasterSurface);
    raster.create();
    QORGL gl;
    QStringList errors;
    int closeRequests = 0;
    gl.ErrorBox = [&](const QString& t, const QString& c) { errors << c + ":" + t; };
    gl.CloseRequest = [&] { ++closeRequests; };
    EXPECT_FALSE(gl.InitGL(&raster));
    EXPECT_EQ(errors, QStringList{"Error:SetPixelFormat failed"});
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(gl.GLContext, nullptr);
    EXPECT_EQ(gl.Cube->Cubies[0].Name, 100u) << "the cube is reset all the same";
    gl.Resize(100, 100);
    gl.DrawFrame(); // must neither draw nor crash
    gl.Release();
    EXPECT_EQ(gl.Cube, nullptr);
}
