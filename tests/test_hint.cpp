// The hint and the analysis with a real game and the real solver, its tables built here: hint
// after hint ends solved and wins a hinted game, the plan is kept while the cube follows it,
// a new game, a stop or an opened file forgets it, and a win's shuffle gets its solver length.
#include "app/qorhint.h"

#include "history/qorhistory.h"
#include "solver/qorsolverservice.h"

#include "support/framecounter.h"
#include "support/testutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Hinted : CountedGame {
    QORSolverService solver{QString()};
    QORHint hint{game, solver};
    // A game dealt this shuffle; the hint's answers wait for the tables the first time.
    void Deal(const char* scramble) { game.NewGame(QString(32, 'a'), *ParseMoves(scramble), {}); }
    bool Next() {
        const int before = Turns;
        hint.Request();
        return QTest::qWaitFor([&] { return Turns > before; }, 30000);
    }
};

} // namespace

TEST(Hint, hintAfterHintFollowsItsPlanAndEndsInAHintedWinAndAnyOtherTurnPlansAfresh) {
    Hinted h;
    QSignalSpy won(&h.game, &QORGame::Won);
    h.Deal("R U F' L D D B' R' F U'");
    h.hint.Request();
    EXPECT_TRUE(h.hint.Waiting());
    ASSERT_TRUE(h.Next()) << "a request while one waits adds no turn";
    EXPECT_EQ(h.Turns, 11);
    ASSERT_TRUE(h.game.HintUsed && h.hint.Plan().size() >= 2);
    const QORMove planned = h.hint.Plan().first();
    h.hint.Request();
    EXPECT_EQ(h.game.Solution.last(), planned) << "at once, from the plan";
    h.game.PlayerTurns(*ParseMoves("L"));
    h.hint.Request();
    EXPECT_TRUE(h.hint.Waiting()) << "off the plan: the solver is asked again";
    for (int i = 0; i < 60 && !h.game.Solved; ++i)
        ASSERT_TRUE(h.Next());
    EXPECT_TRUE(h.game.Cube.IsSolved());
    EXPECT_EQ(won.size(), 1);
    EXPECT_TRUE(h.game.HintUsed) << "kept until the next game";
}

TEST(Hint, aNewGameAStopOrAnOpenedFileForgetsThePlanAndTheHintsUsed) {
    Hinted h;
    QTemporaryDir dir;
    const QString path = dir.filePath("solved.cube");
    QString error;
    ASSERT_TRUE(h.game.SaveAs(path, &error));
    const std::function<void()> ends[] = {[&] { h.game.NewGame(); }, [&] { h.game.Stop(); },
                                          [&] { h.game.Open(path, &error); }};
    for (const auto& end : ends) {
        h.Deal("R U F");
        ASSERT_TRUE(h.Next());
        ASSERT_GE(h.hint.Plan().size(), 2);
        end();
        EXPECT_TRUE(h.hint.Plan().isEmpty() && !h.game.HintUsed);
    }
}

TEST(Analysis, aWinsShuffleGetsTheSolversQuarterTurnsInTheHistory) {
    QTemporaryDir dir;
    QORSolveHistory history;
    ASSERT_TRUE(history.Open(dir.filePath("h.sqlite")));
    QORSolverService solver{QString()};
    QORAnalysis analysis(history, solver);
    QSignalSpy changed(&analysis, &QORAnalysis::Changed);
    const qint64 id = *history.Add(MadeSolve(10, 3));
    analysis.Analyse(id, *ParseMoves("R R U"));
    ASSERT_TRUE(changed.wait(30000));
    EXPECT_EQ(history.All()[0].SolverMoves, 3) << "a half turn counts two";
}
