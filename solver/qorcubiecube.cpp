// The cubie cube and its sticker form. The face turns are not written out by hand: each is
// derived once by turning the stickers of a solved cube in space, so the turns, the sticker
// form and the orientation rules cannot disagree.

#include "solver/qorcubiecube.h"

#include <algorithm>

namespace {

struct Vec {
    int x, y, z;
    bool operator==(const Vec& o) const { return x == o.x && y == o.y && z == o.z; }
    Vec operator+(const Vec& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec operator*(int k) const { return {x * k, y * k, z * k}; }
    int Dot(const Vec& o) const { return x * o.x + y * o.y + z * o.z; }
    Vec Cross(const Vec& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
};

// Faces U, R, F, D, L, B: the outward normal, and the directions right and down of the net.
struct FaceFrame {
    Vec Normal, Right, Down;
};
constexpr FaceFrame Frames[6] = {
    {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},  {{1, 0, 0}, {0, 0, -1}, {0, -1, 0}},
    {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    {{-1, 0, 0}, {0, 0, 1}, {0, -1, 0}}, {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}},
};
constexpr char FaceLetters[] = "URFDLB";

constexpr Vec CornerSlots[8] = {{1, 1, 1},   {-1, 1, 1},   {-1, 1, -1}, {1, 1, -1},
                                {1, -1, 1},  {-1, -1, 1},  {-1, -1, -1}, {1, -1, -1}};
constexpr Vec EdgeSlots[12] = {{1, 1, 0},  {0, 1, 1},  {-1, 1, 0},  {0, 1, -1},
                               {1, -1, 0}, {0, -1, 1}, {-1, -1, 0}, {0, -1, -1},
                               {1, 0, 1},  {-1, 0, 1}, {-1, 0, -1}, {1, 0, -1}};

int FaceOf(const Vec& normal) {
    for (int f = 0; f < 6; ++f)
        if (Frames[f].Normal == normal)
            return f;
    return -1;
}

int StickerIndex(const Vec& position, const Vec& normal) {
    const int f = FaceOf(normal);
    const FaceFrame& fr = Frames[f];
    const Vec off = position + fr.Normal * -1;
    return 9 * f + 3 * (off.Dot(fr.Down) + 1) + off.Dot(fr.Right) + 1;
}

// A corner's sticker directions clockwise seen from outside, from its U or D sticker: the
// mirrored corners run the other way round.
std::array<Vec, 3> CornerDirections(const Vec& p) {
    const Vec y{0, p.y, 0}, x{p.x, 0, 0}, z{0, 0, p.z};
    if (p.x * p.y * p.z > 0)
        return {y, x, z};
    return {y, z, x};
}

// An edge's sticker directions from its U or D sticker, or its F or B one in the middle layer.
std::array<Vec, 2> EdgeDirections(const Vec& p) {
    if (p.y != 0)
        return {Vec{0, p.y, 0}, p.x != 0 ? Vec{p.x, 0, 0} : Vec{0, 0, p.z}};
    return {Vec{0, 0, p.z}, Vec{p.x, 0, 0}};
}

std::array<int, 3> CornerStickers(int slot) {
    const auto d = CornerDirections(CornerSlots[slot]);
    return {StickerIndex(CornerSlots[slot], d[0]), StickerIndex(CornerSlots[slot], d[1]),
            StickerIndex(CornerSlots[slot], d[2])};
}

std::array<int, 2> EdgeStickers(int slot) {
    const auto d = EdgeDirections(EdgeSlots[slot]);
    return {StickerIndex(EdgeSlots[slot], d[0]), StickerIndex(EdgeSlots[slot], d[1])};
}

// Solved, every sticker shows its face's letter.
std::string SolvedStickers() {
    std::string s(54, ' ');
    for (int i = 0; i < 54; ++i)
        s[i] = FaceLetters[i / 9];
    return s;
}

// A clockwise quarter turn seen from outside the face with this normal: -90 degrees about it.
Vec QuarterTurn(const Vec& n, const Vec& v) {
    return n.Cross(v) * -1 + n * n.Dot(v);
}

QORCubieCube DeriveTurn(int face, int quarters) {
    std::string s = SolvedStickers();
    const Vec n = Frames[face].Normal;
    for (int q = 0; q < quarters; ++q) {
        std::string next = s;
        for (int f = 0; f < 6; ++f)
            for (int i = 0; i < 9; ++i) {
                const FaceFrame& fr = Frames[f];
                const Vec pos = fr.Normal + fr.Right * (i % 3 - 1) + fr.Down * (i / 3 - 1);
                if (pos.Dot(n) != 1)
                    continue;
                next[StickerIndex(QuarterTurn(n, pos), QuarterTurn(n, fr.Normal))] = s[9 * f + i];
            }
        s = next;
    }
    return QORCubieCube::FromStickers(s, nullptr);
}

int Parity(const uint8_t* p, int n) {
    int inversions = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            inversions += p[j] < p[i];
    return inversions % 2;
}

} // namespace

const char* FaultText(QORStateFault fault) {
    switch (fault) {
    case QORStateFault::None:
        return "a legal cube";
    case QORStateFault::Stickers:
        return "the stickers are not nine of each of six colours with distinct centres";
    case QORStateFault::MissingPiece:
        return "a piece is missing and another appears twice";
    case QORStateFault::TwistedCorner:
        return "a corner is twisted";
    case QORStateFault::FlippedEdge:
        return "an edge is flipped";
    case QORStateFault::Parity:
        return "two pieces are swapped";
    }
    return "";
}

QORCubieCube QORCubieCube::Then(const QORCubieCube& b) const {
    QORCubieCube r;
    for (int i = 0; i < 8; ++i) {
        r.Cp[i] = Cp[b.Cp[i]];
        r.Co[i] = uint8_t((Co[b.Cp[i]] + b.Co[i]) % 3);
    }
    for (int i = 0; i < 12; ++i) {
        r.Ep[i] = Ep[b.Ep[i]];
        r.Eo[i] = uint8_t((Eo[b.Ep[i]] + b.Eo[i]) % 2);
    }
    return r;
}

QORCubieCube QORCubieCube::Inverse() const {
    QORCubieCube r;
    for (int i = 0; i < 8; ++i) {
        r.Cp[Cp[i]] = uint8_t(i);
        r.Co[Cp[i]] = uint8_t((3 - Co[i]) % 3);
    }
    for (int i = 0; i < 12; ++i) {
        r.Ep[Ep[i]] = uint8_t(i);
        r.Eo[Ep[i]] = Eo[i];
    }
    return r;
}

QORCubieCube QORCubieCube::Turned(int faceTurn) const {
    return Then(FaceTurnCube(faceTurn));
}

QORStateFault QORCubieCube::Check() const {
    std::array<int, 12> seen{};
    for (uint8_t p : Cp)
        if (p >= 8 || seen[p]++)
            return QORStateFault::MissingPiece;
    seen = {};
    for (uint8_t p : Ep)
        if (p >= 12 || seen[p]++)
            return QORStateFault::MissingPiece;
    int twist = 0, flip = 0;
    for (uint8_t o : Co)
        twist += o;
    for (uint8_t o : Eo)
        flip += o;
    if (twist % 3 != 0)
        return QORStateFault::TwistedCorner;
    if (flip % 2 != 0)
        return QORStateFault::FlippedEdge;
    if (Parity(Cp.data(), 8) != Parity(Ep.data(), 12))
        return QORStateFault::Parity;
    return QORStateFault::None;
}

std::string QORCubieCube::Stickers() const {
    std::string s = SolvedStickers();
    for (int slot = 0; slot < 8; ++slot) {
        const auto here = CornerStickers(slot), home = CornerStickers(Cp[slot]);
        for (int i = 0; i < 3; ++i)
            s[here[i]] = FaceLetters[home[(i + 3 - Co[slot]) % 3] / 9];
    }
    for (int slot = 0; slot < 12; ++slot) {
        const auto here = EdgeStickers(slot), home = EdgeStickers(Ep[slot]);
        for (int i = 0; i < 2; ++i)
            s[here[i]] = FaceLetters[home[(i + Eo[slot]) % 2] / 9];
    }
    return s;
}

QORCubieCube QORCubieCube::FromStickers(const std::string& stickers, QORStateFault* fault) {
    QORCubieCube c;
    const auto Fail = [&](QORStateFault why) {
        if (fault)
            *fault = why;
        return QORCubieCube();
    };
    if (stickers.size() != 54)
        return Fail(QORStateFault::Stickers);
    // The centres name the faces; every other sticker must show one of them, nine times each.
    std::array<int, 256> faceOf;
    faceOf.fill(-1);
    for (int f = 0; f < 6; ++f) {
        int& slot = faceOf[uint8_t(stickers[9 * f + 4])];
        if (slot >= 0)
            return Fail(QORStateFault::Stickers);
        slot = f;
    }
    std::array<int, 6> count{};
    std::array<int, 54> face{};
    for (int i = 0; i < 54; ++i) {
        face[i] = faceOf[uint8_t(stickers[i])];
        if (face[i] < 0 || ++count[face[i]] > 9)
            return Fail(QORStateFault::Stickers);
    }
    for (int slot = 0; slot < 8; ++slot) {
        const auto here = CornerStickers(slot);
        int twist = 0;
        while (twist < 3 && face[here[twist]] != 0 && face[here[twist]] != 3)
            ++twist;
        bool found = false;
        for (int piece = 0; piece < 8 && !found && twist < 3; ++piece) {
            const auto home = CornerStickers(piece);
            found = face[here[twist]] == home[0] / 9 &&
                    face[here[(twist + 1) % 3]] == home[1] / 9 &&
                    face[here[(twist + 2) % 3]] == home[2] / 9;
            if (found) {
                c.Cp[slot] = uint8_t(piece);
                c.Co[slot] = uint8_t(twist);
            }
        }
        if (!found)
            return Fail(QORStateFault::MissingPiece);
    }
    for (int slot = 0; slot < 12; ++slot) {
        const auto here = EdgeStickers(slot);
        bool found = false;
        for (int piece = 0; piece < 12 && !found; ++piece) {
            const auto home = EdgeStickers(piece);
            for (int flip = 0; flip < 2 && !found; ++flip) {
                found = face[here[flip]] == home[0] / 9 && face[here[1 - flip]] == home[1] / 9;
                if (found) {
                    c.Ep[slot] = uint8_t(piece);
                    c.Eo[slot] = uint8_t(flip);
                }
            }
        }
        if (!found)
            return Fail(QORStateFault::MissingPiece);
    }
    const QORStateFault why = c.Check();
    if (fault)
        *fault = why;
    return why == QORStateFault::None ? c : QORCubieCube();
}

int StickerIndexAt(const std::array<int, 3>& place, const std::array<int, 3>& normal) {
    const Vec p{place[0], place[1], place[2]}, n{normal[0], normal[1], normal[2]};
    if (FaceOf(n) < 0 || p.Dot(n) != 1)
        return -1;
    return StickerIndex(p, n);
}

const QORCubieCube& FaceTurnCube(int faceTurn) {
    static const std::array<QORCubieCube, FaceTurnCount> turns = [] {
        std::array<QORCubieCube, FaceTurnCount> t;
        for (int m = 0; m < FaceTurnCount; ++m)
            t[m] = DeriveTurn(m / 3, m % 3 + 1);
        return t;
    }();
    return turns[faceTurn];
}

std::string FaceTurnName(int faceTurn) {
    static const char* suffix[] = {"", "2", "'"};
    return std::string(1, FaceLetters[faceTurn / 3]) + suffix[faceTurn % 3];
}

std::string FaceTurnsText(const std::vector<int>& turns) {
    std::string text;
    for (int m : turns)
        text += (text.empty() ? "" : " ") + FaceTurnName(m);
    return text;
}

std::vector<int> InverseTurns(const std::vector<int>& turns) {
    std::vector<int> inverse;
    for (auto it = turns.rbegin(); it != turns.rend(); ++it)
        inverse.push_back(*it / 3 * 3 + 2 - *it % 3);
    return inverse;
}

int QuarterTurnCount(const std::vector<int>& turns) {
    int n = 0;
    for (int m : turns)
        n += m % 3 == 1 ? 2 : 1;
    return n;
}
