// Uniformly random states. Each permutation is shuffled with every arrangement equally likely;
// when their parities differ, swapping two fixed edges maps the odd edge arrangements one to
// one onto the even ones, so the result is uniform over legal states. The last corner's twist
// and the last edge's flip are what the others leave.

#include "solver/qorsolver.h"

#include <utility>

namespace {

template <std::size_t N>
void Shuffle(std::array<uint8_t, N>& items, const QORDraw& draw) {
    for (std::size_t i = N - 1; i > 0; --i)
        std::swap(items[i], items[draw(uint32_t(i + 1))]);
}

bool Parity(const uint8_t* p, int n) {
    bool odd = false;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            odd ^= p[j] < p[i];
    return odd;
}

// Solved, or one face turn from it.
bool TooNear(const QORCubieCube& c) {
    if (c == QORCubieCube())
        return true;
    for (int t = 0; t < FaceTurnCount; ++t)
        if (c == FaceTurnCube(t))
            return true;
    return false;
}

} // namespace

QORCubieCube RandomState(const QORDraw& draw) {
    QORCubieCube c;
    Shuffle(c.Cp, draw);
    Shuffle(c.Ep, draw);
    if (Parity(c.Cp.data(), 8) != Parity(c.Ep.data(), 12))
        std::swap(c.Ep[10], c.Ep[11]);
    int twist = 0, flip = 0;
    for (int i = 0; i < 7; ++i)
        twist += c.Co[std::size_t(i)] = uint8_t(draw(3));
    for (int i = 0; i < 11; ++i)
        flip += c.Eo[std::size_t(i)] = uint8_t(draw(2));
    c.Co[7] = uint8_t((3 - twist % 3) % 3);
    c.Eo[11] = uint8_t(flip % 2);
    return c;
}

std::vector<int> RandomStateScramble(const QORSolver& solver, const QORDraw& draw) {
    QORCubieCube state = RandomState(draw);
    while (TooNear(state))
        state = RandomState(draw);
    return InverseTurns(solver.Solve(state).Turns);
}
