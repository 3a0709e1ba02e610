#pragma once
// The cube as the solver sees it: which piece sits in each corner and edge slot, and how it is
// turned there. Plain C++, no Qt.
//
// Frame: +x is R, +y is U, +z is F (the game's frame). Corner slots URF, UFL, ULB, UBR, DFR,
// DLF, DBL, DRB (0..7); edge slots UR, UF, UL, UB, DR, DF, DL, DB, FR, FL, BL, BR (0..11). A
// corner's stickers are counted clockwise seen from outside, starting at its U or D sticker;
// its twist is where the piece's U or D sticker lies in that count. An edge's stickers are
// counted from its U or D sticker, or for the four middle edges from its F or B sticker.
// Face turns are numbered 3 * face + quarter turns - 1 with faces U, R, F, D, L, B: 0 is U,
// 1 is U2, 2 is U', 3 is R and so on to 17, B'. A quarter turn is clockwise seen from outside.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Why a state is no cube that turns can reach from solved.
enum class QORStateFault {
    None,
    Stickers,      // A sticker text that is not nine of each of six colours with distinct centres.
    MissingPiece,  // A piece appears twice, so another is missing.
    TwistedCorner, // The corner twists do not sum to a multiple of three.
    FlippedEdge,   // The edge flips do not sum to a multiple of two.
    Parity,        // The corner and edge permutations differ in parity.
};
const char* FaultText(QORStateFault fault);

struct QORCubieCube {
    std::array<uint8_t, 8> Cp{0, 1, 2, 3, 4, 5, 6, 7};
    std::array<uint8_t, 8> Co{};
    std::array<uint8_t, 12> Ep{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    std::array<uint8_t, 12> Eo{};

    // The state after this one and then other: slot s holds what other's slot s took from.
    QORCubieCube Then(const QORCubieCube& other) const;
    QORCubieCube Inverse() const;
    QORCubieCube Turned(int faceTurn) const;
    QORStateFault Check() const;
    bool operator==(const QORCubieCube& o) const {
        return Cp == o.Cp && Co == o.Co && Ep == o.Ep && Eo == o.Eo;
    }
    bool operator!=(const QORCubieCube& o) const { return !(*this == o); }

    // The sticker form: 54 letters of U, R, F, D, L and B, face by face in that order, each
    // face read row by row as the usual unfolded net shows it (U with B at its top, D with F
    // at its top, the side faces with U at their top). Centres may be any six distinct
    // letters-as-colours; they name the faces.
    std::string Stickers() const;
    static QORCubieCube FromStickers(const std::string& stickers, QORStateFault* fault);
};

// Where the sticker at a place, each coordinate -1, 0 or 1, facing along a unit normal sits in
// the sticker form; -1 for no sticker.
int StickerIndexAt(const std::array<int, 3>& place, const std::array<int, 3>& normal);

constexpr int FaceTurnCount = 18;
const QORCubieCube& FaceTurnCube(int faceTurn);
// "U", "U2", "U'" and so on.
std::string FaceTurnName(int faceTurn);
std::string FaceTurnsText(const std::vector<int>& turns);
// The turns that undo these, last first.
std::vector<int> InverseTurns(const std::vector<int>& turns);
// A half turn counts two.
int QuarterTurnCount(const std::vector<int>& turns);
