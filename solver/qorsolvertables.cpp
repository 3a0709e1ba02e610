// Building, saving and loading the tables. Move tables are made by setting a number on a
// solved cube, turning it and reading the number back; only one quarter turn per face is made
// that way, the half and the reverse turn follow by looking the table up again. Pruning tables
// are filled breadth first from the goal.

#include "solver/qortabledata.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include <unistd.h>

using namespace QORCoord;

namespace {

template <class Get, class Set> std::vector<uint16_t> MoveTable(int size, Get get, Set set) {
    std::vector<uint16_t> table(std::size_t(size) * FaceTurnCount);
    for (int n = 0; n < size; ++n) {
        QORCubieCube c;
        set(c, n);
        for (int face = 0; face < 6; ++face)
            table[std::size_t(n) * FaceTurnCount + 3 * face] =
                uint16_t(get(c.Then(FaceTurnCube(3 * face))));
    }
    for (int n = 0; n < size; ++n)
        for (int face = 0; face < 6; ++face) {
            uint16_t* row = &table[std::size_t(n) * FaceTurnCount + 3 * face];
            const uint16_t once = row[0];
            row[1] = table[std::size_t(once) * FaceTurnCount + 3 * face];
            row[2] = table[std::size_t(row[1]) * FaceTurnCount + 3 * face];
        }
    return table;
}

// The permutations are only needed inside phase 2, and only for its ten turns; orientations
// stay as they are there.
template <class Get, class Set> std::vector<uint16_t> Phase2MoveTable(int size, Get get, Set set) {
    std::vector<uint16_t> table(std::size_t(size) * Phase2Count);
    for (int n = 0; n < size; ++n) {
        QORCubieCube c;
        set(c, n);
        for (int k = 0; k < Phase2Count; ++k) {
            const QORCubieCube& turn = FaceTurnCube(Phase2Turns[std::size_t(k)]);
            QORCubieCube moved = c;
            for (std::size_t s = 0; s < 8; ++s)
                moved.Cp[s] = c.Cp[turn.Cp[s]];
            for (std::size_t s = 0; s < 12; ++s)
                moved.Ep[s] = c.Ep[turn.Ep[s]];
            table[std::size_t(n) * Phase2Count + std::size_t(k)] = uint16_t(get(moved));
        }
    }
    return table;
}

// Distances from the goal by breadth-first layers, each found by one pass in index order, so
// that neighbouring entries look up neighbouring rows. Once most entries are filled it is
// cheaper to ask each empty one whether a neighbour lies on the last layer, as every turn set
// here holds each turn's reverse.
template <class Next> std::vector<uint8_t> Prune(int size, int start, int turns, Next next) {
    std::vector<uint8_t> dist(std::size_t(size), 0xff);
    dist[std::size_t(start)] = 0;
    int filled = 1;
    for (uint8_t depth = 0; filled < size; ++depth) {
        int added = 0;
        const bool outwards = filled < size / 2;
        for (int i = 0; i < size; ++i) {
            if (outwards) {
                if (dist[std::size_t(i)] != depth)
                    continue;
                for (int t = 0; t < turns; ++t) {
                    uint8_t& d = dist[std::size_t(next(i, t))];
                    if (d == 0xff) {
                        d = uint8_t(depth + 1);
                        ++added;
                    }
                }
            } else if (dist[std::size_t(i)] == 0xff) {
                for (int t = 0; t < turns; ++t)
                    if (dist[std::size_t(next(i, t))] == depth) {
                        dist[std::size_t(i)] = uint8_t(depth + 1);
                        ++added;
                        break;
                    }
            }
        }
        if (added == 0)
            break;
        filled += added;
    }
    return dist;
}

constexpr char Magic[8] = {'Q', 'O', 'R', 'S', 'O', 'L', 'V', '1'};

// FNV-1a over 64-bit words, carried from table to table.
uint64_t Checksum(uint64_t h, const char* bytes, std::size_t size) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t w;
        std::memcpy(&w, bytes + i, 8);
        h = (h ^ w) * 1099511628211ull;
    }
    for (; i < size; ++i)
        h = (h ^ uint8_t(bytes[i])) * 1099511628211ull;
    return h;
}

constexpr uint64_t ChecksumStart = 1469598103934665603ull;

} // namespace

QORSolverTables::QORSolverTables() : D(std::make_unique<Data>()) {}
QORSolverTables::~QORSolverTables() = default;

std::shared_ptr<const QORSolverTables> QORSolverTables::Build() {
    std::shared_ptr<QORSolverTables> tables(new QORSolverTables());
    Data& d = *tables->D;
    // The small move tables first, as every pruning table needs some of them; then the
    // largest pruning table on one core, the permutations' tables and the rest on the other.
    d.TwistMove = MoveTable(Twists, Twist, SetTwist);
    d.FlipMove = MoveTable(Flips, Flip, SetFlip);
    d.SliceMove = MoveTable(Slices, Slice, SetSlice);
    d.PlacesMove.resize(std::size_t(SlicePlaces) * FaceTurnCount);
    for (int p = 0; p < SlicePlaces; ++p)
        for (int t = 0; t < FaceTurnCount; ++t)
            d.PlacesMove[std::size_t(p) * FaceTurnCount + t] = uint16_t(
                d.SliceMove[std::size_t(p) * SliceOrders * FaceTurnCount + t] / SliceOrders);
    d.OrderMove.resize(std::size_t(SliceOrders) * Phase2Count);
    for (int o = 0; o < SliceOrders; ++o)
        for (int k = 0; k < Phase2Count; ++k)
            d.OrderMove[std::size_t(o) * Phase2Count + k] =
                uint8_t(d.SliceMove[std::size_t(SliceHome * SliceOrders + o) * FaceTurnCount +
                                    Phase2Turns[k]] %
                        SliceOrders);
    std::thread twistFlip([&d] {
        d.TwistFlipPrune = Prune(Twists * Flips, 0, FaceTurnCount, [&d](int i, int t) {
            return d.TwistMove[std::size_t(i / Flips) * FaceTurnCount + t] * Flips +
                   d.FlipMove[std::size_t(i % Flips) * FaceTurnCount + t];
        });
    });
    d.CornerMove = Phase2MoveTable(CornerPerms, CornerPerm, SetCornerPerm);
    d.CornerPrune = Prune(CornerPerms * SliceOrders, 0, Phase2Count, [&d](int i, int k) {
        return d.CornerMove[std::size_t(i / SliceOrders) * Phase2Count + k] * SliceOrders +
               d.OrderMove[std::size_t(i % SliceOrders) * Phase2Count + k];
    });
    d.EdgeMove = Phase2MoveTable(EdgePerms, EdgePerm, SetEdgePerm);
    d.EdgePrune = Prune(EdgePerms * SliceOrders, 0, Phase2Count, [&d](int i, int k) {
        return d.EdgeMove[std::size_t(i / SliceOrders) * Phase2Count + k] * SliceOrders +
               d.OrderMove[std::size_t(i % SliceOrders) * Phase2Count + k];
    });
    d.TwistPrune = Prune(Twists * SlicePlaces, SliceHome, FaceTurnCount, [&d](int i, int t) {
        return d.TwistMove[std::size_t(i / SlicePlaces) * FaceTurnCount + t] * SlicePlaces +
               d.PlacesMove[std::size_t(i % SlicePlaces) * FaceTurnCount + t];
    });
    d.FlipPrune = Prune(Flips * SlicePlaces, SliceHome, FaceTurnCount, [&d](int i, int t) {
        return d.FlipMove[std::size_t(i / SlicePlaces) * FaceTurnCount + t] * SlicePlaces +
               d.PlacesMove[std::size_t(i % SlicePlaces) * FaceTurnCount + t];
    });
    twistFlip.join();
    return tables;
}

std::size_t QORSolverTables::Bytes() const {
    std::size_t n = 0;
    D->Each([&n](const auto& v) { n += v.size() * sizeof(v[0]); });
    return n;
}

bool QORSolverTables::Save(const std::string& path, std::string* error) const {
    const uint64_t size = Bytes();
    uint64_t sum = ChecksumStart;
    D->Each([&sum](const auto& v) {
        sum = Checksum(sum, reinterpret_cast<const char*>(v.data()), v.size() * sizeof(v[0]));
    });
    // Written beside and renamed over, so a reader never sees half a file; each process
    // writes its own part, as two games may start at once.
    const std::string part = path + ".part" + std::to_string(getpid());
    std::error_code ec;
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out.write(Magic, sizeof Magic);
        out.write(reinterpret_cast<const char*>(&size), sizeof size);
        out.write(reinterpret_cast<const char*>(&sum), sizeof sum);
        D->Each([&out](const auto& v) {
            out.write(reinterpret_cast<const char*>(v.data()),
                      std::streamsize(v.size() * sizeof(v[0])));
        });
        if (!out.flush()) {
            if (error)
                *error = "cannot write " + part;
            out.close();
            std::filesystem::remove(part, ec);
            return false;
        }
    }
    std::filesystem::rename(part, path, ec);
    if (ec && error)
        *error = "cannot rename " + part + ": " + ec.message();
    return !ec;
}

std::shared_ptr<const QORSolverTables> QORSolverTables::Load(const std::string& path,
                                                             std::string* error) {
    const auto Fail = [error](const std::string& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    std::ifstream in(path, std::ios::binary);
    char magic[sizeof Magic];
    uint64_t size = 0, sum = 0;
    if (!in.read(magic, sizeof magic) || std::memcmp(magic, Magic, sizeof Magic) != 0 ||
        !in.read(reinterpret_cast<char*>(&size), sizeof size) ||
        !in.read(reinterpret_cast<char*>(&sum), sizeof sum))
        return Fail(path + " is no table file");
    std::shared_ptr<QORSolverTables> tables(new QORSolverTables());
    // The sizes are those a build makes; a file of another size is damaged or of another build.
    tables->D->Shape();
    if (size != tables->Bytes())
        return Fail(path + " has the wrong size");
    uint64_t check = ChecksumStart;
    tables->D->Each([&](auto& v) {
        char* p = reinterpret_cast<char*>(v.data());
        const std::size_t n = v.size() * sizeof(v[0]);
        if (in.read(p, std::streamsize(n)))
            check = Checksum(check, p, n);
    });
    if (!in || in.peek() != EOF)
        return Fail(path + " has the wrong size");
    if (check != sum)
        return Fail(path + " fails its checksum");
    return tables;
}

std::shared_ptr<const QORSolverTables> QORSolverTables::LoadOrBuild(const std::string& folder) {
    const std::string path = folder + "/solver-tables.bin";
    if (auto tables = Load(path, nullptr))
        return tables;
    auto tables = Build();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    tables->Save(path, nullptr);
    return tables;
}
