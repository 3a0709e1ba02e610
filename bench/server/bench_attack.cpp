// What an attacker gets from a score server started as a process, over loopback: the slots
// idle connections hold, whether a logged-in player survives strangers, guesses per second
// from one address, the time a login takes, also while one address floods valid logins, and
// the answered results a PostgreSQL restart or outage costs.
// QUELMORA_SERVER names the server executable to attack (default: the one built here), so the
// same figures can be taken of an older build; bench/server/attack.sh runs both side by side.
#include "server/qorscoreserver.h"

#include "benchapplication.h"
#include "postgrescluster.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

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

    // Only options every version of the server knows; an SQLite file of its own by default.
    explicit ServerProcess(const QString& store = QString()) {
        EnsureApplication();
        const QByteArray path = qgetenv("QUELMORA_SERVER");
        Process.start(path.isEmpty() ? QStringLiteral(QUELMORA_SERVER_PATH) : QString(path),
                      {"--port", "0", "--db",
                       store.isEmpty() ? Dir.filePath(QStringLiteral("scores.sqlite")) : store});
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

// Login times in milliseconds on twenty new connections, each from an address of its own so
// that no address fails more than once; message(i) is the i-th login.
std::vector<double> TimedLogins(quint16 port, const std::function<QByteArray(int)>& message) {
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        Client client;
        client.Connect(port, 20 + i);
        QElapsedTimer timer;
        timer.start();
        client.Ask(message(i));
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return times;
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
        const std::vector<double> times = TimedLogins(server.Port, [known](int i) {
            return known ? QByteArray("CUBE_LOGIN;known;pw")
                         : "CUBE_LOGIN;nobody" + QByteArray::number(i) + ";pw";
        });
        state.counters["median_ms"] = Median(times);
        state.SetIterationTime(Median(times) / 1000);
    }
}

// Results answered around a PostgreSQL restart or outage and how many reach the table. With
// state.range(0) 0, as a lone player: 10 results, a restart, 30 more on the same connection,
// then the rows after 30 s and after a SIGKILL. With 1, 20 clients send results for 1 s, then
// the database refuses every connection for 4 s and drops those it had; the rows 8 s after it
// is back against the results answered by then.
void AttackDatabaseRestart(benchmark::State& state) {
    const bool load = state.range(0) != 0;
    for (auto _ : state) {
        QORPostgresCluster& cluster = QORPostgresCluster::Shared({});
        const QString location = cluster.NewDatabase();
        const QString database = QUrl(location).path().mid(1);
        if (location.isEmpty()) {
            state.SkipWithError("no PostgreSQL");
            return;
        }
        ServerProcess server(location);
        const auto rows = [&] {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), "count");
            const QUrl url(location);
            db.setHostName(url.host());
            db.setPort(url.port());
            db.setUserName(url.userName());
            db.setPassword(url.password());
            db.setDatabaseName(database);
            QSqlQuery count(db);
            const double n = db.open() && count.exec("SELECT COUNT(*) FROM results") && count.next()
                                 ? count.value(0).toDouble()
                                 : -1;
            count = QSqlQuery();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase("count");
            return n;
        };
        const int clients = load ? 20 : 1;
        std::vector<std::unique_ptr<Client>> players;
        int answered = 0;
        bool sending = true;
        for (int c = 0; c < clients; ++c) {
            const QByteArray name = "player" + QByteArray::number(c);
            Register(server.Port, name);
            players.push_back(std::make_unique<Client>());
            Client& player = *players.back();
            player.Connect(server.Port, 10 + c);
            // Each answer to the login after a result acknowledges that result.
            const QByteArray result = "CUBE_TIMERESULT;" + name + ";pw;100;25CUBE_LOGIN;" + name + ";pw";
            QObject::connect(&player.Socket, &QTcpSocket::readyRead, [&, result, p = &player] {
                for (; p->Received.startsWith(Ok); p->Received.remove(0, Ok.size())) {
                    ++answered;
                    if (load && sending)
                        p->Socket.write(result);
                }
            });
            if (load)
                player.Socket.write(result);
        }
        const auto send = [&](int count) {
            const int until = answered + count;
            for (int i = 0; i < count; ++i)
                players[0]->Socket.write("CUBE_TIMERESULT;player0;pw;100;25CUBE_LOGIN;player0;pw");
            RunUntil([&] { return answered >= until; }, 10000);
        };
        QElapsedTimer timer;
        timer.start();
        if (!load) {
            send(10);
            cluster.Restart();
            send(30);
            Settle(30000);
            state.counters["answered"] = answered;
            state.counters["rows_after_30s"] = rows();
            server.Process.kill();
            server.Process.waitForFinished();
            state.counters["rows_after_kill"] = rows();
        } else {
            Settle(1000);
            cluster.Psql({"ALTER DATABASE " + database + " ALLOW_CONNECTIONS false",
                          "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                          "datname = '" + database + "'"});
            Settle(4000);
            cluster.Psql({"ALTER DATABASE " + database + " ALLOW_CONNECTIONS true"});
            sending = false;
            Settle(8000);
            state.counters["answered"] = answered;
            state.counters["rows_after_8s"] = rows();
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
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
            // Each login names the other account, since a connection that logs in again as
            // the player it already is costs the server no check.
            auto next = std::make_shared<int>(c);
            QObject::connect(&attacker.Socket, &QTcpSocket::readyRead, [&attacker, next] {
                // The cut's own refusal may come in the same read as the login's answer.
                if (!attacker.Received.contains("_OK"))
                    return;
                attacker.Received.clear();
                attacker.Socket.write("CUBE_LOGIN;flood" + QByteArray::number(1 + ++*next % 2) +
                                      ";pw" + Cut);
            });
            attacker.Socket.write("CUBE_LOGIN;flood" + QByteArray::number(1 + c % 2) + ";pw" + Cut);
        }
        Settle(1000);
        const std::vector<double> times =
            TimedLogins(server.Port, [](int) { return QByteArray("CUBE_LOGIN;known;pw"); });
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
BENCHMARK(AttackDatabaseRestart)
    ->ArgName("load")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
