#include "sharedtables.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <random>

TEST(Solver, randomStatesAreSolvedWithinTwentyOneFaceTurns) {
    const QORSolver solver(SharedTables());
    const QORDraw draw = SecureDraw();
    for (int i = 0; i < QUELMORA_SOLVED_STATES; ++i) {
        const QORCubieCube state = RandomState(draw);
        const QORSolution s = solver.Solve(state);
        // The turns are made by whole-cube products, which know nothing of the search's tables.
        QORCubieCube c = state;
        for (int t : s.Turns)
            c = c.Turned(t);
        ASSERT_EQ(c, QORCubieCube()) << state.Stickers() << ": " << FaceTurnsText(s.Turns);
        ASSERT_LE(s.FaceTurns(), 21) << state.Stickers();
        ASSERT_EQ(s.Fault, QORStateFault::None);
    }
    EXPECT_TRUE(solver.Solve(QORCubieCube()).Turns.empty());
    EXPECT_EQ(solver.Solve(QORCubieCube().Turned(4)).Turns, std::vector<int>{4});
}

TEST(Solver, givenTimeTheSearchGoesOnToShorterSolutions) {
    const QORSolver solver(SharedTables());
    std::mt19937 random(9);
    for (int i = 0; i < 5; ++i) {
        // Nine face turns, no two of one face in a row: at most nine are needed.
        std::vector<int> scramble;
        while (scramble.size() < 9) {
            const int t = int(random() % FaceTurnCount);
            if (scramble.empty() || scramble.back() / 3 != t / 3)
                scramble.push_back(t);
        }
        QORCubieCube state;
        for (int t : scramble)
            state = state.Turned(t);
        const QORSolution s = solver.Solve(state, 21, std::chrono::milliseconds(2000));
        for (int t : s.Turns)
            state = state.Turned(t);
        EXPECT_EQ(state, QORCubieCube());
        EXPECT_LE(s.FaceTurns(), 9)
            << FaceTurnsText(scramble) << " solved by " << FaceTurnsText(s.Turns);
    }
}

TEST(Solver, cachedTablesLoadAsBuiltAndADamagedCopyIsBuiltAgain) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/cache/quelmora";
    const std::string path = folder + "/solver-tables.bin";
    const auto built = QORSolverTables::LoadOrBuild(folder);
    std::string error;
    const auto loaded = QORSolverTables::Load(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->Bytes(), SharedTables()->Bytes());
    const QORCubieCube state = QORCubieCube().Turned(3).Turned(0).Turned(17).Turned(7);
    EXPECT_EQ(QORSolver(loaded).Solve(state).Turns, QORSolver(SharedTables()).Solve(state).Turns);

    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(1000);
        f.put('\x7f');
    }
    EXPECT_FALSE(QORSolverTables::Load(path, &error));
    EXPECT_NE(error.find("checksum"), std::string::npos) << error;
    QORSolverTables::LoadOrBuild(folder);
    EXPECT_TRUE(QORSolverTables::Load(path, &error)) << "built again and saved over: " << error;

    std::ofstream(path, std::ios::app) << 'x';
    EXPECT_FALSE(QORSolverTables::Load(path, &error));
    EXPECT_NE(error.find("size"), std::string::npos) << error;
    EXPECT_FALSE(QORSolverTables::Load(folder + "/none", &error));
}
