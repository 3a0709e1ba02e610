#include "sharedtables.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Pearson's statistic of counts that should all be total / counts.size().
double ChiSquare(const std::vector<int>& counts, int total) {
    const double expected = double(total) / double(counts.size());
    double x = 0;
    for (int n : counts)
        x += (n - expected) * (n - expected) / expected;
    return x;
}

} // namespace

TEST(RandomState, everyPlaceHoldsEveryPieceAndOrientationEquallyOften) {
    constexpr int draws = 20000;
    // Chi-square values a fair draw exceeds about once in a million, by degrees of freedom.
    const std::map<std::size_t, double> limit = {{2, 23.9}, {3, 27.6}, {8, 38.9}, {12, 47.2}};
    std::vector<std::vector<int>> cornerPiece(8, std::vector<int>(8)),
        edgePiece(12, std::vector<int>(12));
    std::vector<std::vector<int>> twist(8, std::vector<int>(3)), flip(12, std::vector<int>(2));
    const QORDraw draw = SecureDraw();
    for (int i = 0; i < draws; ++i) {
        const QORCubieCube c = RandomState(draw);
        ASSERT_EQ(c.Check(), QORStateFault::None);
        for (int s = 0; s < 8; ++s)
            ++cornerPiece[s][c.Cp[s]], ++twist[s][c.Co[s]];
        for (int s = 0; s < 12; ++s)
            ++edgePiece[s][c.Ep[s]], ++flip[s][c.Eo[s]];
    }
    for (const auto* table : {&cornerPiece, &edgePiece, &twist, &flip})
        for (std::size_t s = 0; s < table->size(); ++s) {
            const std::vector<int>& counts = (*table)[s];
            EXPECT_LT(ChiSquare(counts, draws), limit.at(counts.size()))
                << "place " << s << " of a table of " << counts.size();
        }
}

TEST(RandomState, aStateNearSolvedIsDrawnAgain) {
    // The first draws make the solved cube: every shuffle step keeps its item, every twist and
    // flip is nought. The draws after them are the system's.
    int calls = 0;
    const QORDraw secure = SecureDraw();
    const QORDraw draw = [&](uint32_t n) {
        ++calls;
        if (calls <= 7 + 11)
            return n - 1;
        return calls <= 7 + 11 + 7 + 11 ? 0u : secure(n);
    };
    const QORSolver solver(SharedTables());
    const std::vector<int> scramble = RandomStateScramble(solver, draw);
    EXPECT_GT(calls, 36);
    EXPECT_GE(scramble.size(), 2u);
    QORCubieCube c;
    for (int t : scramble)
        c = c.Turned(t);
    EXPECT_TRUE(solver.Solve(c).FaceTurns() >= 2 && c.Check() == QORStateFault::None);
}
