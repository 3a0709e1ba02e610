// The idle free rotation on a live main window, with the idle clock driven by the test.
#include "app/mainform.h"
#include "app/qordrawpanel.h"
#include "dialogs/options.h"
#include "render/qorgl.h"

#include <QComboBox>
#include <QTest>
#include <QTimer>

#include "support/game.h"
#include "support/pixels.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

bool SamePoints(const QORBigCube& a, const std::array<QORSmallCube, 27>& b) {
    for (int i = 0; i < QORBigCube::CubieCount; ++i)
        if (std::memcmp(a.Cubies[i].Points.data(), b[i].Points.data(), sizeof(b[i].Points)) != 0)
            return false;
    return true;
}

struct ShownGame : Game {
    ShownGame() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // The pointer position of a sticker centre as the player sees it now.
    QPoint Sticker(int cubie, int face) {
        form.Renderer->DrawFrame();
        const Vec3 w = ProjectToWindow(Cube().Cubies[cubie].FaceCentre(face));
        return {int(w.x), form.Renderer->PanelHeight() - int(w.y)};
    }
    // A left-button drag from one front sticker to the one below it.
    void DragDown() {
        const QPoint from = Sticker(26, 1), to = Sticker(23, 1);
        form.DrawPanelMouseDown(from.x(), from.y(), QORGL::ShiftLeft);
        form.DrawPanelMouseMove(from.x(), from.y(), QORGL::ShiftLeft);
        form.DrawPanelMouseMove(to.x(), to.y(), QORGL::ShiftLeft);
        form.DrawPanelMouseUp(to.x(), to.y(), 0);
    }
};

} // namespace

TEST(IdleView, afterTheTimeoutTheEyeOrbitsAtDistanceTwentyAndThePuzzleStays) {
    ShownGame g;
    g.Cube().ShuffleCount = 5;
    g.form.N4Click();
    const auto points = g.Cube().Cubies;
    const int seconds = g.form.GameSeconds;
    g.Idle(59990);
    ExpectVec(g.form.Renderer->Camera.Eye, 0, 0, 20);
    g.Idle(1010);
    const Vec3 eye = g.form.Renderer->Camera.Eye;
    EXPECT_LT(eye.x, -6.0f) << "about 20 degrees in the first second";
    EXPECT_GT(eye.x, -7.5f);
    EXPECT_NEAR(eye.y, 0.0f, 1e-4f) << "about the view's up axis";
    EXPECT_NEAR(VecLength(eye), 20.0f, 1e-3f);
    EXPECT_NEAR(VecLength(g.form.Renderer->Light.Position), VecLength(Vec3{0, 5, 5}), 1e-3f);
    EXPECT_FALSE(g.form.Renderer->NeedsFrame()) << "each tick presents the view it moved to";
    g.Idle(3000);
    EXPECT_NEAR(VecLength(g.form.Renderer->Camera.Eye), 20.0f, 1e-3f);
    EXPECT_TRUE(SamePoints(g.Cube(), points));
    EXPECT_EQ(g.form.GameSeconds, seconds);
    EXPECT_TRUE(g.form.GameTimer->isActive()) << "the game goes on";
}

TEST(IdleView, pressStopsTheRotationWithoutTurningALayer) {
    ShownGame g;
    g.form.Renderer->DrawQuality = 1;
    g.Cube().IdleTimeout = 5000;
    g.Idle(5200);
    ASSERT_TRUE(g.form.IdleRotation.Active());
    const auto points = g.Cube().Cubies;
    g.DragDown();
    EXPECT_FALSE(g.form.IdleRotation.Active());
    const Vec3 eye = g.form.Renderer->Camera.Eye;
    EXPECT_TRUE(SamePoints(g.Cube(), points)) << "the stopping press turned a layer";
    g.Idle(100);
    ExpectVec(g.form.Renderer->Camera.Eye, eye.x, eye.y, eye.z, 0);
    // The same drag once stopped is a turn again.
    g.DragDown();
    EXPECT_FALSE(SamePoints(g.Cube(), points));
}

TEST(IdleView, pointerMoveOrKeyStopsItAndRestartsTheWait) {
    ShownGame g;
    g.Cube().IdleTimeout = 5000;
    g.Idle(6000);
    ASSERT_TRUE(g.form.IdleRotation.Active());
    QTest::mouseMove(g.form.DrawPanel, QPoint(30, 30));
    EXPECT_FALSE(g.form.IdleRotation.Active());
    const Vec3 eye = g.form.Renderer->Camera.Eye;
    g.Idle(4990);
    ExpectVec(g.form.Renderer->Camera.Eye, eye.x, eye.y, eye.z, 0);
    g.Idle(1000);
    EXPECT_TRUE(g.form.IdleRotation.Active());
    QTest::keyClick(g.form.DrawPanel, Qt::Key_Space);
    EXPECT_FALSE(g.form.IdleRotation.Active());
}

TEST(IdleView, heldButtonKeepsTheViewStill) {
    ShownGame g;
    g.Cube().IdleTimeout = 5000;
    g.form.DrawPanelMouseDown(10, 10, QORGL::ShiftRight);
    g.Idle(20000);
    ExpectVec(g.form.Renderer->Camera.Eye, 0, 0, 20, 0);
    g.form.DrawPanelMouseUp(10, 10, 0);
    g.Idle(5100);
    EXPECT_TRUE(g.form.IdleRotation.Active());
}

TEST(IdleView, neverChosenInTheDialogNeverStarts) {
    ShownGame g;
    g.form.OptionsForm->ComboBoxIdle->setCurrentIndex(0);
    ASSERT_EQ(g.Cube().IdleTimeout, 0);
    for (int minute = 0; minute < 30; ++minute) {
        g.now += 60000;
        g.form.DrawTimerTimer();
    }
    ExpectVec(g.form.Renderer->Camera.Eye, 0, 0, 20, 0);
    EXPECT_FALSE(g.form.IdleRotation.Active());
}
