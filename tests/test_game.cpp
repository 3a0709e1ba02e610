// The game object: a new game, the clock, the win on release, stop, and the game file.
#include "game/qorgame.h"

#include "support/facelets.h"
#include "support/framecounter.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Game : CountedGame {
    QStringList clock, files;
    QList<std::pair<int, int>> wins;
    explicit Game(int shuffles = 0) : CountedGame(shuffles) {
        game.Cube.SeedSource = [] { return uint64_t(5); };
        QObject::connect(&game, &QORGame::ClockChanged, [this](const QString& t) { clock << t; });
        QObject::connect(&game, &QORGame::Won, [this](int s, int n) { wins << std::pair(s, n); });
        QObject::connect(&game, &QORGame::GameFileChanged,
                         [this](const QString& f) { files << f; });
    }
};

} // namespace

TEST(Game, aGameIsWonOnTheReleaseThatFindsTheCubeSolvedWithTheLengthItBeganWith) {
    Game g(4);
    g.game.ButtonReleased();
    g.game.NewGame();
    EXPECT_TRUE(g.wins.isEmpty()) << "no game, no win";
    EXPECT_EQ(g.clock, QStringList{"00:00:00"});
    ASSERT_FALSE(g.game.Cube.IsSolved());
    g.settings.ShuffleCount = 12; // changing the setting mid-game changes nothing reported
    for (int i = 0; i < 75; ++i)
        g.game.GameTimerTimer();
    g.game.ButtonReleased();
    EXPECT_TRUE(g.game.Running() && g.wins.isEmpty()) << "unsolved: the game goes on";
    g.game.Cube.Reset(); // solved by hand, as far as the game can tell
    g.game.ButtonReleased();
    EXPECT_EQ(g.wins, (QList<std::pair<int, int>>{{75, 4}}));
    EXPECT_FALSE(g.game.Running());
    EXPECT_EQ(g.game.GameSeconds, 75) << "the final time stays until the next game";
    g.game.ButtonReleased();
    EXPECT_EQ(g.wins.size(), 1);
    g.game.NewGame();
    const int timer = g.game.GameTimer.timerId();
    g.game.NewGame();
    EXPECT_EQ(g.game.GameTimer.timerId(), timer) << "restarting would restart the period";
    g.game.Stop();
    EXPECT_TRUE(g.game.Cube.IsSolved() && !g.game.Running() && g.clock.last() == "00:00:00");
    g.game.ButtonReleased();
    EXPECT_EQ(g.wins.size(), 1) << "after a stop there is nothing to win";
}

TEST(Game, ticksWhileANewGamesShuffleIsShownCountNothing) {
    Game g(4);
    g.game.ShowsTurns = true;
    g.game.NewGame();
    g.game.TurnsShown();
    g.game.GameTimerTimer();
    g.game.NewGame(); // the running timer goes on ticking through the shuffle
    g.game.GameTimerTimer();
    g.game.GameTimerTimer();
    EXPECT_EQ(g.game.GameSeconds, 0);
    g.game.TurnsShown();
    g.game.GameTimerTimer();
    EXPECT_EQ(g.game.GameSeconds, 1);
    EXPECT_EQ(g.clock.last(), "00:00:01");
}

TEST(Game, undoAndRedoTakeTurnsBackAndAgainAndTheCounterTakesAllButWholeCubeTurns) {
    Game g; // no shuffle: the game starts solved
    g.game.NewGame();
    const QORViewFaces start = FacesSeenFrom({0, 0, 20}, {0, 1, 0});
    auto key = [&](char letter) {
        return g.game.PlayerTurns(*KeyTurns(QChar(letter), false, start));
    };
    ASSERT_TRUE(key('R') && key('X'));
    g.game.Dragged({2, 1, 1}); // a drag's turn: F
    EXPECT_EQ(g.game.Moves, 2) << "turning the whole cube is no move";
    ASSERT_TRUE(g.game.UndoTurn() && g.game.UndoTurn()); // F, then X
    ASSERT_TRUE(g.game.RedoTurn());                      // X again
    EXPECT_EQ(g.game.Moves, 3);
    EXPECT_TRUE(g.game.History.CanRedo());
    ASSERT_TRUE(key('U'));
    EXPECT_FALSE(g.game.History.CanRedo()) << "a new turn forgets what could be redone";
    ASSERT_TRUE(g.game.UndoTurn() && g.game.UndoTurn());
    EXPECT_TRUE(g.wins.isEmpty());
    ASSERT_TRUE(g.game.UndoTurn()); // R: back to solved, which wins as any turn would
    EXPECT_EQ(g.wins.size(), 1);
    EXPECT_EQ(g.game.Moves, 6);
    EXPECT_FALSE(g.game.UndoTurn()) << "nothing before the first turn";
    for (void (QORGame::*clear)() : {&QORGame::NewGame, &QORGame::Stop}) {
        ASSERT_TRUE(key('F'));
        (g.game.*clear)();
        EXPECT_FALSE(g.game.History.CanUndo());
        EXPECT_EQ(g.game.Moves, 0);
    }
}

TEST(Game, theScrambleAndTheSolutionAreWrittenInTheCubesFrameAndReplayToSolved) {
    Game g(6);
    g.game.NewGame();
    Facelets shuffled;
    shuffled.Apply(MovesText(g.game.Scramble));
    ASSERT_EQ(g.game.Scramble.size(), 6);
    EXPECT_EQ(shuffled.Now, Facelets::Of(g.game.Cube)) << MovesText(g.game.Scramble).toStdString();
    // Seen from the right, a whole-cube turn and its undo, then the shuffle turned back by a
    // drag, keys, an undo and a redo.
    const QORViewFaces side = FacesSeenFrom({20, 0, 0}, {0, 1, 0});
    ASSERT_TRUE(g.game.PlayerTurns(*KeyTurns('Y', false, side)) && g.game.UndoTurn());
    for (qsizetype i = g.game.Scramble.size() - 1; i >= 0; --i) {
        QORMove back = g.game.Scramble[i];
        back.Sense = -back.Sense;
        if (i == 5) {
            g.game.Dragged(back);
        } else {
            ASSERT_TRUE(g.game.PlayerTurns({back}));
        }
        if (i == 3) {
            ASSERT_TRUE(g.game.UndoTurn() && g.game.RedoTurn());
        }
    }
    g.game.ButtonReleased();
    ASSERT_EQ(g.wins.size(), 1);
    EXPECT_EQ(g.game.Moves, 8);
    Facelets replayed;
    replayed.Apply(MovesText(g.game.Scramble) + ' ' + MovesText(g.game.Solution));
    EXPECT_EQ(replayed.Now, Facelets().Now) << MovesText(g.game.Solution).toStdString();
}

// The server replays the dealt scramble and the timed turns in the fixed frame, without the
// whole-cube turns.
TEST(Game, aDealtScrambleIsPlayedAsDealtAndItsTimedTurnsReplayToSolvedWithoutWholeCubeTurns) {
    const QList<QORMove> dealt = *ParseMoves("R U F' M E S'");
    const auto model = [](const QString& moves) {
        Facelets f;
        f.Apply(moves);
        return f.Now;
    };
    // Whole-cube keys made before the first layer turn and halfway; lower case the other way.
    for (const QString wholes : {"..", "X.", "yZ", "Zx"}) {
        Game g;
        qint64 now = 500;
        g.game.NowMs = [&] { return now; };
        // A random state's scramble is marked so until the next game, stop or opened file.
        g.game.NewGame(QString(32, 'c'), dealt, QDateTime(), wholes != "..");
        EXPECT_TRUE(g.game.Verified() && g.game.GameShuffles == 6 && g.game.Scramble == dealt);
        EXPECT_EQ(g.game.RandomState, wholes != "..");
        QString held; // the whole turns so far
        for (qsizetype i = dealt.size() - 1; i >= 0; --i) {
            now += 100;
            const QChar key = i == 5 ? wholes[0] : i == 2 ? wholes[1] : QChar('.');
            if (key != '.') {
                const QList<QORMove> w =
                    *KeyTurns(key.toUpper(), key.isLower(), FacesSeenFrom({0, 0, 20}, {0, 1, 0}));
                ASSERT_TRUE(g.game.PlayerTurns(w));
                held += ' ' + MovesText(w);
            }
            // The turn that does to the cube as held what the inverse does to it as it began,
            // found on the independent model.
            for (int k = 0; k < 18; ++k) {
                const QORMove m{k / 6, k / 2 % 3 - 1, k % 2 ? 1 : -1};
                const QString back = MoveName(dealt[i].Inverse());
                if (model(held + ' ' + MoveName(m)) == model(back + ' ' + held)) {
                    ASSERT_TRUE(g.game.PlayerTurns({m}));
                }
            }
            if (i == 4) {
                ASSERT_TRUE(g.game.UndoTurn() && g.game.RedoTurn());
            }
        }
        ASSERT_EQ(g.wins.size(), 1) << wholes.toStdString();
        const QList<QORProtocol::TimedMove>& timed = g.game.TimedMoves;
        ASSERT_EQ(timed.size(), 8) << "undo and redo are turns; whole-cube turns are not sent";
        EXPECT_EQ(std::pair(timed[0].Ms, timed[7].Ms), std::pair(qint64(100), qint64(600)));
        QORBigCube replay;
        replay.Reset();
        for (const QORMove& move : dealt)
            replay.Turn(move);
        for (const QORProtocol::TimedMove& move : timed)
            replay.Turn(move.Move);
        EXPECT_TRUE(replay.IsSolved()) << QORProtocol::TimedMovesText(timed).toStdString();
        g.game.Stop();
        EXPECT_FALSE(g.game.RandomState);
    }
}

TEST(Game, onlyASavedGameBecomesTheGameFileWhichSaveWritesUntilItIsGoneOrForgotten) {
    QTemporaryDir dir;
    Game g(2);
    g.game.NewGame();
    for (int i = 0; i < 3; ++i)
        g.game.GameTimerTimer();
    ASSERT_TRUE(g.game.PlayerTurns({{0, 1, 1}}));
    QString error;
    WriteAll(dir.filePath("photo.jpg"), QByteArray(1000, 'x'));
    for (const QString& refused : {QString(), dir.filePath("photo.jpg")}) {
        EXPECT_FALSE(g.game.Open(refused, &error));
        EXPECT_TRUE(g.game.Running() && g.game.GameSeconds == 3 && g.game.Moves == 1)
            << "a refused file ends no game";
    }
    QDir(dir.path()).mkdir("taken.cube");
    EXPECT_FALSE(g.game.SaveAs(dir.filePath("taken.cube"), &error));
    EXPECT_TRUE(g.game.CurrentGameFile.isEmpty() && g.files.isEmpty());
    QORBigCube saved;
    saved.Reset();
    std::swap(saved.Cubies[7].Points, saved.Cubies[8].Points);
    ASSERT_TRUE(saved.Save(dir.filePath("g.cube")));
    ASSERT_TRUE(g.game.Open(dir.filePath("g.cube"), &error));
    EXPECT_TRUE(SamePoints(g.game.Cube, saved));
    EXPECT_FALSE(g.game.Running() || g.game.GameSeconds || g.game.Moves) << "opening ends it";
    EXPECT_FALSE(g.game.Open(dir.filePath("photo.jpg"), &error));
    EXPECT_EQ(g.game.CurrentGameFile, dir.filePath("g.cube")) << "a later save must not hit it";
    EXPECT_TRUE(SamePoints(g.game.Cube, saved));
    std::swap(g.game.Cube.Cubies[0].Points, g.game.Cube.Cubies[1].Points);
    ASSERT_TRUE(g.game.HasGameFile() && g.game.Save(&error));
    QORBigCube back;
    ASSERT_TRUE(back.Load(dir.filePath("g.cube")));
    EXPECT_TRUE(SamePoints(back, g.game.Cube));
    QFile::remove(dir.filePath("g.cube"));
    EXPECT_FALSE(g.game.HasGameFile()) << "once the file is gone, save asks again";
    // A new game or a stop forgets the file, so that a save cannot overwrite it unasked.
    for (void (QORGame::*forget)() : {&QORGame::NewGame, &QORGame::Stop}) {
        ASSERT_TRUE(g.game.SaveAs(dir.filePath("kept.cube"), &error));
        EXPECT_EQ(g.files.last(), dir.filePath("kept.cube"));
        (g.game.*forget)();
        EXPECT_TRUE(g.game.CurrentGameFile.isEmpty());
    }
}

// With inspection on, the shown shuffle counts down from 15, red from 8 s left; a whole-cube
// turn only looks. The first layer turn starts the clock, with the penalty after 15 s; none by
// 17 s ends the game as a DNF, whether a tick or a late turn finds it.
TEST(Game, theFirstLayerTurnEndsTheInspectionWithPlusTwoAfter15sAndNoneBy17sIsADnf) {
    // The first layer turn's moment (none: a tick at 17 s), then the clock, running, +2.
    const std::tuple<qint64, const char*, bool, bool> rows[] = {
        {14999, "00:00:00", true, false}, {15000, "00:00:00 +2", true, true},
        {16999, "00:00:00 +2", true, true}, {17000, "DNF", false, false}, {-1, "DNF", false, false}};
    for (const auto& [at, clock, running, plusTwo] : rows) {
        Game g;
        qint64 now = 500, dnfs = 0;
        g.game.NowMs = [&] { return now; };
        g.game.WantsInspection = [] { return true; };
        QObject::connect(&g.game, &QORGame::DidNotFinish, [&] { ++dnfs; });
        g.game.ShowsTurns = true;
        g.game.GameTimer.start(); // as over a running game, whose timer must not tick now
        g.game.NewGame({}, {{0, 1, 1}, {2, 1, 1}}, {});
        EXPECT_FALSE(g.game.Inspecting()) << "not while the shuffle is still shown";
        g.game.TurnsShown();
        QStringList seen{g.clock.last()};
        for (const qint64 ms : {1000, 6999, 7000, 15000, 16999}) {
            now = 500 + ms;
            ASSERT_TRUE(g.game.PlayerTurns({{1, -1, 1}, {1, 0, 1}, {1, 1, 1}})); // whole cube
            g.game.InspectionTimerTimer();
            seen << g.clock.last() + (g.game.ClockWarns() ? "!" : "");
        }
        EXPECT_EQ(seen, QStringList({"15", "14", "9", "8!", "+2!", "+2!"}));
        EXPECT_TRUE(g.game.Inspecting() && !g.game.Running() && g.game.Moves == 0);
        now = 500 + (at < 0 ? 17000 : at);
        at < 0 ? g.game.InspectionTimerTimer() : void(g.game.PlayerTurns({{2, 1, -1}}));
        now += 3000; // the clock counts from the first turn; a win says the penalty beside it
        g.game.Cube.Reset();
        g.game.ButtonReleased();
        EXPECT_EQ(std::tuple(g.clock.last(), g.game.Solved, g.game.PlusTwo, g.game.Dnf, dnfs,
                             g.game.Inspecting(), g.game.ElapsedMs()),
                  std::tuple(QString(clock), running, plusTwo, !running, qint64(!running), false,
                             qint64(running ? 3000 : 0)))
            << at;
    }
}
