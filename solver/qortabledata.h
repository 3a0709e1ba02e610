#pragma once
// What the tables hold, shared by their builder and the search. Move tables give the number a
// face turn leads to; pruning tables the fewest face turns to the phase's goal, as bytes.

#include "solver/qorcoordinates.h"
#include "solver/qorsolver.h"

#include <array>
#include <cstdint>
#include <vector>

// Phase 2 turns only U and D and half turns of the others: U, U2, U', D, D2, D', R2, F2, L2, B2.
constexpr int Phase2Count = 10;
constexpr std::array<int, Phase2Count> Phase2Turns = {0, 1, 2, 9, 10, 11, 4, 7, 13, 16};

struct QORSolverTables::Data {
    // Indexed by number * FaceTurnCount + turn.
    std::vector<uint16_t> TwistMove, FlipMove, SliceMove, CornerMove;
    // The middle edges' places alone, by places * FaceTurnCount + turn.
    std::vector<uint16_t> PlacesMove;
    // Phase 2 only, by number * Phase2Count + phase-2 turn.
    std::vector<uint16_t> EdgeMove;
    std::vector<uint8_t> OrderMove;
    // Phase 1 by twist or flip * SlicePlaces + places; phase 2 by corner or edge permutation *
    // SliceOrders + order.
    std::vector<uint8_t> TwistPrune, FlipPrune, CornerPrune, EdgePrune;

    // Every table at its size, for a load to fill.
    void Shape() {
        using namespace QORCoord;
        TwistMove.resize(std::size_t(Twists) * FaceTurnCount);
        FlipMove.resize(std::size_t(Flips) * FaceTurnCount);
        SliceMove.resize(std::size_t(Slices) * FaceTurnCount);
        CornerMove.resize(std::size_t(CornerPerms) * FaceTurnCount);
        PlacesMove.resize(std::size_t(SlicePlaces) * FaceTurnCount);
        EdgeMove.resize(std::size_t(EdgePerms) * Phase2Count);
        OrderMove.resize(std::size_t(SliceOrders) * Phase2Count);
        TwistPrune.resize(std::size_t(Twists) * SlicePlaces);
        FlipPrune.resize(std::size_t(Flips) * SlicePlaces);
        CornerPrune.resize(std::size_t(CornerPerms) * SliceOrders);
        EdgePrune.resize(std::size_t(EdgePerms) * SliceOrders);
    }

    // Every table in one order, for saving, loading and counting bytes.
    template <class F> void Each(F&& f) {
        f(TwistMove), f(FlipMove), f(SliceMove), f(CornerMove), f(PlacesMove), f(EdgeMove);
        f(OrderMove), f(TwistPrune), f(FlipPrune), f(CornerPrune), f(EdgePrune);
    }
};
