// The solve history: what a win stores, on disk at once, what waits unsent, and the export.
#include "cube/qorhistory.h"

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
        const std::optional<qint64> first = h.Add(MadeSolve(31.5, 20));
        const std::optional<qint64> second = h.Add(MadeSolve(9.2456, 20, "F,\"B\"", QString()));
        ASSERT_TRUE(first && second);
        const OutsideConnection reader(path); // what another process would read now
        EXPECT_EQ(reader.Column("PRAGMA journal_mode"), QStringList{"wal"});
        EXPECT_EQ(reader.Column("SELECT finished_at || '|' || seconds || '|' || solution || '|' || "
                                "sent FROM solves"),
                  (QStringList{"2026-12-07T09:30:15.250Z|31.5|R U'|0",
                               "2026-12-07T09:30:15.250Z|9.2456||0"}))
            << "in UTC, and no turns are an empty text";
        ASSERT_TRUE(h.MarkSent(*first));
        ASSERT_EQ(h.Unsent().size(), 1);
        EXPECT_EQ(h.Unsent()[0].Id, *second);
        ASSERT_TRUE(h.ExportCsv(dir.filePath("out.csv")));
        EXPECT_EQ(ReadAll(dir.filePath("out.csv")),
                  "id,finished_at,seconds,shuffles,moves,scramble,solution,sent\n"
                  "1,2026-12-07T09:30:15.250Z,31.500,20,2,U R',R U',1\n"
                  "2,2026-12-07T09:30:15.250Z,9.246,20,2,\"F,\"\"B\"\"\",,0\n");
        QString error;
        EXPECT_FALSE(h.ExportCsv(dir.filePath("missing/out.csv"), &error) || error.isEmpty());
    }
    QORSolveHistory again;
    ASSERT_TRUE(again.Open(path));
    const QList<QORSolve> all = again.All();
    ASSERT_EQ(all.size(), 2);
    const QORSolve& s = all[0];
    EXPECT_EQ(
        std::tuple(s.Seconds, s.ClockSeconds, s.Shuffles, s.Moves, s.Scramble, s.Solution, s.Sent),
        std::tuple(31.5, 31, 20, 2, QString("U R'"), QString("R U'"), true));
    EXPECT_EQ(s.FinishedAt, MadeSolve(0, 0).FinishedAt);
    EXPECT_TRUE(again.Remove(all[1].Id));
    EXPECT_FALSE(again.Remove(all[1].Id)) << "gone already";
}
