#pragma once
// The score server: accepts connections within its limits and gives each one a
// QORServerConnection over the shared store.

#include "server/qorserveroptions.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

class QORScoreStore;
class QORServerConnection;

class QORScoreServer : public QObject {
    Q_OBJECT
public:
    QORScoreServer(QORScoreStore& store, const QORServerOptions& options,
                   QObject* parent = nullptr);

    // Listens on the options' address and port; false, with ErrorString set, when it cannot.
    bool Listen();
    QString ErrorString() const { return Listener.errorString(); }
    QHostAddress Address() const { return Listener.serverAddress(); }
    quint16 Port() const { return Listener.serverPort(); }
    int ConnectionCount() const { return OpenCount; }

signals:
    // A connection was accepted and is being served.
    void ConnectionOpened();
    // A served connection has ended.
    void ConnectionEnded();

private:
    void Accept();
    void Release(QORServerConnection* connection);

    QORScoreStore& Store;
    QORServerOptions Options;
    QTcpServer Listener;
    QHash<QHostAddress, int> PerAddress;
    int OpenCount = 0;
};
