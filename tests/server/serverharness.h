#pragma once
// Shared by the server tests: waits in the event loop, a recording client, and a fixture.
#include "postgrescluster.h"
#include "server/qorpasswordhash.h"
#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"
#include "support/outsideconnection.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>

// Runs the event loop until done() holds or the time-out passes; whether done() held.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 30000) {
    const QDeadlineTimer deadline(timeoutMs);
    // The tick wakes the loop now and then to look at the deadline when nothing else comes.
    QTimer tick;
    tick.start(10);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

inline const QByteArray Ok = "ZKSERVER_LOGIN_OK";
inline const QByteArray Bad = "ZKSERVER_LOGIN_BAD";

// A result of a player whose password is "pw".
inline QByteArray ResultBytes(const QByteArray& name, int seconds, int shuffles) {
    return "CUBE_TIMERESULT;" + name + ";pw;" + QByteArray::number(seconds) + ';' +
           QByteArray::number(shuffles);
}

struct QORTestClient {
    QORTestClient() {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
    }
    // Connects from the loopback address 127.0.0.from, any when 0, as a server here accepts.
    bool Connect(quint16 port, int from = 0) {
        if (from && !Socket.bind(QHostAddress(quint32(0x7F000000 + from)), 0))
            return false;
        Socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        return WaitUntil([this] { return Socket.state() != QAbstractSocket::ConnectingState; }) &&
               IsConnected();
    }
    bool IsConnected() const { return Socket.state() == QAbstractSocket::ConnectedState; }
    bool WaitForClose() {
        return WaitUntil([this] { return !IsConnected(); });
    }
    // The bytes go out once the event loop runs.
    void Send(const QByteArray& bytes) { Socket.write(bytes); }
    // Sends the message, waits until replySize bytes have come, and takes all received.
    QByteArray Ask(const QByteArray& message, qsizetype replySize) {
        Send(message);
        WaitUntil([&] { return Received.size() >= replySize; });
        return std::exchange(Received, QByteArray());
    }
    // The same for replies that end with a line feed; waits until one has, or the server hung up.
    QByteArray AskLine(const QByteArray& message) {
        Send(message);
        WaitUntil([&] { return Received.endsWith('\n') || !IsConnected(); });
        return std::exchange(Received, QByteArray());
    }

    QTcpSocket Socket;
    QByteArray Received;
};

// Starts the server program with cheap derivations; the port of its "listening on" line, 0
// when none comes. The process's destructor kills a server still running.
inline quint16 LaunchServer(QProcess& process, const QStringList& arguments) {
    process.start(QStringLiteral(QUELMORA_SERVER_PATH),
                  QStringList{"--argon2-ops", "1", "--argon2-memory", "8"} + arguments);
    process.waitForReadyRead();
    const QByteArray line = process.readLine();
    return line.startsWith("listening on 127.0.0.1:") ? line.mid(23).trimmed().toUShort() : 0;
}

// A store's file in a temporary folder; once started, a server over it and one client.
class ServerTest : public ::testing::Test {
protected:
    // Cheap derivations, and no login deadline in the way, unless a test says otherwise.
    ServerTest() {
        Options.Port = 0;
        Options.PasswordCost = {1, 8};
        Options.LoginTimeoutMs = 600000;
    }
    bool Start() {
        Server = std::make_unique<QORScoreServer>(Store, Options);
        return Store.Open(Path, Options.MinShuffles) && Server->Listen() && Client.Connect(Port());
    }
    // Starts the server program over the store instead; its port, 0 when it did not start.
    quint16 Launch(const QStringList& arguments = {"--port", "0"}) {
        return LaunchServer(Process, QStringList{"--db", Path} + arguments);
    }
    quint16 Port() const { return Server->Port(); }
    int Connections() const { return Server->ConnectionCount(); }
    // The account of that name, made as registering makes it unless there is one; its id.
    qint64 AddPlayer(const QString& name, const QString& password = QStringLiteral("pw")) {
        if (const std::optional<QORAccount> account = Store.Account(name))
            return account->Id;
        return Store.AddAccount(name, HashPassword(password, Options.PasswordCost)).value_or(0);
    }
    QStringList Ranking(int rows) {
        QStringList ranking;
        for (const QORTopRow& row : Store.Top(rows))
            ranking << QStringLiteral("%1 %2 %3").arg(row.Name).arg(row.Seconds).arg(row.Shuffles);
        return ranking;
    }

    QTemporaryDir Dir;
    // The SQLite file, unless a test runs on PostgreSQL.
    QString Path = Dir.filePath(QStringLiteral("scores.sqlite"));
    QORScoreStore Store;
    QORServerOptions Options;
    std::unique_ptr<QORScoreServer> Server;
    QProcess Process;
    QORTestClient Client;
};

// The tests of a fixture derived from this run on both stores: the SQLite file, and a database
// of the tests' own PostgreSQL, skipped only where that is not installed.
class EitherStore : public ServerTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        if (GetParam() != std::string("PostgreSQL"))
            return;
        QORPostgresCluster& cluster = QORPostgresCluster::Shared();
        if (cluster.Missing())
            GTEST_SKIP() << cluster.Why().toStdString();
        Path = cluster.NewDatabase();
        ASSERT_FALSE(Path.isEmpty()) << cluster.Why().toStdString();
    }
};

#define ON_EITHER_STORE(Fixture)                                                                   \
    INSTANTIATE_TEST_SUITE_P(, Fixture, ::testing::Values("SQLite", "PostgreSQL"),                 \
                             [](const auto& info) { return std::string(info.param); })
