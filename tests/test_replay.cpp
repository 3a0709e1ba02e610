// Watching a stored solve: its turns on the game's cube, with no clock, paused and stepped,
// and the cube given back to the player.
#include "game/qorreplay.h"

#include "support/facelets.h"
#include "support/framecounter.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Replay : CountedGame {
    QORReplay replay{game};
    Replay() : CountedGame(3) {}
};

} // namespace

TEST(Replay, theScrambleThenTheSolutionPlayWithoutTheClockStepWhilePausedAndYieldToThePlayer) {
    Replay r;
    r.game.NewGame();
    EXPECT_FALSE(r.replay.Start("R U", "U' X")) << "X is no turn the history writes";
    EXPECT_TRUE(r.game.Running()) << "a replay that cannot start leaves the game";
    ASSERT_TRUE(r.replay.Start("R U F'", "F U' R'"));
    EXPECT_FALSE(r.game.Running());
    EXPECT_EQ(r.game.GameSeconds, 0);
    r.replay.Pause();
    const int before = r.Turns;
    r.replay.Step();
    EXPECT_EQ(r.replay.TurnsDone(), 1);
    EXPECT_TRUE(r.replay.Paused() && r.replay.Active());
    Facelets f;
    f.Apply("R");
    EXPECT_EQ(Facelets::Of(r.game.Cube), f.Now);
    EXPECT_EQ(r.Turns - before, 1) << "reported for the view to show";
    r.replay.Resume();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.replay.Active(); }));
    EXPECT_EQ(r.replay.TurnsDone(), 6);
    EXPECT_TRUE(r.game.Cube.IsSolved());
    EXPECT_FALSE(r.game.Running());
    // The player's turn or a new game ends a replay.
    const std::function<void()> takeovers[] = {[&] {
                                                   r.game.PlayerTurns({QORMove{0, 1, 1}});
                                               },
                                               [&] { r.game.NewGame(); }};
    for (const auto& takeover : takeovers) {
        ASSERT_TRUE(r.replay.Start("R U F'", "F U' R'"));
        r.replay.Step();
        takeover();
        EXPECT_FALSE(r.replay.Active());
        EXPECT_TRUE(r.replay.Paused());
    }
}

TEST(Replay, theSolutionPlaysAtThePaceItWasSolvedTimesTheChosenSpeed) {
    Replay r;
    // Three solution turns: a turn every third of the solve, faster as chosen, 0 for no pause.
    const std::tuple<double, int, int> rows[] = {
        {6, 1, 2000}, {6, 4, 500}, {6, 0, 0}, {0, 1, 0}, {1e9, 1, 10000}};
    for (const auto& [seconds, speed, pace] : rows) {
        r.replay.SetSpeed(speed);
        ASSERT_TRUE(r.replay.Start("R", "F U' R'", seconds));
        EXPECT_EQ(r.replay.PaceMs(), pace) << seconds << " x" << speed;
    }
    r.replay.SetSpeed(2);
    QElapsedTimer played;
    played.start();
    ASSERT_TRUE(r.replay.Start("R U F'", "F U' R'", 1.2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.replay.Active(); }));
    EXPECT_GE(played.elapsed(), 540) << "three turns 200 ms apart, timers up to 5% early";
}
