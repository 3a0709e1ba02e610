#pragma once
// A score server played by the test on 127.0.0.1: it keeps what each connection sent and
// writes the replies the test gives it.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// The settings that point the game at a server on this port with the given credentials.
inline QByteArray ScoreServerSettings(quint16 port, const QByteArray& user,
                                      const QByteArray& password) {
    return "[QuelmoraSettings]\r\nHostName=127.0.0.1\r\nHostPort=" + QByteArray::number(port) +
           "\r\nUserName=" + user + "\r\nPassword=" + password + "\r\n";
}

struct FakeScoreServer {
    QTcpServer server;
    QList<QPointer<QTcpSocket>> connections;
    QList<QByteArray> received;

    FakeScoreServer() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                const int index = int(connections.size());
                connections << s;
                received << QByteArray();
                QObject::connect(s, &QTcpSocket::readyRead,
                                 [this, s, index] { received[index] += s->readAll(); });
            }
        });
    }
    quint16 Port() const { return server.serverPort(); }
    // Waits until connection index has received exactly bytes.
    bool WaitFor(int index, const QByteArray& bytes) {
        return QTest::qWaitFor([&] { return index < received.size() && received[index] == bytes; });
    }
    void Reply(int index, const QByteArray& bytes) {
        connections[index]->write(bytes);
        connections[index]->flush();
    }
};
