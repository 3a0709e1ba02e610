#include "render/qorgl.h"

#include "support/pixels.h"
#include "support/shownrenderer.h"
#include "support/testutil.h"

#include <QOpenGLContext>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>

TEST(Renderer, theContextHasDepthAndTwoBuffersAndTheViewportIsTheLargestCentredSquare) {
    ShownRenderer r;
    ASSERT_NE(r.renderer.GLContext, nullptr);
    const QSurfaceFormat f = r.renderer.GLContext->format();
    EXPECT_GT(f.depthBufferSize(), 0);
    EXPECT_NE(f.swapBehavior(), QSurfaceFormat::SingleBuffer);
    GLint twoSide = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_TRUE(twoSide && glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_NORMALIZE));
    const std::pair<QSize, std::array<GLint, 4>> cases[] = {{{478, 315}, {81, 0, 315, 315}},
                                                            {{300, 500}, {0, 100, 300, 300}},
                                                            {{201, 200}, {0, 0, 200, 200}}};
    for (const auto& [size, expected] : cases) {
        r.renderer.Resize(size.width(), size.height());
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, expected) << size.width() << "x" << size.height();
    }
}

TEST(Renderer, aDragFromStickerToStickerTurnsTheirLayerOnWideAndTallPanelsAndChamfersPickNothing) {
    for (const QSize& size : {QSize(320, 320), QSize(300, 420), QSize(420, 300)}) {
        ShownRenderer r(size.width(), size.height());
        const QORSmallCube& corner = r.cube.Cubies[26];
        // The top-front chamfer rectangle of the corner: points 39, 2, 3, 38.
        const Vec3 a = corner.Points[39], b = corner.Points[3];
        const QPoint chamfer = PanelPoint(
            r.renderer, {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2}, size.height());
        EXPECT_FALSE(r.renderer.PickAt(chamfer.x(), chamfer.y()));
        const QPoint from = PanelPoint(r.renderer, corner.FaceCentre(1), size.height());
        const QPoint to = PanelPoint(r.renderer, r.cube.Cubies[23].FaceCentre(1), size.height());
        // The renderer only tells what it hit; the cube makes the drag's turn.
        const auto hit = r.renderer.MouseMove(from.x(), from.y(), QORGL::ShiftLeft);
        ASSERT_TRUE(hit && !r.cube.Pick(*hit));
        ExpectVec(r.cube.PickFace, 1.6f, 1.6f, 2.4f, 1e-6f);
        const auto next = r.renderer.MouseMove(to.x(), to.y(), QORGL::ShiftLeft);
        const auto move = next ? r.cube.Pick(*next) : std::nullopt; // down the right column
        ASSERT_TRUE(move);
        ExpectVec(r.cube.Cubies[26].Points[0], 1.6f, 1.6f, 1.6f, 0); // not turned by the view
        r.cube.Turn(*move);
        ExpectVec(r.cube.Cubies[26].Points[0], 1.6f, -1.6f, 1.6f, 0);
    }
}

TEST(Renderer, framesAreOnTheScreenWhenDrawFrameReturnsAndSkippedOnlyWhenNothingVisibleChanged) {
    ShownRenderer r;
    r.settings.ColorTable[7] = {128, 0, 0};
    for (int passes : {1, 4}) {
        r.renderer.PassCount = passes;
        r.renderer.DrawFrame();
        // No event is processed in between: the picture must already be on the screen.
        const QImage shown = r.panel.screen()->grabWindow(r.panel.winId()).toImage();
        EXPECT_GT(qGray(shown.pixel(shown.width() / 2, shown.height() / 2)), 150) << "white";
        EXPECT_EQ(shown.pixel(2, 2), qRgb(128, 0, 0)) << passes << " passes";
    }
    QORGL& gl = r.renderer;
    // A resize or expose draws a second frame in case the drawable was sized late, and a slow
    // machine may need a frame for each of the passes of the refinement.
    auto settle = [&gl] {
        for (int i = 0; i < QORGL::SettleFrames + gl.PassCount && gl.NeedsFrame(); ++i)
            gl.DrawFrame();
        return !gl.NeedsFrame();
    };
    ASSERT_TRUE(settle());
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"view", [&] { gl.Orbit(1); }},
        {"cube", [&] { r.cube.Cubies[5].Points[3].x += 0.01f; }},
        {"colour", [&] { SetRGB(r.cube.Cubies[5].Colors[1], 1, 2, 3); }},
        {"background", [&] { SetRGB(r.settings.ColorTable[7], 0, 0, 9); }},
        {"symbols", [&] { gl.StickerSymbols = true; }},
        {"passes", [&] { gl.PassCount = 3; }},
        {"resize", [&] { gl.Resize(300, 280); }},
        {"expose", [&] { gl.InvalidateFrame(); }}};
    for (const auto& [what, change] : changes) {
        change();
        EXPECT_TRUE(gl.NeedsFrame()) << what;
        EXPECT_TRUE(settle()) << what;
    }
    r.settings.ColorTable[1] = {9, 9, 9};
    EXPECT_FALSE(gl.NeedsFrame()) << "a table change alone shows nothing";
}

TEST(Renderer, withSymbolsEveryFacesStickerDiffersInShapeFromEveryOtherFacesInOneColourAt16Passes) {
    ShownRenderer r;
    std::fill(&r.settings.ColorTable[1], &r.settings.ColorTable[7], RGBTriple{0, 0, 128});
    r.cube.ApplyColors();
    r.renderer.StickerSymbols = true;
    r.renderer.PassCount = QORSettingTable::DrawQuality.Max;
    // Each face's centre sticker seen head on, lit as the front is from the start.
    const std::pair<Vec3, Vec3> views[6] = {{{0, 0, 1}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}},
                                            {{-1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 1, 0}},
                                            {{0, 1, 0}, {0, 0, -1}}, {{0, -1, 0}, {0, 0, 1}}};
    std::vector<QImage> masks;
    for (const auto& [n, up] : views) {
        const float d = QORCamera::Distance;
        r.renderer.Camera.Eye = {n.x * d, n.y * d, n.z * d};
        r.renderer.Camera.Up = up;
        r.renderer.Light.Position = {5 * (n.x + up.x), 5 * (n.y + up.y), 5 * (n.z + up.z)};
        r.renderer.ApplyLight();
        for (r.renderer.DrawFrame(); r.renderer.Refining();)
            r.renderer.DrawFrame();
        // The middle of the sticker: the symbol is where it is lit as brightly as the sticker.
        masks.push_back(
            r.panel.screen()->grabWindow(r.panel.winId()).toImage().copy(140, 140, 41, 41));
    }
    const auto ink = [](const QImage& i, int x, int y) { return qGray(i.pixel(x, y)) > 160; };
    for (int a = 0; a < 6; ++a)
        for (int b = 0; b < a; ++b) {
            // However the two stickers lie on the cube.
            int fewest = 41 * 41;
            for (int turn = 0; turn < 360; turn += 90) {
                const QImage turned = masks[std::size_t(b)].transformed(QTransform().rotate(turn));
                int differ = 0;
                for (int y = 0; y < 41; ++y)
                    for (int x = 0; x < 41; ++x)
                        differ += ink(masks[std::size_t(a)], x, y) != ink(turned, x, y);
                fewest = std::min(fewest, differ);
            }
            EXPECT_GT(fewest, 100) << "faces " << a + 1 << " and " << b + 1;
        }
}

TEST(Renderer, aSurfaceWithoutGlIsReportedOnceAndAskedToClose) {
    QWindow raster;
    raster.setSurfaceType(QSurface::RasterSurface);
    raster.create();
    QORBigCube cube;
    QORGL gl;
    gl.Cube = &cube;
    QStringList told;
    gl.ErrorBox = [&](const QString& t, const QString& c) { told << c + ":" + t; };
    gl.CloseRequest = [&] { told << "close"; };
    EXPECT_FALSE(gl.InitGL(&raster));
    EXPECT_EQ(told, (QStringList{"Error:SetPixelFormat failed", "close"}));
    gl.Resize(100, 100);
    gl.DrawFrame(); // must neither draw nor crash
}
