#include "server/qorserverconnection.h"

#include <QScopedValueRollback>
#include <QTcpSocket>

namespace {

// Reads are taken in slices, so that a flood is cut off at the framer's limit instead of
// being held whole first.
constexpr qint64 ReadSlice = 8192;
constexpr qint64 SocketBufferLimit = 65536;
// A client that never reads its replies would otherwise make the server hold them forever.
constexpr qint64 UnsentReplyLimit = 1 << 20;

} // namespace

QORServerConnection::QORServerConnection(QTcpSocket* socket, QORScoreBook& book,
                                         QORLoginGuard& guard, const QORServerOptions& options,
                                         QObject* parent)
    : QObject(parent), Socket(socket), PeerAddress(socket->peerAddress()),
      Framer(options.MaxPendingBytes), Session(book, guard, PeerAddress), Active(Clock::now()) {
    Socket->setParent(this);
    Socket->setReadBufferSize(SocketBufferLimit);
    QuietTimer.setSingleShot(true);
    QuietTimer.setInterval(options.QuietMs);
    connect(&QuietTimer, &QTimer::timeout, this, &QORServerConnection::FallQuiet);
    LoginTimer.setSingleShot(true);
    connect(&LoginTimer, &QTimer::timeout, this, &QORServerConnection::LoginTimedOut);
    LoginTimer.start(options.LoginTimeoutMs);
    connect(Socket, &QTcpSocket::readyRead, this, &QORServerConnection::Pump);
    connect(Socket, &QTcpSocket::disconnected, this, &QORServerConnection::PeerClosed);
    connect(&Session, &QORScoreSession::Unavailable, this, &QORServerConnection::Close);
    // Bytes may have come with the connection itself, before the signals were connected.
    if (Socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &QORServerConnection::Pump, Qt::QueuedConnection);
}

QORServerConnection::~QORServerConnection() {
    // The socket goes down with this object and must not call back into it on the way.
    Socket->disconnect(this);
}

void QORServerConnection::Pump() {
    // An answer given at once comes back into Pump; the loop below goes on from there.
    if (Pumping)
        return;
    const QScopedValueRollback<bool> pumping(Pumping, true);
    while (!Done && !Answering) {
        if (!Messages.isEmpty()) {
            Answer(Messages.takeFirst());
            continue;
        }
        if (Framer.Overflowed()) {
            Close();
            break;
        }
        // Read until a read comes back empty: only that one lets the socket watch for bytes
        // again once its full buffer has been taken.
        const QByteArray bytes = Socket->read(ReadSlice);
        if (!bytes.isEmpty()) {
            Messages += Framer.Append(bytes);
            QuietTimer.start();
        } else if (PeerGone) {
            // A client may send its last result and hang up at once; a closed connection is
            // quiet, so its last message still counts.
            const QByteArray last = Framer.TakePending();
            if (last.isEmpty())
                Finish();
            else
                Messages << last;
        } else {
            break;
        }
    }
}

void QORServerConnection::Answer(const QByteArray& bytes) {
    const QORServerMessage message = QORServerMessage::Parse(bytes);
    if (message.What != QORServerMessage::Invalid && message.What != QORServerMessage::Refused)
        Active = Clock::now();
    Answering = true;
    Session.Handle(message, [this](const QByteArray& reply) { Answered(reply); });
}

void QORServerConnection::Answered(const QByteArray& reply) {
    Answering = false;
    if (Done)
        return;
    if (!reply.isEmpty() && Socket->state() == QAbstractSocket::ConnectedState) {
        Socket->write(reply);
        // Only what the system will not take counts, so a burst of requests is no offence.
        if (Socket->bytesToWrite() > UnsentReplyLimit)
            Socket->flush();
        if (Socket->bytesToWrite() > UnsentReplyLimit) {
            Close();
            return;
        }
    }
    if (Session.LoggedIn()) {
        LoginTimer.stop();
    } else if (LoginExpired) {
        Close();
        return;
    }
    Pump();
}

void QORServerConnection::FallQuiet() {
    // Bytes that came meanwhile, unread while an answer was awaited, may continue the message.
    if (Socket->bytesAvailable() == 0) {
        const QByteArray message = Framer.TakePending();
        if (!message.isEmpty())
            Messages << message;
    }
    Pump();
}

void QORServerConnection::PeerClosed() {
    if (Done)
        return;
    PeerGone = true;
    Session.ClientGone();
    Pump();
}

void QORServerConnection::LoginTimedOut() {
    LoginExpired = true;
    // Credentials already on their way are checked first: a throttled login may take longer.
    if (!Answering)
        Close();
}

void QORServerConnection::Close() {
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
    LoginTimer.stop();
    emit Finished(this);
}
