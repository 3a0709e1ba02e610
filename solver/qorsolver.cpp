// The search, and random states made into scrambles by it. Phase 1 deepens one face turn at a
// time; every way into the phase-2 group at that depth is handed to phase 2 with what is left
// of the limit, and the first whole solution within it ends the search, unless there is time
// to look for shorter ones. A phase-1 path that ends with a phase-2 turn is skipped: the same
// path without that turn was already tried one level shallower.

#include "solver/qortabledata.h"

#include <sodium.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <utility>

using namespace QORCoord;

namespace {

// No two turns of one face in a row, and of opposite faces only one order, so that no sequence
// is searched twice.
bool Follows(int turn, int last) {
    if (last < 0)
        return true;
    const int face = turn / 3, before = last / 3;
    return face != before && before != face + 3;
}

template <std::size_t N>
std::array<uint8_t, N> Permuted(const std::array<uint8_t, N>& items,
                                const std::array<uint8_t, N>& turn) {
    std::array<uint8_t, N> out;
    for (std::size_t s = 0; s < N; ++s)
        out[s] = items[turn[s]];
    return out;
}

bool IsPhase2Turn(int turn) {
    return turn / 3 == 0 || turn / 3 == 3 || turn % 3 == 1;
}

// Time for shorter solutions once one is known; the first is always searched for to its end.
// Phase 1 looks at the clock now and then; a phase-2 search is short enough to finish.
struct Budget {
    std::chrono::steady_clock::time_point End;
    bool Running = false;
    bool Spent = false;
    long Nodes = 0;

    bool Over() {
        if (Running && !Spent && ++Nodes % 1024 == 0)
            Spent = std::chrono::steady_clock::now() >= End;
        return Spent;
    }
};

class Search {
public:
    Search(const QORSolverTables::Data& t, const QORCubieCube& start, int limit, Budget& budget)
        : T(t), Start(start), Limit(limit), Time(budget) {}

    void SetLimit(int limit) { Limit = limit; }

    // The fewest phase-1 turns this side can need.
    int Bound() const { return Phase1Bound(Twist(Start), Flip(Start), Slice(Start) / SliceOrders); }
    bool TryDepth(int depth) { return Phase1(Twist(Start), Flip(Start), Slice(Start), 0, depth); }
    std::vector<int> Turns() const { return std::vector<int>(Path.begin(), Path.begin() + Length); }

private:
    int Phase1Bound(int twist, int flip, int places) const {
        return std::max({T.TwistPrune[std::size_t(twist) * SlicePlaces + places],
                         T.FlipPrune[std::size_t(flip) * SlicePlaces + places],
                         T.TwistFlipPrune[std::size_t(twist) * Flips + flip]});
    }

    int Phase2Bound(int corners, int edges, int order) const {
        return std::max(T.CornerPrune[std::size_t(corners) * SliceOrders + order],
                        T.EdgePrune[std::size_t(edges) * SliceOrders + order]);
    }

    bool Phase1(int twist, int flip, int slice, int n, int togo) {
        if (Time.Over())
            return false;
        if (togo == 0) {
            if (twist != 0 || flip != 0 || slice / SliceOrders != SliceHome)
                return false;
            return (n == 0 || !IsPhase2Turn(Path[std::size_t(n - 1)])) &&
                   StartPhase2(slice % SliceOrders, n);
        }
        const int last = n > 0 ? Path[std::size_t(n - 1)] : -1;
        for (int t = 0; t < FaceTurnCount; ++t) {
            if (!Follows(t, last))
                continue;
            const int sl = T.SliceMove[std::size_t(slice) * FaceTurnCount + t];
            const int tw = T.TwistMove[std::size_t(twist) * FaceTurnCount + t];
            if (T.TwistPrune[std::size_t(tw) * SlicePlaces + sl / SliceOrders] >= togo)
                continue;
            const int fl = T.FlipMove[std::size_t(flip) * FaceTurnCount + t];
            if (T.FlipPrune[std::size_t(fl) * SlicePlaces + sl / SliceOrders] >= togo ||
                T.TwistFlipPrune[std::size_t(tw) * Flips + fl] >= togo)
                continue;
            Path[std::size_t(n)] = t;
            if (Phase1(tw, fl, sl, n + 1, togo - 1))
                return true;
        }
        return false;
    }

    bool StartPhase2(int order, int n) {
        // The permutations are only known now: the phase-1 path is replayed on them, the
        // corners first, as they alone often show that what is left is too short.
        const int left = Limit - n;
        QORCubieCube c = Start;
        for (int i = 0; i < n; ++i)
            c.Cp = Permuted(c.Cp, FaceTurnCube(Path[std::size_t(i)]).Cp);
        const int corners = CornerPerm(c);
        if (T.CornerPrune[std::size_t(corners) * SliceOrders + order] > left)
            return false;
        for (int i = 0; i < n; ++i)
            c.Ep = Permuted(c.Ep, FaceTurnCube(Path[std::size_t(i)]).Ep);
        const int edges = EdgePerm(c);
        for (int depth = Phase2Bound(corners, edges, order); depth <= left; ++depth)
            if (Phase2(corners, edges, order, n, depth)) {
                Length = n + depth;
                return true;
            }
        return false;
    }

    bool Phase2(int corners, int edges, int order, int n, int togo) {
        if (togo == 0)
            return corners == 0 && edges == 0 && order == 0;
        const int last = n > 0 ? Path[std::size_t(n - 1)] : -1;
        for (int k = 0; k < Phase2Count; ++k) {
            const int t = Phase2Turns[std::size_t(k)];
            if (!Follows(t, last))
                continue;
            const int co = T.CornerMove[std::size_t(corners) * Phase2Count + k];
            const int od = T.OrderMove[std::size_t(order) * Phase2Count + k];
            if (T.CornerPrune[std::size_t(co) * SliceOrders + od] >= togo)
                continue;
            const int ed = T.EdgeMove[std::size_t(edges) * Phase2Count + k];
            if (T.EdgePrune[std::size_t(ed) * SliceOrders + od] >= togo)
                continue;
            Path[std::size_t(n)] = t;
            if (Phase2(co, ed, od, n + 1, togo - 1))
                return true;
        }
        return false;
    }

    const QORSolverTables::Data& T;
    const QORCubieCube Start;
    int Limit;
    Budget& Time;
    std::array<int, 64> Path{};
    int Length = 0;
};

} // namespace

QORSolver::QORSolver(std::shared_ptr<const QORSolverTables> tables) : Tables(std::move(tables)) {}
QORSolver::~QORSolver() = default;

QORSolution QORSolver::Solve(const QORCubieCube& state, int maxFaceTurns,
                             std::chrono::milliseconds improveFor) const {
    QORSolution solution;
    solution.Fault = state.Check();
    if (solution.Fault != QORStateFault::None || state == QORCubieCube())
        return solution;
    // Six sides are searched together, a phase-1 depth at a time: the cube as held and tilted
    // twice about its diagonal, each also as its inverse. Whichever is easiest gives the first
    // solution; with time to improve, every side then goes on below its length.
    int limit = std::max(maxFaceTurns, 21);
    Budget budget;
    std::vector<Search> sides;
    std::vector<int> bounds;
    QORCubieCube tilted = state;
    for (int tilt = 0; tilt < 3; ++tilt, tilted = tilted.Tilted())
        for (const QORCubieCube& side : {tilted, tilted.Inverse()}) {
            sides.emplace_back(Tables->Get(), side, limit, budget);
            bounds.push_back(sides.back().Bound());
        }
    for (int depth = 0; depth <= limit && !budget.Spent; ++depth)
        for (std::size_t i = 0; i < sides.size() && depth <= limit; ++i) {
            while (depth >= bounds[i] && depth <= limit && sides[i].TryDepth(depth)) {
                std::vector<int> turns = sides[i].Turns();
                for (int untilt = 0; untilt < int(i / 2); ++untilt)
                    for (int& t : turns)
                        t = UntiltedTurn(t);
                solution.Turns = i % 2 ? InverseTurns(turns) : turns;
                if (improveFor.count() <= 0)
                    return solution;
                if (!budget.Running)
                    budget.End = std::chrono::steady_clock::now() + improveFor;
                budget.Running = true;
                limit = solution.FaceTurns() - 1;
                for (Search& side : sides)
                    side.SetLimit(limit);
            }
        }
    return solution;
}

// Uniformly random states. Each permutation is shuffled with every arrangement equally likely;
// when their parities differ, swapping two fixed edges maps the odd edge arrangements one to
// one onto the even ones, so the result is uniform over legal states. The last corner's twist
// and the last edge's flip are what the others leave.

namespace {

template <std::size_t N> void Shuffle(std::array<uint8_t, N>& items, const QORDraw& draw) {
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

QORDraw SecureDraw() {
    // Setting libsodium up is safe to repeat and from any thread.
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium cannot start");
    return [](uint32_t n) { return randombytes_uniform(n); };
}

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
