// The view's turn animation on a live main window: turns shown one after another by elapsed
// time, each with frames part-way, hurried while the player's turns wait, a shuffle at full
// pace with the clock started once it is on the screen.
#include "app/qordrawpanel.h"
#include "app/qorturnanimation.h"

#include "support/game.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(TurnAnimation, aTurnLastsNinetyDegreesInStepsOfSixtyASecondWhateverTheDisplay) {
    const std::pair<int, double> rows[] = {{1, 1500},       {5, 300},        {9, 1000.0 / 6},
                                           {45, 100.0 / 3}, {90, 50.0 / 3},  {7, 300}, {0, 300}};
    for (const auto& [step, ms] : rows)
        EXPECT_NEAR(QORTurnAnimation::TurnMs(step), ms, 1e-9) << step;
}

TEST(TurnAnimation, twelveKeysInASecondAreAllShownInOrderEachPartWayTheLastSoonAfterTheLastKey) {
    Game g;
    g.form.Settings.RotateStep = QORSettingTable::RotateSpeed.Default;
    g.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.form));
    QORTurnAnimation& a = g.form.View->Animation;
    QElapsedTimer clock;
    QList<QORMove> shown;
    QList<int> partWay;
    qint64 lastShown = 0;
    QObject::connect(&a, &QORTurnAnimation::TurnShown, [&](const QORMove& m, int frames) {
        shown << m;
        partWay << frames;
        lastShown = clock.elapsed();
    });
    const char keys[] = "RUFLDBRUFLDB";
    clock.start();
    for (int i = 0; i < 12; ++i) {
        // Typed at twelve and a half keys a second.
        ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() >= 80 * i; }));
        QTest::keyClick(&g.form, Qt::Key(Qt::Key_A + (keys[i] - 'A')));
    }
    const qint64 lastKey = clock.elapsed();
    ASSERT_LT(lastKey, 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() == 12; }, 5000)) << shown.size();
    EXPECT_EQ(MovesText(shown), MovesText(g.form.Game->Solution)) << "in the order made";
    EXPECT_EQ(g.form.Game->Moves, 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_GE(partWay[i], 1) << "turn " << i;
    EXPECT_LE(lastShown - lastKey, 1500);
    EXPECT_TRUE(SamePoints(a.Picture(), g.Cube())) << "the picture ends where the cube is";
}

TEST(TurnAnimation, aShuffleIsShownAtFullPaceWithThePointerHeldAndTheClockStartsAfterIt) {
    Game g;
    g.form.Settings.ShuffleCount = 3;
    g.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.form));
    QORTurnAnimation& a = g.form.View->Animation;
    QElapsedTimer clock;
    clock.start();
    g.form.N4Click();
    EXPECT_EQ(g.form.Game->Scramble.size(), 3) << "the cube holds the shuffle at once";
    EXPECT_FALSE(g.form.Game->Running()) << "the clock waits for the picture";
    const int x = g.form.DrawPanel->width() / 2, y = g.form.DrawPanel->height() / 2;
    g.form.View->MouseDown(x, y, QORGL::ShiftLeft);
    ExpectVec(g.Cube().PickCubie, 0, 0, 0, 0);
    QSignalSpy idle(&a, &QORTurnAnimation::Idle);
    ASSERT_TRUE(idle.wait());
    EXPECT_GE(clock.elapsed(), 3 * 100 / 3) << "three turns of 90 / 45 frames each";
    EXPECT_TRUE(g.form.Game->Running());
    g.form.View->MouseDown(x, y, QORGL::ShiftLeft);
    EXPECT_GT(VecLength(g.Cube().PickCubie), 1.0f) << "at rest the pointer picks again";
}
