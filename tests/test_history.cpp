// The solve history: what a win stores, on disk at once, what waits unsent, the export, and
// how damaged records are told apart and read a page at a time.
#include "history/qorhistory.h"

#include "support/outsideconnection.h"
#include "support/testutil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(History, aSolveIsCommittedInWalModeWaitsUnsentUntilMarkedAndExportsQuotingOnlyWhatNeedsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("deep/er/history.sqlite");
    {
        QORSolveHistory h;
        ASSERT_TRUE(h.Open(path));
        QORSolve hinted = MadeSolve(9.2456, 20, "F,\"B\"", QString());
        hinted.Hinted = true;
        hinted.SolverMoves = 1;
        const std::optional<qint64> first = h.Add(MadeSolve(31.5, 20));
        ASSERT_TRUE(first && h.Add(hinted));
        EXPECT_EQ(h.Best(20), 31.5) << "a hinted solve is no record";
        const OutsideConnection reader(path); // what another process would read now
        EXPECT_EQ(reader.Column("PRAGMA journal_mode") + reader.Column("PRAGMA user_version"),
                  (QStringList{"wal", "5"}));
        EXPECT_EQ(reader.Column("SELECT finished_at || '|' || seconds || '|' || solution || '|' || "
                                "sent FROM solves"),
                  (QStringList{"2026-12-07T09:30:15.250Z|31.5|R U'|0",
                               "2026-12-07T09:30:15.250Z|9.2456||0"}))
            << "in UTC, and no turns are an empty text";
        ASSERT_TRUE(h.MarkSent(*first));
        EXPECT_TRUE(h.Unsent().isEmpty()) << "a hinted solve is never sent";
        ASSERT_TRUE(h.ExportCsv(dir.filePath("out.csv")));
        EXPECT_EQ(ReadAll(dir.filePath("out.csv")),
                  "id,finished_at,seconds,shuffles,moves,scramble,solution,sent,hinted,"
                  "solver_moves,efficiency,plus_two,dnf\n"
                  "1,2026-12-07T09:30:15.250Z,31.500,20,2,U R',R U',1,0,,,0,0\n"
                  "2,2026-12-07T09:30:15.250Z,9.246,20,2,\"F,\"\"B\"\"\",,0,1,1,0.50,0,0\n");
        QString error;
        EXPECT_FALSE(h.ExportCsv(dir.filePath("missing/out.csv"), &error) || error.isEmpty());
        // The inspection's penalty counts in the result; a DNF has none and is never sent.
        QORSolve late = MadeSolve(30, 20), dnf = MadeSolve(0, 20);
        late.PlusTwo = dnf.Dnf = true;
        ASSERT_TRUE(h.Add(late) && h.Add(dnf));
        EXPECT_EQ(std::pair(h.Best(20), h.Unsent().size()), std::pair(std::optional(31.5), qsizetype(1)));
        EXPECT_EQ(h.Times(20), (QList<std::optional<double>>{31.5, 9.2456, 32.0, qInf()}));
    }
    QORSolveHistory again;
    ASSERT_TRUE(again.Open(path));
    const QList<QORSolve> all = again.All();
    ASSERT_EQ(all.size(), 4);
    EXPECT_TRUE(all[2].PlusTwo && !all[2].Dnf && all[3].Dnf && !all[3].PlusTwo);
    const QORSolve& s = all[0];
    EXPECT_EQ(std::tuple(s.Seconds, s.ClockSeconds, s.Shuffles, s.Moves, s.Scramble, s.Solution,
                         s.Sent, s.Hinted, s.SolverMoves, all[1].Hinted, all[1].SolverMoves),
              std::tuple(31.5, 31, 20, 2, QString("U R'"), QString("R U'"), true, false,
                         std::optional<int>(), true, std::optional(1)));
    EXPECT_EQ(s.FinishedAt, MadeSolve(0, 0).FinishedAt);
    EXPECT_TRUE(again.Remove(all[1].Id));
    EXPECT_FALSE(again.Remove(all[1].Id)) << "gone already";
}

TEST(History, impossibleNumbersMarkASolveDamagedAndKeepItFromTimesLengthsBestAndSending) {
    QTemporaryDir dir;
    const QString path = dir.filePath("h.sqlite");
    // A file of an older build, before verified games: it gains their columns, empty.
    ASSERT_TRUE(OutsideConnection(path).Run("CREATE TABLE solves (id INTEGER PRIMARY KEY, "
                                            "finished_at, seconds, clock_seconds, shuffles, moves, "
                                            "scramble, solution, sent DEFAULT 0)"));
    QORSolveHistory h;
    ASSERT_TRUE(h.Open(path));
    ASSERT_TRUE(h.Add(MadeSolve(30, 20)));
    // As a damaged or edited file holds them; the last rows keep the shuffle length.
    const char* const damaged[] = {
        "shuffles = 1099511627776", "shuffles = -1", "shuffles = 1001", "shuffles = 20.5",
        "seconds = 9e999", "seconds = 1e308", "seconds = -5", "seconds = x'00'", "seconds = 'nan'",
        "seconds = 'abc'", "clock_seconds = 1e12", "moves = -1", "moves = 1099511627776"};
    const OutsideConnection file(path);
    for (const char* set : damaged)
        ASSERT_TRUE(file.Run("INSERT INTO solves (finished_at, seconds, clock_seconds, shuffles, "
                             "moves, scramble, solution) VALUES ('', 1, 1, 20, 2, 'R', 'R''')") &&
                    file.Run(QString("UPDATE solves SET %1 WHERE id = last_insert_rowid()").arg(set)))
            << set;
    const QList<QORSolve> all = h.All();
    ASSERT_EQ(all.size(), 1 + std::size(damaged));
    for (qsizetype i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i].Damaged, i > 0) << (i ? damaged[i - 1] : "sound");
    QList<std::optional<double>> times(all.size());
    times[0] = 30;
    EXPECT_EQ(h.Times(-1), times);
    EXPECT_EQ(h.Times(20).size(), all.size() - 4);
    EXPECT_EQ(h.Lengths(), QList<int>{20});
    EXPECT_EQ(h.Best(20), 30) << "not the damaged -5";
    ASSERT_EQ(h.Unsent().size(), 1) << "a damaged solve is never sent";
    EXPECT_TRUE(h.Unsent()[0].ScrambleId.isEmpty() && h.Unsent()[0].TimedMoves.isEmpty());
    // Pages run newest first, from before the solve named.
    const QList<QORSolve> page = h.Page(20, all.last().Id, 2);
    ASSERT_EQ(page.size(), 2);
    EXPECT_EQ(std::pair(page[0].Id, page[1].Id), std::pair(all.end()[-2].Id, all.end()[-3].Id));
    EXPECT_EQ(h.Page(-1, 0, 1000).size(), all.size());
    // A random-state solve is told apart, and beats only its own kind.
    QORSolve random = MadeSolve(10, 20);
    random.RandomState = true;
    ASSERT_TRUE(h.Add(random));
    EXPECT_EQ(std::tuple(h.Best(20).value_or(0), h.Best(20, 0, true).value_or(0),
                         h.All().last().RandomState),
              std::tuple(30.0, 10.0, !all[0].RandomState));
    EXPECT_EQ(h.Lengths(), (QList<int>{20, QORSolveHistory::RandomStateLength}));
    EXPECT_EQ(h.Times(20).size(), all.size() - 4) << "not among the numbered games";
    EXPECT_EQ(h.Times(QORSolveHistory::RandomStateLength), QList<std::optional<double>>{10.0});
    // Daily challenges are a length of their own; the streak counts solved days in a row.
    for (const int day : {3, 5, 6, 7}) {
        random.DailyDay = QDate(2026, 12, day);
        ASSERT_TRUE(h.Add(random));
    }
    EXPECT_EQ(h.Lengths(), (QList<int>{20, QORSolveHistory::RandomStateLength,
                                       QORSolveHistory::DailyLength}));
    EXPECT_EQ(h.Page(QORSolveHistory::RandomStateLength, 0, 9).size(), 1);
    EXPECT_EQ(h.Page(QORSolveHistory::DailyLength, 0, 9).last().DailyDay, QDate(2026, 12, 3));
    EXPECT_EQ(std::tuple(h.DailyStreak({2026, 12, 7}), h.DailyStreak({2026, 12, 5}),
                         h.DailyStreak({2026, 12, 4}), h.DailyStreak({2026, 12, 8})),
              std::tuple(3, 1, 0, 0));
}
