#pragma once
// The score server: accepts connections, making room within its limits by closing a stranger
// before a player, and gives each one a QORServerConnection over the shared book and guard.

#include "server/qorloginguard.h"
#include "server/qorscorebook.h"
#include "server/qorserveroptions.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QORScoreStore;
class QORServerConnection;

class QORScoreServer : public QObject {
    Q_OBJECT
public:
    QORScoreServer(QORScoreStore& store, const QORServerOptions& options,
                   QObject* parent = nullptr);
    ~QORScoreServer() override;

    // Listens on the options' address and port; false, with ErrorString set, when it cannot.
    bool Listen();
    QString ErrorString() const { return Listener.errorString(); }
    QHostAddress Address() const { return Listener.serverAddress(); }
    quint16 Port() const { return Listener.serverPort(); }
    int ConnectionCount() const { return int(Open.size()); }
    QORScoreBook& Book() { return Scores; }
    QORLoginGuard& Guard() { return Logins; }

signals:
    // A connection was accepted and is being served.
    void ConnectionOpened();
    // A served connection has ended.
    void ConnectionEnded();

private:
    void Accept();
    // Closes a connection of this address or, without one, of all: the oldest that has not
    // logged in, else the logged-in one idle longest whose address holds others.
    void MakeRoom(const QHostAddress* from);
    void Release(QORServerConnection* connection);

    QORServerOptions Options;
    QORLoginGuard Logins;
    QORScoreBook Scores;
    QTcpServer Listener;
    QList<QORServerConnection*> Open;
    QHash<QHostAddress, int> PerAddress;
};

// Lifts the soft limit of open descriptors to the hard one: up to a thousand clients need a
// descriptor each, and the usual soft limit of 1024 would leave too few.
void RaiseDescriptorLimit();
