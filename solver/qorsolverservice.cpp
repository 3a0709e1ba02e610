#include "solver/qorsolverservice.h"

#include <QFutureWatcher>
#include <QStandardPaths>
#include <QtConcurrent>

#include <sodium.h>

QORSolverService::QORSolverService(const QString& cacheFolder, QObject* parent)
    : QObject(parent), CacheFolder(cacheFolder) {
    // Random states draw from libsodium, which must be set up once; later calls do nothing.
    if (sodium_init() < 0)
        qFatal("libsodium cannot start");
}

QORSolverService::~QORSolverService() = default;

QString QORSolverService::DefaultCacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/quelmora");
}

void QORSolverService::Prepare() {
    if (Preparing || Solver)
        return;
    Preparing = true;
    const std::string folder = CacheFolder.toStdString();
    auto* watcher = new QFutureWatcher<std::shared_ptr<const QORSolver>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        Solver = watcher->result();
        watcher->deleteLater();
        Preparing = false;
        emit TablesReady();
        for (auto& job : std::exchange(Waiting, {}))
            job();
    });
    watcher->setFuture(QtConcurrent::run([folder] {
        auto tables = folder.empty() ? QORSolverTables::Build()
                                     : QORSolverTables::LoadOrBuild(folder);
        return std::make_shared<const QORSolver>(tables);
    }));
}

void QORSolverService::WhenReady(std::function<void()> job) {
    if (Solver)
        return job();
    Waiting.push_back(std::move(job));
    Prepare();
}

void QORSolverService::Solve(const QORCubieCube& state,
                             std::function<void(const QORSolution&)> done) {
    WhenReady([this, state, done = std::move(done)] {
        auto* watcher = new QFutureWatcher<QORSolution>(this);
        connect(watcher, &QFutureWatcherBase::finished, this, [watcher, done] {
            done(watcher->result());
            watcher->deleteLater();
        });
        watcher->setFuture(QtConcurrent::run([solver = Solver, state] { return solver->Solve(state); }));
    });
}

void QORSolverService::RandomScramble(std::function<void(const std::vector<int>&)> done) {
    WhenReady([this, done = std::move(done)] {
        auto* watcher = new QFutureWatcher<std::vector<int>>(this);
        connect(watcher, &QFutureWatcherBase::finished, this, [watcher, done] {
            done(watcher->result());
            watcher->deleteLater();
        });
        watcher->setFuture(QtConcurrent::run([solver = Solver] {
            return RandomStateScramble(*solver, [](uint32_t n) { return randombytes_uniform(n); });
        }));
    });
}
