#include "net/qorcp1251.h"
#include "net/qorverified.h"
#include "serverharness.h"

using namespace QORProtocol;
using Daily = EitherStore;
ON_EITHER_STORE(Daily);

// Two servers on one store deal one scramble a day, drawn at once by both; each account gets
// one id for it, re-dealt while open. A try is finished by its first solve, also given up, and
// expires when its day ends. Each day lists its own solves, and an earlier day can be asked for.
TEST_P(Daily, oneScrambleADayOneTryEachListedByDayUntilTheDayEnds) {
    qint64 now = QDateTime(QDate(2026, 12, 7), QTime(23, 0), Qt::UTC).toMSecsSinceEpoch();
    QORScoreStore otherStore;
    ASSERT_TRUE(Start() && otherStore.Open(Path, 20));
    QORScoreServer other(otherStore, Options);
    QORTestClient bob, carol;
    ASSERT_TRUE(other.Listen() && bob.Connect(other.Port()) && carol.Connect(Port()));
    for (QORVerifier* verifier : {&Server->Book().Verifier(), &other.Book().Verifier()})
        verifier->Clock = [&] { return now; };
    for (auto [client, name] : {std::pair(&Client, "alice"), {&bob, "bob"}, {&carol, "carol"}})
        ASSERT_EQ(client->Ask("CUBE_REGISTER;" + QByteArray(name) + ";pw", Ok.size()), Ok);
    const auto deal = [](QORTestClient& client, const QByteArray& who) {
        return ParseVerifiedReply(
            FromCp1251(client.AskLine("CUBE_SCRAMBLE;" + who + ";pw;DAILY\n")));
    };
    // The moves undone one a second, or none: the try given up.
    const auto solve = [&](QORTestClient& client, const QString& who, const VerifiedReply& dealt,
                           bool undo) {
        QList<TimedMove> moves;
        for (qsizetype i = dealt.Moves.size() - 1; undo && i >= 0; --i)
            moves << TimedMove{dealt.Moves[i].Inverse(), 1000 * (moves.size() + 1)};
        const qint64 ms = 1000 * dealt.Moves.size() + 1000;
        now += ms + 1000;
        return client.AskLine(ToCp1251(SolveRequest(who, "pw", dealt.Id, ms, moves)));
    };
    // Sent together, so that both servers draw the day's first scramble at once.
    Client.Send("CUBE_SCRAMBLE;alice;pw;DAILY\n");
    bob.Send("CUBE_SCRAMBLE;bob;pw;DAILY\n");
    ASSERT_TRUE(
        WaitUntil([&] { return Client.Received.endsWith('\n') && bob.Received.endsWith('\n'); }));
    const VerifiedReply alices = ParseVerifiedReply(FromCp1251(std::exchange(Client.Received, {})));
    const VerifiedReply bobs = ParseVerifiedReply(FromCp1251(std::exchange(bob.Received, {})));
    const VerifiedReply carols = deal(carol, "carol");
    EXPECT_TRUE(alices.What == VerifiedReply::Scramble && alices.Kind == "DAILY-2026-12-07" &&
                alices.Shuffles == 0 && alices.Moves.size() > 10);
    EXPECT_TRUE(alices.Moves == bobs.Moves && bobs.Moves == carols.Moves);
    EXPECT_TRUE(alices.Id != bobs.Id && bobs.Id != carols.Id);
    const VerifiedReply again = deal(Client, "alice");
    EXPECT_TRUE(again.Id == alices.Id && again.Moves == alices.Moves) << "open: dealt again";
    const QByteArray used = ToCp1251(SolveBadReply({}, SolveFault::Used));
    EXPECT_EQ(solve(Client, "alice", alices, true), ToCp1251(SolveOkReply(alices.Id, 1)));
    EXPECT_EQ(solve(bob, "bob", bobs, false),
              ToCp1251(SolveBadReply(bobs.Id, SolveFault::Unsolved)));
    EXPECT_EQ(Client.AskLine("CUBE_SCRAMBLE;alice;pw;DAILY\n") +
                  bob.AskLine("CUBE_SCRAMBLE;bob;pw;DAILY\n"),
              used + used);
    const QDate day(2026, 12, 7), next(2026, 12, 8);
    const QList<VerifiedRow> first = {{"alice", 1000 * alices.Moves.size() + 1000,
                                       int(alices.Moves.size()), int(alices.Moves.size()), day}};
    EXPECT_EQ(ToCp1251(TopList2Reply(first)), bob.AskLine("CUBE_GETTOP2;bob;pw;DAILY\n"));
    now = next.startOfDay(Qt::UTC).toMSecsSinceEpoch() - 2000 - 1000 * carols.Moves.size();
    EXPECT_EQ(solve(carol, "carol", carols, true),
              ToCp1251(SolveBadReply(carols.Id, SolveFault::Expired)));
    const VerifiedReply tomorrow = deal(carol, "carol");
    EXPECT_TRUE(tomorrow.Kind == "DAILY-2026-12-08" && tomorrow.Moves != carols.Moves);
    EXPECT_EQ(solve(carol, "carol", tomorrow, true), ToCp1251(SolveOkReply(tomorrow.Id, 1)));
    const VerifiedReply alices2 = deal(Client, "alice");
    EXPECT_EQ(solve(Client, "alice", alices2, true), ToCp1251(SolveOkReply(alices2.Id, 2)));
    const int turns = int(tomorrow.Moves.size());
    const QList<VerifiedRow> second = {{"carol", 1000 * turns + 1000, turns, turns, next},
                                       {"alice", 1000 * turns + 1000, turns, turns, next}};
    EXPECT_EQ(Client.AskLine("CUBE_GETTOP2;alice;pw;DAILY-2026-12-07\n") +
                  Client.AskLine("CUBE_GETTOP2;alice;pw;DAILY\n"),
              ToCp1251(TopList2Reply(first)) + ToCp1251(TopList2Reply(second)));
    EXPECT_EQ(ToCp1251(TopList2Reply(Store.DailyList(day)) + TopList2Reply(Store.DailyList(next))),
              ToCp1251(TopList2Reply(first) + TopList2Reply(second)));
    const std::tuple<const char*, QDate, int> streaks[] = {{"alice", day, 1},
                                                           {"alice", next, 2},
                                                           {"ALICE", day.addDays(2), 2},
                                                           {"alice", day.addDays(3), 0},
                                                           {"bob", day, 0},
                                                           {"carol", next, 1},
                                                           {"carol", next.addDays(1), 1},
                                                           {"nobody", day, 0}};
    for (const auto& [nick, today, streak] : streaks)
        EXPECT_EQ(Store.DailyStreak(nick, today), streak) << nick << today.toString().toStdString();
}

using DailyLayout = ServerTest;

// A file of the layout before the daily challenge gains its one-try rule when opened.
TEST_F(DailyLayout, aStoreOfTheOlderLayoutGainsTheOneTryADayRule) {
    ASSERT_TRUE(Store.Open(Path, 20));
    Store.Close();
    {
        const OutsideConnection old(Path);
        ASSERT_TRUE(old.Run("DROP INDEX scrambles_daily") && old.Run("PRAGMA user_version=3"));
    }
    const QString kind = DailyKindOf(QDate(2026, 12, 7));
    ASSERT_TRUE(Store.Open(Path, 20) &&
                Store.AddScramble(QString(32, 'a'), {1, 1, "R", 0, false, kind}));
    EXPECT_FALSE(Store.AddScramble(QString(32, 'b'), {1, 1, "R", 0, false, kind}));
    EXPECT_TRUE(Store.AddScramble(QString(32, 'c'), {2, 1, "R", 0, false, kind}));
}
