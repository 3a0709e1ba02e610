// The verified list's cost: checking one solve of a 200-turn scramble without the store
// (reading the message, replaying scramble and solve, checking the times), solves checked
// per second end to end, over loopback TCP on an SQLite file, and the round trip of one
// dealt scramble, numbered, of a random state or the daily try.
#include "model/qorbigcube.h"
#include "net/qorcp1251.h"
#include "net/qorverified.h"
#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"
#include "server/qorservermessage.h"

#include "benchapplication.h"

#include <QDateTime>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The moves that undo a scramble, one every 400 ms.
QList<QORProtocol::TimedMove> Undo(const QList<QORMove>& dealt) {
    QList<QORProtocol::TimedMove> undo;
    for (qsizetype i = dealt.size() - 1; i >= 0; --i)
        undo << QORProtocol::TimedMove{dealt[i].Inverse(), 400 * (undo.size() + 1)};
    return undo;
}

void BM_CheckSolveOf200Moves(benchmark::State& state) {
    QORBigCube cube;
    cube.Reset();
    cube.SeedSource = [] { return uint64_t(24); };
    const QList<QORMove> dealt = cube.Shuffle(200);
    const QByteArray message =
        ToCp1251(QORProtocol::SolveRequest("alice", "pw", QString(32, u'a'), 80000, Undo(dealt)));
    const QString scramble = MovesText(dealt);
    for (auto _ : state) {
        const QORServerMessage solve = QORServerMessage::Parse(message);
        const auto fault = QORVerifier::Replay(scramble, solve, 90000);
        if (fault || solve.Moves.size() != 200)
            state.SkipWithError("the solve was not taken");
    }
}
BENCHMARK(BM_CheckSolveOf200Moves)->Unit(benchmark::kMicrosecond);

// A server on loopback and a fresh SQLite file, with cheap password hashing.
struct BenchServer {
    QTemporaryDir Dir;
    QORScoreStore Store;
    std::unique_ptr<QORScoreServer> Server;
    BenchServer() {
        EnsureApplication();
        Store.Open(Dir.filePath(QStringLiteral("scores.sqlite")), 20);
        QORServerOptions options;
        options.Port = 0;
        options.PasswordCost = {1, 8};
        Server = std::make_unique<QORScoreServer>(Store, options);
        Server->Listen();
    }
};

struct Player {
    QTcpSocket Socket;
    QByteArray Received;
    Player(quint16 port, int index) {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
        Socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        Socket.waitForConnected();
        Socket.write("CUBE_REGISTER;p" + QByteArray::number(index) + ";pwCUBE_GETTOP2;p" +
                     QByteArray::number(index) + ";pw\n");
    }
    // Waits until count line-ended replies have come, and takes them.
    QList<QByteArray> Lines(int count) {
        while (Received.count('\n') < count)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QList<QByteArray> lines = Received.split('\n');
        Received.clear();
        lines.removeLast();
        return lines;
    }
};

// Ten players, each dealt twenty 40-turn scrambles beforehand, send their solves at once.
void BM_SolvesCheckedPerSecondOnSQLite(benchmark::State& state) {
    constexpr int Players = 10, Each = 20;
    const BenchServer bench;
    QORScoreServer& server = *bench.Server;
    qint64 offset = 0;
    server.Book().Verifier().Clock = [&] { return QDateTime::currentMSecsSinceEpoch() + offset; };
    std::vector<std::unique_ptr<Player>> players;
    for (int p = 0; p < Players; ++p)
        players.push_back(std::make_unique<Player>(server.Port(), p));
    for (auto& player : players)
        player->Lines(1);
    for (auto _ : state) {
        state.PauseTiming();
        offset = 0;
        std::vector<QByteArray> solves(Players);
        for (int p = 0; p < Players; ++p) {
            const QByteArray who = "p" + QByteArray::number(p);
            players[p]->Socket.write(("CUBE_SCRAMBLE;" + who + ";pw;40\n").repeated(Each));
        }
        for (int p = 0; p < Players; ++p)
            for (const QByteArray& line : players[p]->Lines(Each)) {
                const auto dealt = QORProtocol::ParseVerifiedReply(FromCp1251(line + '\n'));
                solves[p] += ToCp1251(QORProtocol::SolveRequest(
                    "p" + QString::number(p), "pw", dealt.Id, 20000, Undo(dealt.Moves)));
            }
        offset = 60000;
        state.ResumeTiming();
        for (int p = 0; p < Players; ++p)
            players[p]->Socket.write(solves[p]);
        for (auto& player : players)
            for (const QByteArray& line : player->Lines(Each))
                if (!line.startsWith("ZKSERVER_SOLVE_OK"))
                    state.SkipWithError(line.constData());
    }
    state.SetItemsProcessed(state.iterations() * Players * Each);
}
BENCHMARK(BM_SolvesCheckedPerSecondOnSQLite)->Unit(benchmark::kMillisecond)->UseRealTime();

// One logged-in player asks for a scramble and waits for it: 25 turns with the argument 0, a
// random state with 1, which the server's solver finds and the store keeps on an SQLite file;
// with 2 the day's daily try, drawn once and then dealt again while it is open.
void BM_ScrambleRoundTripOnSQLite(benchmark::State& state) {
    const BenchServer bench;
    QORScoreServer& server = *bench.Server;
    Player player(server.Port(), 0);
    player.Lines(1);
    const char* const requests[] = {"CUBE_SCRAMBLE;p0;pw;25\n", "CUBE_SCRAMBLE;p0;pw;RANDOM\n",
                                    "CUBE_SCRAMBLE;p0;pw;DAILY\n"};
    const QByteArray request = requests[state.range(0)];
    state.SetLabel(state.range(0) == 2   ? "daily try, open"
                   : state.range(0) == 1 ? "random state"
                                         : "25 turns");
    qint64 turns = 0;
    for (auto _ : state) {
        player.Socket.write(request);
        const QByteArray line = player.Lines(1).value(0);
        const auto dealt = QORProtocol::ParseVerifiedReply(FromCp1251(line + '\n'));
        if (dealt.What != QORProtocol::VerifiedReply::Scramble)
            state.SkipWithError(line.constData());
        turns += dealt.Moves.size();
    }
    state.counters["quarter_turns"] =
        double(turns) / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
}
BENCHMARK(BM_ScrambleRoundTripOnSQLite)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

} // namespace
