#include "sharedtables.h"

#include <gtest/gtest.h>

namespace {

QORCubieCube After(const std::vector<int>& turns) {
    QORCubieCube c;
    for (int t : turns)
        c = c.Turned(t);
    return c;
}

} // namespace

TEST(CubieCube, quarterTurnsUndoEachOtherAndRepeatAfterFour) {
    for (int face = 0; face < 6; ++face) {
        const int q = 3 * face;
        EXPECT_EQ(After({q, q + 2}), QORCubieCube()) << FaceTurnName(q);
        EXPECT_EQ(After({q, q, q, q}), QORCubieCube()) << FaceTurnName(q);
        EXPECT_EQ(After({q, q}), After({q + 1})) << FaceTurnName(q);
    }
    // R U R' U' six times is the identity; five times it is not.
    std::vector<int> sexy;
    for (int i = 0; i < 6; ++i)
        sexy.insert(sexy.end(), {3, 0, 5, 2});
    EXPECT_EQ(After(sexy), QORCubieCube());
    EXPECT_NE(After(std::vector<int>(sexy.begin(), sexy.end() - 4)), QORCubieCube());
}

TEST(CubieCube, turnsMoveStickersTheWayTheirNamesSay) {
    // U carries R's top row to the front, R carries F's right column up.
    EXPECT_EQ(After({0}).Stickers().substr(18, 3), "RRR");
    const std::string r = After({3}).Stickers();
    EXPECT_EQ(std::string({r[2], r[5], r[8]}), "FFF");
    EXPECT_EQ(QORCubieCube().Stickers(), std::string(9, 'U') + std::string(9, 'R') +
                                             std::string(9, 'F') + std::string(9, 'D') +
                                             std::string(9, 'L') + std::string(9, 'B'));
    const QORCubieCube mixed = After({3, 1, 7, 9, 14, 16, 5});
    QORStateFault fault = QORStateFault::Stickers;
    EXPECT_EQ(QORCubieCube::FromStickers(mixed.Stickers(), &fault), mixed);
    EXPECT_EQ(fault, QORStateFault::None);
    EXPECT_EQ(FaceTurnsText(InverseTurns({0, 4, 8})), "F R2 U'");
    EXPECT_EQ(QuarterTurnCount({0, 4, 8}), 4);
}

TEST(CubieCube, illegalStatesAreRefusedEachKindWithoutAnAnswer) {
    const QORCubieCube start = After({3, 0, 7, 13});
    struct Case {
        const char* name;
        void (*spoil)(QORCubieCube&);
        QORStateFault fault;
    };
    const Case cases[] = {
        {"twisted corner", [](QORCubieCube& c) { c.Co[2] = uint8_t((c.Co[2] + 1) % 3); },
         QORStateFault::TwistedCorner},
        {"flipped edge", [](QORCubieCube& c) { c.Eo[5] ^= 1; }, QORStateFault::FlippedEdge},
        {"odd parity", [](QORCubieCube& c) { std::swap(c.Ep[0], c.Ep[1]); }, QORStateFault::Parity},
        {"duplicate corner", [](QORCubieCube& c) { c.Cp[1] = c.Cp[0]; },
         QORStateFault::MissingPiece},
        {"duplicate edge", [](QORCubieCube& c) { c.Ep[7] = c.Ep[3]; }, QORStateFault::MissingPiece},
    };
    const QORSolver solver(SharedTables());
    for (const Case& k : cases) {
        QORCubieCube c = start;
        k.spoil(c);
        const QORSolution s = solver.Solve(c);
        EXPECT_EQ(s.Fault, k.fault) << k.name;
        EXPECT_TRUE(s.Turns.empty()) << k.name;
    }
    // Sticker texts: a twisted corner, two centres alike, a corner of two opposite colours,
    // ten of one colour.
    std::string twisted = start.Stickers(), centres = twisted, opposite = twisted, ten = twisted;
    std::swap(twisted[8], twisted[20]), std::swap(twisted[8], twisted[9]);
    std::swap(centres[4], centres[13]), centres[4] = centres[13];
    opposite = QORCubieCube().Stickers(), std::swap(opposite[8], opposite[27 + 2]);
    ten[0] = ten[0] == 'R' ? 'F' : 'R';
    const std::pair<std::string, QORStateFault> texts[] = {
        {twisted, QORStateFault::TwistedCorner}, {centres, QORStateFault::Stickers},
        {opposite, QORStateFault::MissingPiece}, {ten, QORStateFault::Stickers},
        {"UUU", QORStateFault::Stickers},
    };
    for (const auto& [text, fault] : texts) {
        QORStateFault got = QORStateFault::None;
        QORCubieCube::FromStickers(text, &got);
        EXPECT_EQ(got, fault) << text;
    }
}
