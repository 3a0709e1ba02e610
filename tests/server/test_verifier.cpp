#include "model/qorbigcube.h"
#include "net/qorclocktext.h"
#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "net/qorverified.h"
#include "serverharness.h"
#include "solver/qorsolverbridge.h"

using namespace QORProtocol;
using Verifier = EitherStore;
ON_EITHER_STORE(Verifier);

// The quiet time is ten minutes, so only the line feed explains each answer. Faults are told
// in order; only a taken solve uses its id up, and only an accepted one shows on both lists.
TEST_P(Verifier, replayedSolvesAreRefusedByEachFaultAndTakenOnceAnsweredAtTheLineFeed) {
    Options.QuietMs = 600000;
    qint64 now = 1700000000000;
    // Opened first, so that only the ban below tells the server of another connection's commit.
    QORScoreStore other;
    ASSERT_TRUE(Start() && other.Open(Path, 20));
    Server->Book().Verifier().Clock = [&] { return now; };
    QORTestClient bob;
    ASSERT_TRUE(bob.Connect(Port()));
    const QByteArray empty = ToCp1251(TopList2Reply({}));
    ASSERT_EQ(Client.AskLine("CUBE_REGISTER;alice;pwCUBE_GETTOP2;alice;pw\n"), Ok + empty);
    ASSERT_EQ(bob.AskLine("CUBE_REGISTER;bob;pwCUBE_GETTOP2;bob;pw\n"), Ok + empty);
    // A dealt scramble, and its moves undone one every 400 ms from 400 ms on.
    const auto deal = [&](QORTestClient& client, const QByteArray& who, int turns) {
        const VerifiedReply dealt = ParseVerifiedReply(FromCp1251(
            client.AskLine("CUBE_SCRAMBLE;" + who + ";pw;" + QByteArray::number(turns) + '\n')));
        EXPECT_EQ(dealt.Moves.size(), turns);
        QList<TimedMove> undo;
        for (qsizetype i = dealt.Moves.size() - 1; i >= 0; --i)
            undo << TimedMove{dealt.Moves[i].Inverse(), 400 * (undo.size() + 1)};
        return std::pair(dealt.Id, undo);
    };
    now -= 48LL * 3600 * 1000;
    const auto [old, oldMoves] = deal(Client, "alice", 25);
    now += 48LL * 3600 * 1000;
    const auto [id, moves] = deal(Client, "alice", 25);
    auto [held, heldMoves] = deal(bob, "bob", 20);
    const auto [few, fewMoves] = deal(Client, "alice", 5);
    now += 60000;
    QList<TimedMove> unsolved = moves.first(24), backwards = moves;
    std::swap(backwards[3].Ms, backwards[4].Ms);
    QList<TimedMove> heldFast = heldMoves;
    for (TimedMove& move : heldFast)
        move.Ms /= 2;
    const auto solve = [](const QString& who, const QString& of, qint64 ms,
                          const QList<TimedMove>& timed, bool plusTwo = false) {
        return ToCp1251(SolveRequest(who, "pw", of, ms, timed, plusTwo));
    };
    const std::tuple<QORTestClient*, QByteArray, QString> cases[] = {
        {&Client, solve("alice", id, 10000, unsolved), SolveBadReply(id, SolveFault::Unsolved)},
        {&bob, solve("bob", id, 10000, moves), SolveBadReply(id, SolveFault::Unknown)},
        {&Client, solve("alice", old, 10000, oldMoves), SolveBadReply(old, SolveFault::Expired)},
        {&Client, solve("alice", id, 10000, backwards), SolveBadReply(id, SolveFault::Times)},
        {&Client, solve("alice", id, 9999, moves), SolveBadReply(id, SolveFault::Times)},
        {&Client, solve("alice", id, 60001, moves), SolveBadReply(id, SolveFault::Times)},
        // Fields that cannot be read: the id, the moves, the time.
        {&Client, solve("alice", "x", 10000, moves), SolveBadReply("x", SolveFault::Unknown)},
        {&Client, ToCp1251("CUBE_SOLVE;alice;pw;" + id + ";10000;R@\n"),
         SolveBadReply(id, SolveFault::Unsolved)},
        {&Client, solve("alice", id, 10000, moves).replace(";10000;", ";1e4;"),
         SolveBadReply(id, SolveFault::Times)},
        // A penalised solve's inspection must fit the time since the deal too; it ranks 2 s on.
        {&Client, solve("alice", id, 45001, moves, true), SolveBadReply(id, SolveFault::Times)},
        {&Client, solve("alice", id, 45000, moves, true), SolveOkReply(id, 1)},
        {&Client, solve("alice", id, 10000, moves), SolveBadReply(id, SolveFault::Used)},
        // Under 5 s is held; fewer turns than the list's least is taken and listed nowhere.
        {&bob, solve("bob", held, 4999, heldFast), SolveBadReply(held, SolveFault::Held)},
        {&bob, solve("bob", held, 8000, heldMoves), SolveBadReply(held, SolveFault::Used)},
        {&Client, solve("alice", few, 2000 * 5, fewMoves), SolveOkReply(few, 0)},
    };
    for (const auto& [client, message, reply] : cases)
        EXPECT_EQ(client->AskLine(message), ToCp1251(reply)) << message.constData();
    const QDate date = QDateTime::fromMSecsSinceEpoch(now).date();
    const QByteArray seedTop = ToCp1251(
        QORProtocol::TopListReply({{"alice", "00:00:47", "25", date.toString("dd.MM.yyyy")}}));
    EXPECT_EQ(bob.AskLine("CUBE_GETTOP;bob;pwCUBE_GETTOP2;bob;pw\n"),
              seedTop + ToCp1251(TopList2Reply({{"alice", 47000, 25, 25, date}})));

    // A solve may be 64 KiB long with its line feed, and no byte more.
    const QByteArray head = "CUBE_SOLVE;bob;pw;" + held.toLatin1() + ';', tail = ";R@1\n";
    const QByteArray longest =
        head + QByteArray(65536 - head.size() - tail.size() - 4, '0') + "8000" + tail;
    EXPECT_EQ(bob.AskLine(longest), ToCp1251(SolveBadReply(held, SolveFault::Used)));
    bob.Send(longest.chopped(tail.size()) + '0' + tail);
    EXPECT_TRUE(bob.WaitForClose() && bob.Received.isEmpty());

    // The operator bans alice from elsewhere: her rows leave both lists at once, and she is
    // refused on her open connection and on a new one.
    ASSERT_TRUE(QSqlQuery(other.Database()).exec("UPDATE users SET banned = 1 WHERE id = 1"));
    EXPECT_TRUE(GetParam() == std::string("SQLite") ||
                QSqlQuery(other.Database()).exec("NOTIFY quelmora_ranking"));
    QORTestClient carol;
    ASSERT_TRUE(carol.Connect(Port()));
    EXPECT_EQ(carol.AskLine("CUBE_REGISTER;carol;pwCUBE_GETTOP;carol;pwCUBE_GETTOP2;carol;pw\n"),
              Ok + ToCp1251(QORProtocol::TopListReply({})) + empty);
    EXPECT_EQ(Client.Ask("CUBE_GETTOP2;alice;pw\n", Bad.size()), Bad);
    EXPECT_EQ(carol.AskLine("CUBE_LOGIN;alice;pwCUBE_GETTOP2;carol;pw\n"), Bad + empty);
}

// A random-state deal is a legal cube that is not solved and is verified as a numbered one is;
// its solve shows on its own list only, and no numbered solve shows there. A kind no server
// knows is a broken message, as before kinds: a scramble gets no answer, a list a refusal.
TEST_P(Verifier, randomStateDealsAreLegalUnsolvedAndListedApartFromEveryNumberedList) {
    // Above any random state's quarter turns: that list knows no least length.
    Options.MinShuffles = 45;
    qint64 now = 1700000000000;
    QORTestClient bob;
    ASSERT_TRUE(Start() && bob.Connect(Port()));
    Server->Book().Verifier().Clock = [&] { return now; };
    ASSERT_EQ(Client.Ask("CUBE_REGISTER;alice;pw", Ok.size()) + bob.Ask("CUBE_REGISTER;bob;pw", 17),
              Ok + Ok);
    // The deal, and its moves undone one every stepMs, claimed 5 s slower than the last.
    const auto deal = [&](QORTestClient& client, const QString& who, const QByteArray& of,
                          qint64 stepMs) {
        const VerifiedReply dealt = ParseVerifiedReply(
            FromCp1251(client.AskLine(ToCp1251("CUBE_SCRAMBLE;" + who + ";pw;") + of + '\n')));
        QList<TimedMove> undo;
        for (qsizetype i = dealt.Moves.size() - 1; i >= 0; --i)
            undo << TimedMove{dealt.Moves[i].Inverse(), stepMs * (undo.size() + 1)};
        const qint64 ms = stepMs * dealt.Moves.size() + 5000;
        return std::tuple(dealt, ms, ToCp1251(SolveRequest(who, "pw", dealt.Id, ms, undo)));
    };
    const auto [random, randomMs, randomSolve] = deal(Client, "alice", "RANDOM", 300);
    const auto [bobs, bobMs, bobSolve] = deal(bob, "bob", "50", 100);
    const auto [alices, aliceMs, aliceSolve] = deal(Client, "alice", "50", 1000);
    const qsizetype turns = random.Moves.size();
    EXPECT_TRUE(random.What == VerifiedReply::Scramble && random.Kind == RandomKind &&
                random.Shuffles == 0 && turns <= 42);
    QORBigCube cube;
    cube.Reset();
    for (const QORMove& move : random.Moves)
        cube.Turn(move);
    EXPECT_FALSE(cube.IsSolved());
    EXPECT_EQ(CubieCubeAfter(random.Moves).Check(), QORStateFault::None);
    now += 3600000;
    EXPECT_EQ(Client.AskLine(randomSolve), ToCp1251(SolveOkReply(random.Id, 1)));
    EXPECT_EQ(bob.AskLine(bobSolve), ToCp1251(SolveOkReply(bobs.Id, 1)));
    EXPECT_EQ(Client.AskLine(aliceSolve), ToCp1251(SolveOkReply(alices.Id, 2)));
    const QDate date = QDateTime::fromMSecsSinceEpoch(now).date();
    EXPECT_EQ(
        Client.AskLine("CUBE_GETTOP2;alice;pw\n"),
        ToCp1251(TopList2Reply({{"bob", bobMs, 50, 50, date}, {"alice", aliceMs, 50, 50, date}})));
    const QByteArray seedTop = ToCp1251(
        TopListReply({{"bob", ClockText(bobMs / 1000), "50", date.toString("dd.MM.yyyy")},
                      {"alice", ClockText(aliceMs / 1000), "50", date.toString("dd.MM.yyyy")}}));
    EXPECT_EQ(Client.Ask("CUBE_GETTOP;alice;pw", seedTop.size()), seedTop);
    EXPECT_EQ(Client.AskLine("CUBE_SCRAMBLE;alice;pw;RANDOMX\nCUBE_SCRAMBLE;alice;pw;random\n"
                             "CUBE_GETTOP2;alice;pw;random\nCUBE_GETTOP2;alice;pw;RANDOM\n"),
              Bad + ToCp1251(TopList2Reply({{"alice", randomMs, int(turns), int(turns), date}})));
}

using VerifiedOnly = ServerTest;

// A message without its line feed is taken once the connection falls quiet. A server of
// verified solves only stores no other result, and says nothing to it.
TEST_F(VerifiedOnly, resultsAreIgnoredAndANewMessageWithoutItsLineFeedIsTakenWhenQuiet) {
    QORTestClient client;
    ASSERT_TRUE(client.Connect(Launch({"--port", "0", "--verified-only"})));
    EXPECT_EQ(client.AskLine("CUBE_REGISTER;carol;pw" + ResultBytes("carol", 30, 25) +
                             "CUBE_GETTOP2;carol;pw"),
              Ok + ToCp1251(TopList2Reply({})));
    ASSERT_TRUE(Store.Open(Path, 20));
    EXPECT_EQ(Store.ResultCount(), 0);
}
