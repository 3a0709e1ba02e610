#pragma once
// The two-phase solver: phase 1 brings the cube into the group of U, D, R2, L2, F2 and B2,
// phase 2 solves it inside that group; a deeper phase 1 is tried while the sum can still get
// shorter. Plain C++, no Qt. The tables are built once and shared read-only by any number of
// solvers on any threads.

#include "solver/qorcubiecube.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QORSolverTables;

struct QORSolution {
    QORStateFault Fault = QORStateFault::None;
    // Face turns, numbered as in qorcubiecube.h; empty for a solved cube or a fault.
    std::vector<int> Turns;
    int FaceTurns() const { return int(Turns.size()); }
    int QuarterTurns() const { return QuarterTurnCount(Turns); }
};

class QORSolver {
public:
    explicit QORSolver(std::shared_ptr<const QORSolverTables> tables);
    ~QORSolver();
    // The first solution found of at most maxFaceTurns face turns; with a fault when the state
    // is no legal cube. A limit below 21 is raised to it: the first solution of a shorter one
    // could take long. Given time to improve, the search goes on for shorter solutions for
    // that long after the first and gives the shortest it found.
    QORSolution Solve(const QORCubieCube& state, int maxFaceTurns = 21,
                      std::chrono::milliseconds improveFor = std::chrono::milliseconds(0)) const;

private:
    std::shared_ptr<const QORSolverTables> Tables;
};

// Built once, then read-only. Build takes a fraction of a second; Load reads a copy that Save
// wrote and refuses one of the wrong size or checksum.
class QORSolverTables {
public:
    static std::shared_ptr<const QORSolverTables> Build();
    static std::shared_ptr<const QORSolverTables> Load(const std::string& path, std::string* error);
    bool Save(const std::string& path, std::string* error) const;
    // Loads the copy in folder, or builds and saves one there when it is missing or damaged.
    // A folder that cannot be written only costs the next start a build.
    static std::shared_ptr<const QORSolverTables> LoadOrBuild(const std::string& folder);
    std::size_t Bytes() const;

    struct Data;
    const Data& Get() const { return *D; }
    ~QORSolverTables();

private:
    QORSolverTables();
    std::unique_ptr<Data> D;
};

// A draw of 0 to n - 1, each equally likely, from a cryptographic source.
using QORDraw = std::function<uint32_t(uint32_t n)>;
// libsodium's draw, which it seeds from the system.
QORDraw SecureDraw();
// Every legal state equally likely.
QORCubieCube RandomState(const QORDraw& draw);
// A random state that is at least two face turns from solved, and the face turns that reach
// it from solved: the inverse of its solution, at most 21.
std::vector<int> RandomStateScramble(const QORSolver& solver, const QORDraw& draw);
