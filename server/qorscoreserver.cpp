#include "server/qorscoreserver.h"

#include "server/qorserverconnection.h"

#include <QTcpSocket>

#include <sys/resource.h>

QORScoreServer::QORScoreServer(QORScoreStore& store, const QORServerOptions& options,
                               QObject* parent)
    : QObject(parent), Options(options), Logins(options.PasswordCost), Scores(store, options.Rows) {
    Scores.VerifiedOnly = options.VerifiedOnly;
    connect(&Listener, &QTcpServer::newConnection, this, &QORScoreServer::Accept);
}

QORScoreServer::~QORScoreServer() {
    // Connections go before the guard and the book their sessions use.
    qDeleteAll(findChildren<QORServerConnection*>(QString(), Qt::FindDirectChildrenOnly));
}

bool QORScoreServer::Listen() {
    return Listener.listen(Options.Address, Options.Port);
}

void QORScoreServer::Accept() {
    while (QTcpSocket* socket = Listener.nextPendingConnection()) {
        const QHostAddress peer = socket->peerAddress();
        if (PerAddress.value(peer) >= Options.MaxPerAddress)
            MakeRoom(&peer);
        else if (Open.size() >= Options.MaxConnections)
            MakeRoom(nullptr);
        if (Open.size() >= Options.MaxConnections ||
            PerAddress.value(peer) >= Options.MaxPerAddress) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++PerAddress[peer];
        auto* connection = new QORServerConnection(socket, Scores, Logins, Options, this);
        Open << connection;
        connect(connection, &QORServerConnection::Finished, this, &QORScoreServer::Release);
        emit ConnectionOpened();
    }
}

void QORScoreServer::MakeRoom(const QHostAddress* from) {
    // Connections that have not logged in go first, the oldest first: Open is in the order
    // they came. A logged-in player alone at an address is never closed for a stranger.
    QORServerConnection* chosen = nullptr;
    for (QORServerConnection* connection : std::as_const(Open)) {
        if (from && connection->Peer() != *from)
            continue;
        if (!connection->LoggedIn()) {
            chosen = connection;
            break;
        }
        if (PerAddress.value(connection->Peer()) > 1 &&
            (!chosen || connection->LastActive() < chosen->LastActive()))
            chosen = connection;
    }
    if (chosen)
        chosen->Close();
}

void QORScoreServer::Release(QORServerConnection* connection) {
    const auto peer = PerAddress.find(connection->Peer());
    if (peer != PerAddress.end() && --peer.value() <= 0)
        PerAddress.erase(peer);
    Open.removeOne(connection);
    connection->deleteLater();
    emit ConnectionEnded();
}

void RaiseDescriptorLimit() {
    struct rlimit limit = {};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}
