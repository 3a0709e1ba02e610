// Score-server speed over loopback, on each store: message throughput over fifty connections,
// and the top-list round trip with 100 000 stored results. The argument picks the store:
// 0 an SQLite file, 1 PostgreSQL, 2 PostgreSQL shared by two server processes. PostgreSQL is
// a cluster of the benchmark's own with its default settings; the server's sessions flush
// commits in groups, as it does in use.
#include "net/qorclocktext.h"
#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "postgrescluster.h"
#include "server/qorpasswordhash.h"
#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"

#include "benchapplication.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

enum StoreKind { SQLite, PostgreSQL, TwoProcesses };
const char* const StoreNames[] = {"SQLite", "PostgreSQL", "PostgreSQL, two servers"};

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

    Client(quint16 port, const QHostAddress& from) {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
        Socket.bind(from, 0);
        Socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        RunUntil([this] { return Socket.state() == QAbstractSocket::ConnectedState; });
    }
};

// The servers of one store, and the store as this process reads it.
struct Servers {
    QTemporaryDir Dir;
    QString Location;
    QORScoreStore Store;
    std::unique_ptr<QORScoreServer> InProcess;
    std::vector<std::unique_ptr<QProcess>> Processes;
    std::vector<quint16> Ports;

    // False when the store cannot be had; the benchmark then says so and skips.
    bool Start(StoreKind kind) {
        EnsureApplication();
        Location = kind == SQLite ? Dir.filePath(QStringLiteral("scores.sqlite"))
                                  : QORPostgresCluster::Shared({}).NewDatabase();
        if (Location.isEmpty() || !Store.Open(Location, 20))
            return false;
        if (kind != TwoProcesses) {
            QORServerOptions options;
            options.Port = 0;
            // Password cost is not what is measured here.
            options.PasswordCost = {1, 8};
            InProcess = std::make_unique<QORScoreServer>(Store, options);
            Ports = {InProcess->Listen() ? InProcess->Port() : quint16(0)};
            return Ports[0] != 0;
        }
        for (int p = 0; p < 2; ++p) {
            Processes.push_back(std::make_unique<QProcess>());
            QProcess& process = *Processes.back();
            process.start(
                QStringLiteral(QUELMORA_SERVER_PATH),
                {"--db", Location, "--port", "0", "--argon2-ops", "1", "--argon2-memory", "8"});
            process.waitForReadyRead();
            const QByteArray line = process.readLine().trimmed();
            Ports.push_back(line.mid(line.lastIndexOf(':') + 1).toUShort());
        }
        return Ports[0] && Ports[1];
    }
    ~Servers() {
        for (auto& process : Processes) {
            process->terminate();
            process->waitForFinished();
        }
    }
};

bool StartOrSkip(benchmark::State& state, Servers& servers) {
    state.SetLabel(StoreNames[state.range(0)]);
    if (servers.Start(StoreKind(state.range(0))))
        return true;
    static std::string why;
    why = "no store: " + QORPostgresCluster::Shared({}).Why().toStdString();
    state.SkipWithError(why.c_str());
    return false;
}

QByteArray Bytes(const QString& text) {
    return ToCp1251(text);
}

// The top-list reply the server will send, so that a client knows when it has all of it.
QByteArray ExpectedTop(QORScoreStore& store) {
    QList<QStringList> rows;
    for (const QORTopRow& row : store.Top(QORServerOptions().Rows))
        rows << QStringList{row.Name, ClockText(row.Seconds), QString::number(row.Shuffles),
                            row.Date.toString(QORProtocol::ListDateForm)};
    return Bytes(QORProtocol::TopListReply(rows));
}

// Fifty connections, each sending its results and a closing top-list request; with two
// servers, half the connections go to each.
void MessagesOverFiftyConnections(benchmark::State& state) {
    constexpr int Connections = 50;
    constexpr int ResultsPerConnection = 200;
    Servers servers;
    if (!StartOrSkip(state, servers))
        return;
    std::vector<std::unique_ptr<Client>> clients;
    for (int c = 0; c < Connections; ++c) {
        const QHostAddress from(QStringLiteral("127.0.0.%1").arg(2 + c / 16));
        clients.push_back(std::make_unique<Client>(servers.Ports[c % servers.Ports.size()], from));
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
    RunUntil([&] { return servers.Store.ResultCount() == Connections; });
    const qsizetype replySize = ExpectedTop(servers.Store).size();
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

// 5 000 players and 100 000 results, written in one transaction, then ranked by opening.
bool Fill(Servers& servers) {
    constexpr int Players = 5000;
    constexpr int Results = 100000;
    {
        QSqlDatabase db = servers.Store.Database();
        QSqlQuery user(db), result(db);
        if (!db.transaction() ||
            !user.prepare("INSERT INTO users (id, name, name_key, password) VALUES (?, ?, ?, ?)") ||
            !result.prepare(
                "INSERT INTO results (user_id, seconds, shuffles, date) VALUES (?, ?, ?, ?)"))
            return false;
        const QByteArray hash = HashPassword(QStringLiteral("pw"), {1, 8});
        for (int p = 1; p <= Players; ++p) {
            const QString name = QStringLiteral("player %1").arg(p);
            user.addBindValue(p);
            user.addBindValue(name);
            user.addBindValue(name);
            user.addBindValue(hash);
            if (!user.exec())
                return false;
        }
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        for (int r = 0; r < Results; ++r) {
            result.addBindValue(1 + r % Players);
            result.addBindValue(60 + (r * 7919) % 20000);
            result.addBindValue(20 + r % 30);
            result.addBindValue(today);
            if (!result.exec())
                return false;
        }
        if (!db.commit())
            return false;
    }
    // Opening again ranks the results; every handle on the old connection must be gone.
    return servers.Store.Open(servers.Location, 20);
}

// The top-list round trip with 100 000 results of 5 000 players stored; with two servers,
// from the one that did not rank them.
void TopListRoundTripWithLargeStore(benchmark::State& state) {
    Servers servers;
    if (!StartOrSkip(state, servers))
        return;
    if (!Fill(servers)) {
        state.SkipWithError("could not fill the store");
        return;
    }
    Client client(servers.Ports.back(), QHostAddress());
    const QByteArray request =
        Bytes(QORProtocol::Credentials(QORProtocol::GetTop, "player 1", "pw")) + Cut;
    const qsizetype replySize = ExpectedTop(servers.Store).size();

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
    // The first reply is read from the store; later ones come from the server's copy.
    state.counters["first_ms"] = times.front() * 1000.0;
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2] * 1000.0;
    state.counters["reply_bytes"] = double(replySize);
}

} // namespace

BENCHMARK(MessagesOverFiftyConnections)
    ->DenseRange(SQLite, TwoProcesses)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(TopListRoundTripWithLargeStore)
    ->DenseRange(SQLite, TwoProcesses)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK_MAIN();
