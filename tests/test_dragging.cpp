// Sticker dragging on a real GL context: pointer positions come from projecting sticker
// centres with the live matrices, and the picks go through selection mode.
#include "support/pixels.h"
#include "support/shownrenderer.h"

#include <gtest/gtest.h>

namespace {

int Index(int i, int j, int k) {
    return 9 * i + 3 * j + k;
}

// Counts the frames of turn animations and passes them on to the renderer.
struct CountingLink : QORRendererLink {
    QORGL& Gl;
    int Frames = 0;
    explicit CountingLink(QORGL& gl) : Gl(gl) {}
    void DrawFrame() override {
        ++Frames;
        Gl.DrawFrame();
    }
    Vec3 CameraEye() const override { return Gl.CameraEye(); }
    Vec3 CameraUp() const override { return Gl.CameraUp(); }
    int PanelHeight() const override { return Gl.PanelHeight(); }
};

struct Drag : ShownRenderer {
    CountingLink link{renderer};
    explicit Drag(int w = 320, int h = 320) : ShownRenderer(w, h) {
        renderer.Cube->Renderer = &link;
        renderer.Cube->RotateStep = 30;
    }
    int Turns() const { return link.Frames / 3; }

    // Pointer position (panel pixels, y down) of a world point as the player sees it.
    QPoint At(const Vec3& world) {
        renderer.RenderFrame();
        const Vec3 w = ProjectToWindow(world);
        return {int(w.x), renderer.PanelHeight() - int(w.y)};
    }
    QPoint Sticker(int cubie, int face) {
        return At(renderer.Cube->Cubies[cubie].FaceCentre(face));
    }

    void Move(QPoint p) { renderer.MouseMove(p.x(), p.y(), QORGL::ShiftLeft); }
    void Release() { renderer.MouseUp(); }
};

} // namespace

TEST(Dragging, frontStickerDownTurnsTheRightLayerFrontDown) {
    Drag d;
    d.Move(d.Sticker(Index(2, 2, 2), 1));
    d.Move(d.Sticker(Index(2, 1, 2), 1));
    d.Release();
    EXPECT_EQ(d.Turns(), 1);
    const Vec3 corner = d.renderer.Cube->Cubies[Index(2, 2, 2)].Points[0];
    EXPECT_NEAR(corner.y, -1.6f, 1e-3f);
    EXPECT_NEAR(corner.z, 1.6f, 1e-3f);
    const Vec3 top = d.renderer.Cube->Cubies[Index(2, 2, 0)].Points[0];
    EXPECT_NEAR(top.z, 1.6f, 1e-3f) << "the top-back of the right layer came to the front";
}

TEST(Dragging, sameCubieDiagonalChamfersAndBackgroundTurnNothing) {
    Drag d;
    // Onto the same cubie's top sticker: tilt the view so the top is visible.
    for (int y = 1; y <= 5; ++y) {
        d.renderer.MouseMove(10, y, QORGL::ShiftRight);
    }
    const QORBigCube& cube = *d.renderer.Cube;
    const Vec3 corner = cube.Cubies[26].Points[0];
    d.Move(d.Sticker(26, 1));
    d.Move(d.Sticker(26, 5));
    EXPECT_EQ(cube.PickPrev.y, corner.y) << "both picks hit the corner";
    EXPECT_EQ(cube.PickCubie.y, corner.y);
    EXPECT_GT(cube.PickFace.y, 2.3f) << "the second pick was its top sticker";
    d.Release();
    // Diagonal neighbours on the front face.
    d.Move(d.Sticker(Index(2, 2, 2), 1));
    d.Move(d.Sticker(Index(1, 1, 2), 1));
    EXPECT_NEAR(cube.PickCubie.z, 1.6f, 1e-4f) << "the picks stay for the next cubie";
    EXPECT_EQ(cube.PickPrev.x, corner.x);
    d.Release();
    // The chamfers between two cubies, then the background.
    d.Move(d.At({corner.x - 0.8f, corner.y, 2.4f}));
    d.Move(d.At({corner.x - 0.8f, corner.y - 1.6f, 2.4f}));
    d.Move(QPoint(2, 2));
    d.Move(QPoint(4, 300));
    EXPECT_EQ(cube.PickCubie.z, 0) << "chamfers and background pick nothing";
    d.Release();
    EXPECT_EQ(d.Turns(), 0);
    EXPECT_TRUE(d.renderer.Cube->IsSolved());
}

TEST(Dragging, faceCentreToEdgeTurnsTheMiddleSlice) {
    Drag d;
    d.Move(d.Sticker(Index(1, 1, 2), 1));
    d.Move(d.Sticker(Index(2, 1, 2), 1));
    d.Release();
    EXPECT_EQ(d.Turns(), 1);
    const QORBigCube& cube = *d.renderer.Cube;
    EXPECT_NEAR(cube.Cubies[Index(2, 1, 2)].Points[0].y, 0, 1e-3f);
    EXPECT_NEAR(cube.Cubies[Index(2, 1, 2)].Points[0].z, -1.6f, 1e-3f) << "moved right, round";
    EXPECT_NEAR(cube.Cubies[Index(2, 2, 2)].Points[0].x, 1.6f, 1e-3f) << "top layer stays";
}

TEST(Dragging, longStraightDragTurnsReanchorsAndTurnsAgain) {
    Drag d;
    // Screen places of the left column, fixed before anything turns.
    const QPoint top = d.Sticker(Index(0, 2, 2), 1), mid = d.Sticker(Index(0, 1, 2), 1),
                 low = d.Sticker(Index(0, 0, 2), 1);
    d.Move(top);
    d.Move(mid);
    EXPECT_EQ(d.Turns(), 1);
    d.Move(low);
    EXPECT_EQ(d.Turns(), 1) << "the next cubie only re-anchors";
    d.Move(mid);
    EXPECT_EQ(d.Turns(), 2);
    d.Release();
}

TEST(Dragging, pickRowCountsFromThePanelsBottomOnATallPanel) {
    Drag d(300, 420);
    d.Move(d.Sticker(Index(2, 2, 2), 1));
    d.Move(d.Sticker(Index(2, 1, 2), 1));
    d.Release();
    EXPECT_EQ(d.Turns(), 1);
    EXPECT_NEAR(d.renderer.Cube->Cubies[Index(2, 2, 2)].Points[0].y, -1.6f, 1e-3f);
}

TEST(Dragging, busyCubeIgnoresMovesAndReleaseClearsIt) {
    Drag d;
    d.renderer.Cube->Busy = true;
    d.Move(d.Sticker(Index(2, 2, 2), 1));
    d.Move(d.Sticker(Index(2, 1, 2), 1));
    EXPECT_EQ(d.Turns(), 0);
    EXPECT_EQ(d.renderer.Cube->PickCubie.x, 0);
    d.Release();
    EXPECT_FALSE(d.renderer.Cube->Busy);
}
