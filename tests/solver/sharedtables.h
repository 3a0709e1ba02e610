#pragma once
// One build of the tables serves every test in the run.
#include "solver/qorsolver.h"

inline std::shared_ptr<const QORSolverTables> SharedTables() {
    static const std::shared_ptr<const QORSolverTables> tables = QORSolverTables::Build();
    return tables;
}
