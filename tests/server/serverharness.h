#pragma once
// Helpers of the server tests: an event loop, a server on a free loopback port over a
// temporary SQLite file, and a client that collects every byte the server sends.

#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"
#include "server/qorserveroptions.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QStringList>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// The tests share one QCoreApplication, made on first use.
void EnsureCoreApplication();
// Runs the event loop until done() holds or the time-out passes; whether done() held.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 20000);

// Messages and replies as the wire carries them.
QByteArray LoginBytes(const QString& name, const QString& password);
QByteArray RegisterBytes(const QString& name, const QString& password);
QByteArray GetTopBytes(const QString& name, const QString& password);
QByteArray ResultBytes(const QString& name, const QString& password, int seconds, int shuffles);
QByteArray OkBytes();
QByteArray BadBytes();
QByteArray TopListBytes(const QList<QStringList>& rows);
// A top-list row as the server writes it, dated today.
QStringList TopRow(const QString& name, int seconds, int shuffles);

class QORTestServer {
public:
    // Listens on 127.0.0.1 and a free port whatever the options say.
    explicit QORTestServer(QORServerOptions options = QORServerOptions());
    ~QORTestServer();
    bool Start();
    quint16 Port() const { return Server ? Server->Port() : 0; }
    QString DatabasePath() const { return Dir.filePath(QStringLiteral("scores.sqlite")); }
    QORScoreStore& Store() { return ScoreStore; }
    QORScoreServer& Server_() { return *Server; }
    QORServerOptions Options;

private:
    QTemporaryDir Dir;
    QORScoreStore ScoreStore;
    std::unique_ptr<QORScoreServer> Server;
};

class QORTestClient {
public:
    QORTestClient();
    // Connects from the given loopback address (any when null) and waits for the handshake.
    bool Connect(quint16 port, const QHostAddress& from = QHostAddress());
    // Writes the bytes and hands them to the system at once, as one send where possible.
    void Send(const QByteArray& bytes);
    // Sends the message and returns the first replySize bytes received afterwards, fewer
    // when they do not come in time.
    QByteArray Ask(const QByteArray& message, qsizetype replySize);
    bool WaitForBytes(qsizetype size);
    // Waits until the server has closed the connection.
    bool WaitForClose();
    bool IsConnected() const { return Socket->state() == QAbstractSocket::ConnectedState; }
    // Everything received and not taken yet.
    QByteArray Take();
    const QByteArray& Received() const { return Buffer; }
    QTcpSocket& Socket_() { return *Socket; }

private:
    std::unique_ptr<QTcpSocket> Socket;
    QByteArray Buffer;
};

// Results counted straight from the file, through a connection of its own.
qint64 CountResultsInFile(const QString& path);
