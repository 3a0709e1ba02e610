// What an attacker gets from a score server started as a process, over loopback: the slots
// idle connections hold, whether a logged-in player survives strangers, guesses per second
// from one address, and the time a login takes, also while one address floods valid logins.
// QUELMORA_SERVER names the server executable to attack (default: the one built here), so the
// same figures can be taken of an older build; bench/server/attack.sh runs both side by side.
#include "server/qorscoreserver.h"

#include "benchapplication.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Runs the event loop until done() holds or the time is up; whether done() held.
bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(10);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

// Lets the event loop take in what has come, such as connections the server has closed.
void Settle(int ms) {
    RunUntil([] { return false; }, ms);
}

const QByteArray Ok = "ZKSERVER_LOGIN_OK";
// Without it a message ends only after 100 ms of quiet; a following keyword ends it at once.
// This result is out of range: it gets no answer once the next message cuts it off in turn.
const QByteArray Cut = "CUBE_TIMERESULT;-;-;0;1001";

struct ServerProcess {
    QTemporaryDir Dir;
    QProcess Process;
    quint16 Port = 0;

    // Only options every version of the server knows.
    ServerProcess() {
        EnsureApplication();
        const QByteArray path = qgetenv("QUELMORA_SERVER");
        Process.start(path.isEmpty() ? QStringLiteral(QUELMORA_SERVER_PATH) : QString(path),
                      {"--port", "0", "--db", Dir.filePath(QStringLiteral("scores.sqlite"))});
        Process.waitForReadyRead();
        const QByteArray line = Process.readLine().trimmed();
        Port = line.mid(line.lastIndexOf(':') + 1).toUShort();
    }
    ~ServerProcess() {
        Process.terminate();
        Process.waitForFinished();
    }
};

struct Client {
    QTcpSocket Socket;
    QByteArray Received;

    Client() {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
    }
    // Connects from 127.0.0.from.
    bool Connect(quint16 port, int from) {
        Socket.bind(QHostAddress(quint32(0x7F000000 + from)), 0);
        Socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        return RunUntil([this] { return Socket.state() != QAbstractSocket::ConnectingState; },
                        5000) &&
               IsOpen();
    }
    bool IsOpen() const { return Socket.state() == QAbstractSocket::ConnectedState; }
    // The reply to one message, empty when none comes within the time.
    QByteArray Ask(const QByteArray& message, int timeoutMs = 60000) {
        Received.clear();
        Socket.write(message + Cut);
        // Every reply here is one of the two login answers, both end with a letter after "_".
        RunUntil([this] { return Received.endsWith("_OK") || Received.endsWith("_BAD"); },
                 timeoutMs);
        return Received;
    }
};

bool Register(quint16 port, const QByteArray& name) {
    Client client;
    return client.Connect(port, 250) && client.Ask("CUBE_REGISTER;" + name + ";pw") == Ok;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A thousand idle connections, sixteen from each address: how many the server holds, whether
// and how fast a normal client is served meanwhile, and how many it still holds after 31 s.
void AttackIdleConnections(benchmark::State& state) {
    for (auto _ : state) {
        ServerProcess server;
        Register(server.Port, "normal");
        std::vector<std::unique_ptr<Client>> idle;
        for (int c = 0; c < 1000; ++c) {
            idle.push_back(std::make_unique<Client>());
            idle.back()->Connect(server.Port, 2 + c / 16);
        }
        Settle(500);
        const auto held = [&] {
            return double(
                std::count_if(idle.begin(), idle.end(), [](const auto& c) { return c->IsOpen(); }));
        };
        state.counters["idle_held"] = held();
        Client normal;
        QElapsedTimer timer;
        timer.start();
        const bool served =
            normal.Connect(server.Port, 200) && normal.Ask("CUBE_LOGIN;normal;pw", 5000) == Ok;
        state.counters["served"] = served;
        state.counters["serve_ms"] = served ? double(timer.nsecsElapsed()) / 1e6 : -1;
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        Settle(31000);
        state.counters["idle_held_after_31s"] = held();
    }
}

// Wrong passwords for a known name from one address, each connection sending the next guess
// once the last one has been answered, for 20 s.
void AttackGuessesFromOneAddress(benchmark::State& state) {
    const int connections = int(state.range(0));
    for (auto _ : state) {
        ServerProcess server;
        Register(server.Port, "victim");
        std::vector<std::unique_ptr<Client>> guessers;
        int answered = 0;
        for (int c = 0; c < connections; ++c) {
            guessers.push_back(std::make_unique<Client>());
            Client& guesser = *guessers.back();
            guesser.Connect(server.Port, 9);
            QObject::connect(&guesser.Socket, &QTcpSocket::readyRead, [&guesser, &answered] {
                if (!guesser.Received.endsWith("_BAD"))
                    return;
                guesser.Received.clear();
                guesser.Socket.write("CUBE_LOGIN;victim;guess" + QByteArray::number(++answered) +
                                     Cut);
            });
            guesser.Socket.write("CUBE_LOGIN;victim;first guess" + Cut);
        }
        QElapsedTimer timer;
        timer.start();
        Settle(20000);
        state.counters["guesses_per_s"] = answered / (double(timer.nsecsElapsed()) / 1e9);
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

// The time from a login's message to its answer on a new connection, median of 20, each from
// an address of its own so that no address fails more than once. With state.range(1), fifteen
// connections from one other address guess at the same time.
void AttackLoginTime(benchmark::State& state) {
    const bool known = state.range(0) != 0;
    const bool underAttack = state.range(1) != 0;
    for (auto _ : state) {
        ServerProcess server;
        Register(server.Port, "known");
        std::vector<std::unique_ptr<Client>> guessers;
        for (int c = 0; underAttack && c < 15; ++c) {
            guessers.push_back(std::make_unique<Client>());
            Client& guesser = *guessers.back();
            guesser.Connect(server.Port, 9);
            QObject::connect(&guesser.Socket, &QTcpSocket::readyRead, [&guesser] {
                if (guesser.Received.endsWith("_BAD")) {
                    guesser.Received.clear();
                    guesser.Socket.write("CUBE_LOGIN;known;guess" + Cut);
                }
            });
            guesser.Socket.write("CUBE_LOGIN;known;guess" + Cut);
        }
        std::vector<double> times;
        for (int i = 0; i < 20; ++i) {
            Client client;
            client.Connect(server.Port, 20 + i);
            QElapsedTimer timer;
            timer.start();
            client.Ask(known ? "CUBE_LOGIN;known;pw"
                             : "CUBE_LOGIN;nobody" + QByteArray::number(i) + ";pw");
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        state.counters["median_ms"] = Median(times);
        state.SetIterationTime(Median(times) / 1000);
    }
}

// A player's login time, median of 20 from addresses of their own, while fifty connections
// from one address log in to their own two accounts in turn, each login a new check.
void AttackLoginTimeUnderValidFlood(benchmark::State& state) {
    for (auto _ : state) {
        ServerProcess server;
        for (const QByteArray name : {"known", "flood1", "flood2"})
            Register(server.Port, name);
        std::vector<std::unique_ptr<Client>> flood;
        for (int c = 0; c < 50; ++c) {
            flood.push_back(std::make_unique<Client>());
            Client& attacker = *flood.back();
            attacker.Connect(server.Port, 9);
            QObject::connect(&attacker.Socket, &QTcpSocket::readyRead, [&attacker, c] {
                if (!attacker.Received.endsWith("_OK"))
                    return;
                attacker.Received.clear();
                attacker.Socket.write("CUBE_LOGIN;flood" + QByteArray::number(1 + c % 2) + ";pw" +
                                      Cut);
            });
            attacker.Socket.write("CUBE_LOGIN;flood" + QByteArray::number(2 - c % 2) + ";pw" + Cut);
        }
        Settle(1000);
        std::vector<double> times;
        for (int i = 0; i < 20; ++i) {
            Client client;
            client.Connect(server.Port, 20 + i);
            QElapsedTimer timer;
            timer.start();
            client.Ask("CUBE_LOGIN;known;pw", 30000);
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        state.counters["median_ms"] = Median(times);
        state.counters["worst_ms"] = *std::max_element(times.begin(), times.end());
        state.SetIterationTime(Median(times) / 1000);
    }
}

// A logged-in player who then idles, and a thousand connections from other addresses that
// never log in: whether the player's connection is still open and served afterwards.
void AttackStrangersAroundAPlayer(benchmark::State& state) {
    for (auto _ : state) {
        ServerProcess server;
        Register(server.Port, "normal");
        Client player;
        player.Connect(server.Port, 200);
        player.Ask("CUBE_LOGIN;normal;pw", 5000);
        QElapsedTimer timer;
        timer.start();
        std::vector<std::unique_ptr<Client>> strangers;
        for (int c = 0; c < 1000 + 16; ++c) {
            strangers.push_back(std::make_unique<Client>());
            strangers.back()->Connect(server.Port, 2 + c / 16);
        }
        Settle(500);
        state.counters["player_kept"] =
            player.IsOpen() && player.Ask("CUBE_LOGIN;normal;pw", 5000) == Ok;
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

} // namespace

BENCHMARK(AttackLoginTimeUnderValidFlood)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(AttackStrangersAroundAPlayer)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(AttackIdleConnections)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(AttackGuessesFromOneAddress)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(AttackLoginTime)
    ->ArgNames({"known", "guessing"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
