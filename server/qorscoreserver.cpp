#include "server/qorscoreserver.h"

#include "server/qorserverconnection.h"

#include <QTcpSocket>

QORScoreServer::QORScoreServer(QORScoreStore& store, const QORServerOptions& options,
                               QObject* parent)
    : QObject(parent), Store(store), Options(options) {
    connect(&Listener, &QTcpServer::newConnection, this, &QORScoreServer::Accept);
}

bool QORScoreServer::Listen() {
    return Listener.listen(Options.Address, Options.Port);
}

void QORScoreServer::Accept() {
    while (QTcpSocket* socket = Listener.nextPendingConnection()) {
        const QHostAddress peer = socket->peerAddress();
        int& fromPeer = PerAddress[peer];
        if (OpenCount >= Options.MaxConnections || fromPeer >= Options.MaxPerAddress) {
            if (fromPeer == 0)
                PerAddress.remove(peer);
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++fromPeer;
        ++OpenCount;
        auto* connection = new QORServerConnection(socket, Store, Options, this);
        connect(connection, &QORServerConnection::Finished, this, &QORScoreServer::Release);
        emit ConnectionOpened();
    }
}

void QORScoreServer::Release(QORServerConnection* connection) {
    const auto peer = PerAddress.find(connection->Peer());
    if (peer != PerAddress.end() && --peer.value() <= 0)
        PerAddress.erase(peer);
    --OpenCount;
    connection->deleteLater();
    emit ConnectionEnded();
}
