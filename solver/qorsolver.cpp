// The search. Phase 1 deepens one face turn at a time; every way into the phase-2 group at
// that depth is handed to phase 2 with what is left of the limit, and the first whole solution
// within it ends the search. A phase-1 path that ends with a phase-2 turn is skipped: the same
// path without that turn was already tried one level shallower.

#include "solver/qortabledata.h"

#include <algorithm>

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

bool IsPhase2Turn(int turn) {
    return turn / 3 == 0 || turn / 3 == 3 || turn % 3 == 1;
}

class Search {
public:
    Search(const QORSolverTables::Data& t, const QORCubieCube& start, int limit)
        : T(t), Start(start), Limit(limit) {}

    std::vector<int> Run() {
        const int twist = Twist(Start), flip = Flip(Start), slice = Slice(Start);
        const int corners = CornerPerm(Start);
        for (int depth = Phase1Bound(twist, flip, slice / SliceOrders); depth <= Limit; ++depth)
            if (Phase1(twist, flip, slice, corners, 0, depth))
                return std::vector<int>(Path.begin(), Path.begin() + Length);
        return {};
    }

private:
    int Phase1Bound(int twist, int flip, int places) const {
        return std::max(T.TwistPrune[std::size_t(twist) * SlicePlaces + places],
                        T.FlipPrune[std::size_t(flip) * SlicePlaces + places]);
    }

    int Phase2Bound(int corners, int edges, int order) const {
        return std::max(T.CornerPrune[std::size_t(corners) * SliceOrders + order],
                        T.EdgePrune[std::size_t(edges) * SliceOrders + order]);
    }

    bool Phase1(int twist, int flip, int slice, int corners, int n, int togo) {
        if (togo == 0) {
            if (twist != 0 || flip != 0 || slice / SliceOrders != SliceHome)
                return false;
            return (n == 0 || !IsPhase2Turn(Path[std::size_t(n - 1)])) &&
                   StartPhase2(corners, slice % SliceOrders, n);
        }
        const int last = n > 0 ? Path[std::size_t(n - 1)] : -1;
        for (int t = 0; t < FaceTurnCount; ++t) {
            if (!Follows(t, last))
                continue;
            const int tw = T.TwistMove[std::size_t(twist) * FaceTurnCount + t];
            const int fl = T.FlipMove[std::size_t(flip) * FaceTurnCount + t];
            const int sl = T.SliceMove[std::size_t(slice) * FaceTurnCount + t];
            if (Phase1Bound(tw, fl, sl / SliceOrders) >= togo)
                continue;
            Path[std::size_t(n)] = t;
            if (Phase1(tw, fl, sl, T.CornerMove[std::size_t(corners) * FaceTurnCount + t], n + 1,
                       togo - 1))
                return true;
        }
        return false;
    }

    bool StartPhase2(int corners, int order, int n) {
        const int left = Limit - n;
        if (T.CornerPrune[std::size_t(corners) * SliceOrders + order] > left)
            return false;
        // The U and D edges' order is only known now: the phase-1 path is replayed on them.
        std::array<uint8_t, 12> ep = Start.Ep;
        for (int i = 0; i < n; ++i) {
            const auto& turn = FaceTurnCube(Path[std::size_t(i)]).Ep;
            std::array<uint8_t, 12> next;
            for (int s = 0; s < 12; ++s)
                next[std::size_t(s)] = ep[turn[std::size_t(s)]];
            ep = next;
        }
        QORCubieCube c;
        c.Ep = ep;
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
            const int co = T.CornerMove[std::size_t(corners) * FaceTurnCount + t];
            const int ed = T.EdgeMove[std::size_t(edges) * Phase2Count + k];
            const int od = T.OrderMove[std::size_t(order) * Phase2Count + k];
            if (Phase2Bound(co, ed, od) >= togo)
                continue;
            Path[std::size_t(n)] = t;
            if (Phase2(co, ed, od, n + 1, togo - 1))
                return true;
        }
        return false;
    }

    const QORSolverTables::Data& T;
    const QORCubieCube Start;
    const int Limit;
    std::array<int, 64> Path{};
    int Length = 0;
};

} // namespace

QORSolver::QORSolver(std::shared_ptr<const QORSolverTables> tables) : Tables(std::move(tables)) {}
QORSolver::~QORSolver() = default;

QORSolution QORSolver::Solve(const QORCubieCube& state, int maxFaceTurns) const {
    QORSolution solution;
    solution.Fault = state.Check();
    if (solution.Fault != QORStateFault::None || state == QORCubieCube())
        return solution;
    Search search(Tables->Get(), state, std::max(maxFaceTurns, 21));
    solution.Turns = search.Run();
    return solution;
}
