#include "server/qorserverconnection.h"

#include <QTcpSocket>

namespace {

// Reads are taken in slices, so that a flood is cut off at the framer's limit instead of
// being held whole first.
constexpr qint64 ReadSlice = 8192;
constexpr qint64 SocketBufferLimit = 65536;
// A client that never reads its replies would otherwise make the server hold them forever.
constexpr qint64 UnsentReplyLimit = 1 << 20;

} // namespace

QORServerConnection::QORServerConnection(QTcpSocket* socket, QORScoreStore& store,
                                         const QORServerOptions& options, QObject* parent)
    : QObject(parent), Socket(socket), PeerAddress(socket->peerAddress()),
      Framer(options.MaxPendingBytes), Session(store, options.Rows) {
    Socket->setParent(this);
    Socket->setReadBufferSize(SocketBufferLimit);
    QuietTimer.setSingleShot(true);
    QuietTimer.setInterval(options.QuietMs);
    connect(&QuietTimer, &QTimer::timeout, this, &QORServerConnection::FallQuiet);
    connect(Socket, &QTcpSocket::readyRead, this, &QORServerConnection::Receive);
    connect(Socket, &QTcpSocket::disconnected, this, &QORServerConnection::PeerClosed);
    // Bytes may have come with the connection itself, before the signals were connected.
    if (Socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &QORServerConnection::Receive, Qt::QueuedConnection);
}

QORServerConnection::~QORServerConnection() {
    // The socket goes down with this object and must not call back into it on the way.
    Socket->disconnect(this);
}

void QORServerConnection::Receive() {
    bool arrived = false;
    while (!Done && Socket->bytesAvailable() > 0) {
        arrived = true;
        const QList<QByteArray> messages = Framer.Append(Socket->read(ReadSlice));
        for (const QByteArray& message : messages) {
            if (!Deliver(message))
                return;
        }
        if (Framer.Overflowed()) {
            Shut();
            return;
        }
    }
    if (arrived && !Done)
        QuietTimer.start();
}

void QORServerConnection::FallQuiet() {
    const QByteArray message = Framer.TakePending();
    if (!message.isEmpty())
        Deliver(message);
}

void QORServerConnection::PeerClosed() {
    if (Done)
        return;
    // A client may send its last result and hang up at once; a closed connection is quiet,
    // so its last message still counts.
    Receive();
    if (!Done)
        FallQuiet();
    Finish();
}

bool QORServerConnection::Deliver(const QByteArray& message) {
    const QORScoreSession::Answer answer = Session.Handle(QORServerMessage::Parse(message));
    if (answer.StoreFailed) {
        Shut();
        return false;
    }
    if (!answer.Reply.isEmpty() && Socket->state() == QAbstractSocket::ConnectedState) {
        Socket->write(answer.Reply);
        // Only what the system will not take counts, so a burst of requests is no offence.
        if (Socket->bytesToWrite() > UnsentReplyLimit)
            Socket->flush();
        if (Socket->bytesToWrite() > UnsentReplyLimit) {
            Shut();
            return false;
        }
    }
    return true;
}

void QORServerConnection::Shut() {
    if (Done)
        return;
    Finish();
    Socket->abort();
}

void QORServerConnection::Finish() {
    if (Done)
        return;
    Done = true;
    QuietTimer.stop();
    emit Finished(this);
}
