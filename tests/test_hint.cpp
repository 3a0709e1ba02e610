// The hint and the analysis with a real game and the real solver, its tables built here.
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
    ASSERT_TRUE(h.hint.Waiting() && h.Next()) << "a request while one waits adds no turn";
    ASSERT_TRUE(h.Turns == 11 && h.game.HintUsed && h.hint.Plan().size() >= 2);
    const QORMove planned = h.hint.Plan().first();
    h.hint.Request();
    EXPECT_EQ(h.game.Solution.last(), planned) << "at once, from the plan";
    h.game.PlayerTurns(*ParseMoves("L"));
    h.hint.Request();
    EXPECT_TRUE(h.hint.Waiting()) << "off the plan: the solver is asked again";
    for (int i = 0; i < 60 && !h.game.Solved; ++i)
        ASSERT_TRUE(h.Next());
    EXPECT_TRUE(h.game.Cube.IsSolved() && won.size() == 1 && h.game.HintUsed);
}

TEST(Hint, aNewGameStopOrOpenedFileForgetsThePlanAndHintsAndAWinGetsItsSolverLength) {
    Hinted h;
    QTemporaryDir dir;
    QString error, path = dir.filePath("solved.cube");
    ASSERT_TRUE(h.game.SaveAs(path, &error));
    const std::function<void()> ends[] = {[&] { h.game.NewGame(); }, [&] { h.game.Stop(); },
                                          [&] { h.game.Open(path, &error); }};
    for (const auto& end : ends) {
        h.Deal("R U F");
        ASSERT_TRUE(h.Next() && h.hint.Plan().size() >= 2);
        end();
        EXPECT_TRUE(h.hint.Plan().isEmpty() && !h.game.HintUsed);
    }
    QORSolveHistory history;
    ASSERT_TRUE(history.Open(dir.filePath("h.sqlite")));
    QORAnalysis analysis(history, h.solver);
    QSignalSpy changed(&analysis, &QORAnalysis::Changed);
    analysis.Analyse(*history.Add(MadeSolve(10, 3)), *ParseMoves("R R U"));
    ASSERT_TRUE(changed.wait(30000));
    EXPECT_EQ(history.All()[0].SolverMoves, 3) << "a half turn counts two";
}
