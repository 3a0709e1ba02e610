#pragma once
// The solver for a Qt program: the tables are loaded or built in a worker thread the first
// time they are needed, and solves run there too, so the window never waits. Answers come back
// on the service's thread; one that arrives after the service is gone is dropped.

#include "solver/qorsolver.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QORSolverService : public QObject {
    Q_OBJECT
public:
    // An empty folder keeps no copy of the tables.
    explicit QORSolverService(const QString& cacheFolder = DefaultCacheFolder(),
                              QObject* parent = nullptr);
    ~QORSolverService() override;
    // $XDG_CACHE_HOME/quelmora.
    static QString DefaultCacheFolder();

    // Starts loading or building the tables unless that has begun.
    void Prepare();
    bool Ready() const { return Solver != nullptr; }
    // Each prepares first and answers once the tables are there. A solve goes on for a tenth
    // of a second after its first solution for a shorter one.
    void Solve(const QORCubieCube& state, std::function<void(const QORSolution&)> done);
    void RandomScramble(std::function<void(const std::vector<int>&)> done);

signals:
    void TablesReady();

private:
    void WhenReady(std::function<void()> job);

    QString CacheFolder;
    bool Preparing = false;
    std::shared_ptr<const QORSolver> Solver;
    std::vector<std::function<void()>> Waiting;
};
