// The view controller on a live main window: the pass count of a held button, pointer events
// from the real panel, the idle rotation with the idle clock driven by the test, and a draw
// timer that sleeps once the picture at rest is complete.
#include "app/qordrawpanel.h"
#include "dialogs/options.h"
#include "dialogs/qorcolorbox.h"
#include "dialogs/qoroptionmaps.h"

#include "support/game.h"
#include "support/pixels.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ShownGame : Game {
    QORViewController& view = *form.View;
    ShownGame() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    // The real draw timer refines the picture and then stops.
    bool Asleep() {
        return QTest::qWaitFor([&] { return !view.DrawTimer.isActive(); }, 10000);
    }
};

} // namespace

TEST(View, aHeldButtonDrawsOnePassAtRestTheQualitysThenTheTimerSleepsUntilAChangeMayShow) {
    ShownGame g;
    g.form.Settings.DrawQuality = 8;
    QTest::mousePress(g.form.DrawPanel, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_EQ(g.view.Renderer.PassCount, 1);
    for (int x = 101; x <= 110; ++x)
        QTest::mouseMove(g.form.DrawPanel, QPoint(x, 100));
    QTest::mouseRelease(g.form.DrawPanel, Qt::RightButton, {}, QPoint(110, 100));
    EXPECT_LT(g.view.Renderer.Camera.Eye.x, -1.0f) << "the cube turns with the pointer";
    EXPECT_EQ(g.view.Renderer.PassCount, 8) << "a view drag's release restores the quality too";
    g.form.Settings.IdleTimeout = 5000;
    QSlider* quality = g.form.OptionsForm->TrackBarQuality;
    quality->setValue(*PositionForQuality(4));
    ASSERT_TRUE(g.Asleep());
    EXPECT_EQ(g.view.Renderer.PassCount, 4) << "no button release was needed";
    EXPECT_TRUE(g.view.IdleStart.isActive());
    EXPECT_GT(g.view.IdleStart.remainingTime(), 4000) << "it wakes when the view is due to turn";
    const std::pair<const char*, std::function<void()>> wakers[] = {
        {"quality", [&] { quality->setValue(*PositionForQuality(16)); }},
        {"background", [&] { emit g.form.OptionsForm->ColorBoxBG->activated(3); }},
        {"move", [&] { QTest::mouseMove(g.form.DrawPanel, QPoint(20, 20)); }},
        {"key", [&] { QTest::keyClick(g.form.DrawPanel, Qt::Key_Space); }},
        {"resize", [&] { g.form.resize(g.form.width() + 20, g.form.height()); }},
        {"expose", [&] { g.view.Expose(); }},
        {"clock", [&] { g.form.GameTimerTimer(); }},
        {"idle", [&] { g.view.IdleStart.start(0); }}};
    for (const auto& [what, wake] : wakers) {
        QSignalSpy ticks(&g.view.DrawTimer, &QTimer::timeout);
        wake();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !ticks.isEmpty(); }, 2000)) << what;
        ASSERT_TRUE(g.Asleep()) << what;
        EXPECT_FALSE(g.view.Renderer.NeedsFrame()) << what;
    }
    EXPECT_EQ(g.view.Renderer.PassCount, 16);
}

TEST(View, theViewTurnsByItselfOnceIdleAndInputStopsItWithoutTurningALayer) {
    ShownGame g;
    g.form.Settings.IdleTimeout = 5000;
    g.Idle(5200);
    ASSERT_TRUE(g.view.IdleRotation.Active());
    EXPECT_FALSE(g.view.Renderer.NeedsFrame()) << "each tick presents the view it moved to";
    // A flick from a front sticker to the one below, which would turn their layer.
    const QORBigCube before = g.Cube();
    const int height = g.form.DrawPanel->height();
    const QPoint from = PanelPoint(g.view.Renderer, before.Cubies[26].FaceCentre(1), height);
    const QPoint to = PanelPoint(g.view.Renderer, before.Cubies[23].FaceCentre(1), height);
    g.form.DrawPanelMouseDown(from.x(), from.y(), QORGL::ShiftLeft);
    g.form.DrawPanelMouseMove(to.x(), to.y(), QORGL::ShiftLeft);
    g.form.DrawPanelMouseUp(to.x(), to.y(), 0);
    EXPECT_FALSE(g.view.IdleRotation.Active());
    EXPECT_TRUE(SamePoints(g.Cube(), before)) << "the stopping press turned a layer";
    g.Idle(6000);
    ASSERT_TRUE(g.view.IdleRotation.Active());
    QTest::keyClick(g.form.DrawPanel, Qt::Key_Space);
    EXPECT_FALSE(g.view.IdleRotation.Active());
    g.form.DrawPanelMouseDown(10, 10, QORGL::ShiftRight);
    g.Idle(20000);
    EXPECT_FALSE(g.view.IdleRotation.Active()) << "a held button keeps the view still";
}
