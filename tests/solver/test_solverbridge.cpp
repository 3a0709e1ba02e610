#include "sharedtables.h"
#include "solver/qorsolverbridge.h"
#include "solver/qorsolverservice.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QORCubieCube Turns(std::initializer_list<int> turns) {
    QORCubieCube c;
    for (int t : turns)
        c = c.Turned(t);
    return c;
}

} // namespace

TEST(SolverBridge, everyGameTurnReadsAsTheSolversTurnOfThatName) {
    // The middle layers move the centres: read by them, M is R L', E is U D' and S is F' B.
    const std::pair<const char*, QORCubieCube> cases[] = {
        {"U", Turns({0})},     {"U'", Turns({2})},    {"R", Turns({3})},  {"F", Turns({6})},
        {"D", Turns({9})},     {"L'", Turns({14})},   {"B", Turns({15})}, {"M", Turns({3, 14})},
        {"E'", Turns({2, 9})}, {"S", Turns({8, 15})},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(CubieCubeAfter(*ParseMoves(name)), expected) << name;
    EXPECT_EQ(MovesText(QuarterTurnsOf({1, 5, 16})), "U U R' B B");
}

TEST(SolverBridge, solutionsSolveTheGamesCubeHoweverItIsHeld) {
    const QORSolver solver(SharedTables());
    QORBigCube cube;
    uint64_t seed = 7;
    cube.SeedSource = [&seed] { return seed++; };
    for (int game = 0; game < 100; ++game) {
        cube.Reset();
        cube.Shuffle(40);
        // Turn the whole cube too: the centres still name the faces.
        for (int layer = -1; layer <= 1; ++layer)
            cube.Turn({game % 3, layer, 1});
        QORStateFault fault = QORStateFault::Stickers;
        const QORSolution s = solver.Solve(CubieCubeOf(cube, &fault));
        ASSERT_EQ(fault, QORStateFault::None);
        for (const QORMove& turn : QuarterTurnsOf(s.Turns))
            cube.Turn(turn);
        ASSERT_TRUE(cube.IsSolved()) << "game " << game;
    }
}

TEST(SolverBridge, serviceAnswersOnItsThreadOnceTheTablesAreThere) {
    QTemporaryDir dir;
    QORSolverService service(dir.path());
    QSignalSpy ready(&service, &QORSolverService::TablesReady);
    std::vector<int> scramble;
    QORSolution solution;
    solution.Fault = QORStateFault::Stickers;
    service.RandomScramble([&](const std::vector<int>& turns) {
        scramble = turns;
        QORCubieCube c;
        for (int t : turns)
            c = c.Turned(t);
        service.Solve(c, [&](const QORSolution& s) { solution = s; });
    });
    EXPECT_FALSE(service.Ready());
    QTRY_VERIFY_WITH_TIMEOUT(solution.Fault == QORStateFault::None, 60000);
    EXPECT_EQ(ready.count(), 1);
    EXPECT_GE(scramble.size(), 2u);
    EXPECT_LE(solution.FaceTurns(), 21);
    EXPECT_TRUE(QFile::exists(dir.path() + "/solver-tables.bin"));
}
