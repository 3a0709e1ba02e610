#pragma once
// One client's connection: frames its bytes into messages and answers them strictly in the
// order they came.

#include "server/qormessageframer.h"
#include "server/qorscoresession.h"
#include "server/qorserveroptions.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

class QTcpSocket;

class QORServerConnection : public QObject {
    Q_OBJECT
public:
    // Takes the socket over.
    QORServerConnection(QTcpSocket* socket, QORScoreStore& store, const QORServerOptions& options,
                        QObject* parent = nullptr);
    ~QORServerConnection() override;

    QHostAddress Peer() const { return PeerAddress; }

signals:
    // Emitted once, when the connection has ended for any reason.
    void Finished(QORServerConnection* connection);

private:
    void Receive();
    void FallQuiet();
    void PeerClosed();
    // Answers one message; false once the connection has been shut.
    bool Deliver(const QByteArray& message);
    void Shut();
    void Finish();

    QTcpSocket* Socket;
    QHostAddress PeerAddress;
    QORMessageFramer Framer;
    QORScoreSession Session;
    QTimer QuietTimer;
    bool Done = false;
};
