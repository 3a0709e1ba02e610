// How long the statistics window takes to open over a history of many solves: reading them,
// the table, the figures and the chart, until the window is on screen. With 100,000 solves it
// must open in under 0.3 s: the table reads a page, the figures one column. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quelmora_bench_stats
#include "game/qorgame.h"
#include "history/qorhistory.h"
#include "game/qorreplay.h"
#include "dialogs/stats.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

// A history file of count solves at two shuffle lengths, written in one transaction.
QString Filled(const QTemporaryDir& dir, int count) {
    const QString path = dir.filePath(QStringLiteral("history-%1.sqlite").arg(count));
    {
        QORSolveHistory history;
        history.Open(path);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare("INSERT INTO solves (finished_at, seconds, clock_seconds, shuffles, moves, "
                       "scramble, solution, sent) VALUES (?, ?, ?, ?, 60, 'R U F', "
                       "'F'' U'' R''', 1)");
        std::mt19937 random(7);
        std::uniform_real_distribution<double> seconds(20, 90);
        for (int i = 0; i < count; ++i) {
            const double s = seconds(random);
            insert.addBindValue(QStringLiteral("2026-12-07T10:00:00.000Z"));
            insert.addBindValue(s);
            insert.addBindValue(int(s));
            insert.addBindValue(i % 4 ? 20 : 30);
            insert.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase("fill");
    return path;
}

void OpenStats(benchmark::State& state) {
    QTemporaryDir dir;
    QORSolveHistory history;
    history.Open(Filled(dir, int(state.range(0))));
    QORSettings settings;
    QORGame game(settings);
    QORReplay replay(game);
    for (auto _ : state) {
        auto form = std::make_unique<TStatsForm>(history, replay);
        form->ShowStats();
        if (!QTest::qWaitForWindowExposed(form.get()))
            state.SkipWithError("the window never showed");
        QCoreApplication::processEvents();
    }
    state.counters["solves"] = double(history.All().size());
}
BENCHMARK(OpenStats)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
