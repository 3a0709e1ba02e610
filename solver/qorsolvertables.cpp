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

using namespace QORCoord;

namespace {

template <class Get, class Set>
std::vector<uint16_t> MoveTable(int size, Get get, Set set) {
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

// Distances from index 0 (every goal here numbers 0) by breadth-first layers.
template <class Next>
std::vector<uint8_t> Prune(int size, int start, int turns, Next next) {
    std::vector<uint8_t> dist(std::size_t(size), 0xff);
    dist[std::size_t(start)] = 0;
    int filled = 1;
    for (uint8_t depth = 0; filled < size; ++depth) {
        int added = 0;
        for (int i = 0; i < size; ++i) {
            if (dist[std::size_t(i)] != depth)
                continue;
            for (int t = 0; t < turns; ++t) {
                uint8_t& d = dist[std::size_t(next(i, t))];
                if (d == 0xff) {
                    d = uint8_t(depth + 1);
                    ++added;
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

uint64_t Checksum(const std::vector<char>& bytes) {
    uint64_t h = 1469598103934665603ull;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        h = (h ^ w) * 1099511628211ull;
    }
    for (; i < bytes.size(); ++i)
        h = (h ^ uint8_t(bytes[i])) * 1099511628211ull;
    return h;
}

} // namespace

QORSolverTables::QORSolverTables() : D(std::make_unique<Data>()) {}
QORSolverTables::~QORSolverTables() = default;

std::shared_ptr<const QORSolverTables> QORSolverTables::Build() {
    std::shared_ptr<QORSolverTables> tables(new QORSolverTables());
    Data& d = *tables->D;
    // The corner and edge permutations are the costly half; the second core makes them.
    std::thread permutations([&d] {
        d.CornerMove = MoveTable(CornerPerms, CornerPerm, SetCornerPerm);
        d.EdgeMove.resize(std::size_t(EdgePerms) * Phase2Count);
        for (int n = 0; n < EdgePerms; ++n) {
            QORCubieCube c;
            SetEdgePerm(c, n);
            for (int k = 0; k < Phase2Count; ++k)
                d.EdgeMove[std::size_t(n) * Phase2Count + k] =
                    uint16_t(EdgePerm(c.Then(FaceTurnCube(Phase2Turns[k]))));
        }
    });
    d.TwistMove = MoveTable(Twists, Twist, SetTwist);
    d.FlipMove = MoveTable(Flips, Flip, SetFlip);
    d.SliceMove = MoveTable(Slices, Slice, SetSlice);
    d.PlacesMove.resize(std::size_t(SlicePlaces) * FaceTurnCount);
    for (int p = 0; p < SlicePlaces; ++p)
        for (int t = 0; t < FaceTurnCount; ++t)
            d.PlacesMove[std::size_t(p) * FaceTurnCount + t] =
                uint16_t(d.SliceMove[std::size_t(p) * SliceOrders * FaceTurnCount + t] / SliceOrders);
    d.OrderMove.resize(std::size_t(SliceOrders) * Phase2Count);
    for (int o = 0; o < SliceOrders; ++o)
        for (int k = 0; k < Phase2Count; ++k)
            d.OrderMove[std::size_t(o) * Phase2Count + k] = uint8_t(
                d.SliceMove[std::size_t(SliceHome * SliceOrders + o) * FaceTurnCount + Phase2Turns[k]] %
                SliceOrders);
    d.TwistPrune = Prune(Twists * SlicePlaces, SliceHome, FaceTurnCount, [&d](int i, int t) {
        return d.TwistMove[std::size_t(i / SlicePlaces) * FaceTurnCount + t] * SlicePlaces +
               d.PlacesMove[std::size_t(i % SlicePlaces) * FaceTurnCount + t];
    });
    d.FlipPrune = Prune(Flips * SlicePlaces, SliceHome, FaceTurnCount, [&d](int i, int t) {
        return d.FlipMove[std::size_t(i / SlicePlaces) * FaceTurnCount + t] * SlicePlaces +
               d.PlacesMove[std::size_t(i % SlicePlaces) * FaceTurnCount + t];
    });
    permutations.join();
    std::thread edges([&d] {
        d.EdgePrune = Prune(EdgePerms * SliceOrders, 0, Phase2Count, [&d](int i, int k) {
            return d.EdgeMove[std::size_t(i / SliceOrders) * Phase2Count + k] * SliceOrders +
                   d.OrderMove[std::size_t(i % SliceOrders) * Phase2Count + k];
        });
    });
    d.CornerPrune = Prune(CornerPerms * SliceOrders, 0, Phase2Count, [&d](int i, int k) {
        return d.CornerMove[std::size_t(i / SliceOrders) * FaceTurnCount + Phase2Turns[k]] *
                   SliceOrders +
               d.OrderMove[std::size_t(i % SliceOrders) * Phase2Count + k];
    });
    edges.join();
    return tables;
}

std::size_t QORSolverTables::Bytes() const {
    std::size_t n = 0;
    D->Each([&n](const auto& v) { n += v.size() * sizeof(v[0]); });
    return n;
}

bool QORSolverTables::Save(const std::string& path, std::string* error) const {
    std::vector<char> body;
    body.reserve(Bytes());
    D->Each([&body](const auto& v) {
        const char* p = reinterpret_cast<const char*>(v.data());
        body.insert(body.end(), p, p + v.size() * sizeof(v[0]));
    });
    const uint64_t size = body.size(), sum = Checksum(body);
    // Written beside and renamed over, so a reader never sees half a file.
    const std::string part = path + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out.write(Magic, sizeof Magic);
        out.write(reinterpret_cast<const char*>(&size), sizeof size);
        out.write(reinterpret_cast<const char*>(&sum), sizeof sum);
        out.write(body.data(), std::streamsize(body.size()));
        if (!out.flush()) {
            if (error)
                *error = "cannot write " + part;
            return false;
        }
    }
    std::error_code ec;
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
    std::vector<char> body(size);
    if (!in.read(body.data(), std::streamsize(size)) || in.peek() != EOF)
        return Fail(path + " has the wrong size");
    if (Checksum(body) != sum)
        return Fail(path + " fails its checksum");
    std::size_t at = 0;
    tables->D->Each([&](auto& v) {
        const std::size_t n = v.size() * sizeof(v[0]);
        std::memcpy(v.data(), body.data() + at, n);
        at += n;
    });
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
