// Score-server speed over loopback: message throughput, and the top-list round trip with a
// large store.
#include "net/qorclocktext.h"
#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "server/qorpasswordhash.h"
#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "quelmora_bench_server";
    static char* argv[] = {name, nullptr};
    // One application object for the whole run, whichever benchmark comes first.
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

void RunUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// A message is otherwise ended only by 100 ms of quiet; a following keyword ends it at once.
// The dangling result, out of range, is cut off by the next request and gets no answer.
const QByteArray Cut = "CUBE_TIMERESULT;-;-;0;1001";

struct Client {
    QTcpSocket Socket;
    QByteArray Received;

    explicit Client(quint16 port, const QHostAddress& from) {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
        Socket.bind(from, 0);
        Socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        RunUntil([this] { return Socket.state() == QAbstractSocket::ConnectedState; });
    }
};

struct Server {
    QTemporaryDir Dir;
    QORScoreStore Store;
    std::unique_ptr<QORScoreServer> Listener;

    Server() {
        EnsureApplication();
        Store.Open(Dir.filePath(QStringLiteral("scores.sqlite")), 20);
        QORServerOptions options;
        options.Port = 0;
        // Password cost is not what is measured here.
        options.PasswordCost = {1, 8};
        Listener = std::make_unique<QORScoreServer>(Store, options);
        Listener->Listen();
    }
};

QByteArray Bytes(const QString& text) {
    return ToCp1251(text);
}

// The top-list reply the server will send, so that a client knows when it has all of it.
QByteArray ExpectedTop(QORScoreStore& store) {
    QList<QStringList> rows;
    for (const QORTopRow& row : store.Top(QORServerOptions().Rows))
        rows << QStringList{row.Name, ClockText(row.Seconds), QString::number(row.Shuffles),
                            row.Date.toString(QStringLiteral("dd.MM.yyyy"))};
    return Bytes(QORProtocol::TopListReply(rows));
}

// Fifty connections, each sending its results and a closing top-list request.
void MessagesOverFiftyConnections(benchmark::State& state) {
    constexpr int Connections = 50;
    constexpr int ResultsPerConnection = 200;
    Server server;
    std::vector<std::unique_ptr<Client>> clients;
    for (int c = 0; c < Connections; ++c) {
        const QHostAddress from(QStringLiteral("127.0.0.%1").arg(2 + c / 16));
        clients.push_back(std::make_unique<Client>(server.Listener->Port(), from));
        const QString name = QStringLiteral("bench %1").arg(c);
        clients.back()->Socket.write(
            Bytes(QORProtocol::Credentials(QORProtocol::Register, name, "pw")) + Cut);
    }
    const QByteArray ok = Bytes(QORProtocol::LoginOk);
    RunUntil([&] {
        return std::all_of(clients.begin(), clients.end(),
                           [&](const auto& c) { return c->Received.size() >= ok.size(); });
    });
    // Every player's best is set first, and no later time beats it, so every top list of the
    // run is the same and its size says when a reply is complete.
    for (int c = 0; c < Connections; ++c) {
        const QString name = QStringLiteral("bench %1").arg(c);
        clients[c]->Socket.write(Bytes(QORProtocol::Result(name, "pw", 100, 25)) + Cut);
    }
    RunUntil([&] { return server.Store.ResultCount() == Connections; });
    const qsizetype replySize = ExpectedTop(server.Store).size();
    for (auto _ : state) {
        for (int c = 0; c < Connections; ++c) {
            clients[c]->Received.clear();
            const QString name = QStringLiteral("bench %1").arg(c);
            QByteArray batch;
            for (int r = 0; r < ResultsPerConnection; ++r)
                batch += Bytes(QORProtocol::Result(name, "pw", 100 + r, 25));
            clients[c]->Socket.write(
                batch + Bytes(QORProtocol::Credentials(QORProtocol::GetTop, name, "pw")) + Cut);
        }
        RunUntil([&] {
            return std::all_of(clients.begin(), clients.end(),
                               [&](const auto& c) { return c->Received.size() >= replySize; });
        });
    }
    state.counters["messages/s"] = benchmark::Counter(
        double(Connections) * (ResultsPerConnection + 1) * double(state.iterations()),
        benchmark::Counter::kIsRate);
}

// The top-list round trip with 100 000 results of 5 000 players stored.
void TopListRoundTripWithLargeStore(benchmark::State& state) {
    constexpr int Players = 5000;
    constexpr int Results = 100000;
    static Server server;
    static bool filled = false;
    if (!filled) {
        std::vector<qint64> players;
        const QByteArray hash = HashPassword(QStringLiteral("pw"), {1, 8});
        for (int p = 0; p < Players; ++p)
            players.push_back(*server.Store.AddAccount(QStringLiteral("player %1").arg(p), hash));
        for (int r = 0; r < Results; ++r)
            server.Store.AddResult(players[r % Players], 60 + (r * 7919) % 20000, 20 + r % 30,
                                   QDate::currentDate());
        filled = true;
    }
    Client client(server.Listener->Port(), QHostAddress());
    const QByteArray request =
        Bytes(QORProtocol::Credentials(QORProtocol::GetTop, "player 1", "pw")) + Cut;
    const qsizetype replySize = ExpectedTop(server.Store).size();

    std::vector<double> times;
    for (auto _ : state) {
        client.Received.clear();
        QElapsedTimer timer;
        timer.start();
        client.Socket.write(request);
        client.Socket.flush();
        RunUntil([&] { return client.Received.size() >= replySize; });
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000.0;
    state.counters["reply_bytes"] = double(replySize);
}

} // namespace

BENCHMARK(MessagesOverFiftyConnections)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TopListRoundTripWithLargeStore)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_MAIN();
