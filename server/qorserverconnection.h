#pragma once
// One client's connection: frames its bytes into messages and answers them strictly in the
// order they came, one at a time. It must log in within the options' time or it is closed.

#include "server/qormessageframer.h"
#include "server/qorscoresession.h"
#include "server/qorserveroptions.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>

class QTcpSocket;

class QORServerConnection : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    // Takes the socket over.
    QORServerConnection(QTcpSocket* socket, QORScoreBook& book, QORLoginGuard& guard,
                        const QORServerOptions& options, QObject* parent = nullptr);
    ~QORServerConnection() override;

    QHostAddress Peer() const { return PeerAddress; }
    // When the connection opened or last sent a well-formed message: of the logged-in ones,
    // the server closes the one idle longest when it must make room.
    Clock::time_point LastActive() const { return Active; }
    bool LoggedIn() const { return Session.LoggedIn(); }
    // Ends the connection at once.
    void Close();

signals:
    // Emitted once, when the connection has ended for any reason.
    void Finished(QORServerConnection* connection);

private:
    // Answers queued messages and reads more bytes while no answer is awaited.
    void Pump();
    void Answer(const QByteArray& message);
    void Answered(const QByteArray& reply);
    void FallQuiet();
    void PeerClosed();
    void LoginTimedOut();
    void Finish();

    QTcpSocket* Socket;
    QHostAddress PeerAddress;
    QORMessageFramer Framer;
    QORScoreSession Session;
    // Framed and not yet answered; bytes are read only once these are done, so the queue holds
    // at most one read's messages.
    QList<QByteArray> Messages;
    QTimer QuietTimer;
    QTimer LoginTimer;
    Clock::time_point Active;
    bool Answering = false;
    bool Pumping = false;
    bool PeerGone = false;
    bool LoginExpired = false;
    bool Done = false;
};
