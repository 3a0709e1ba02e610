#pragma once
// What one connection's messages do, without the socket: the answer to each message and the
// credentials last accepted on the connection. A check of new credentials waits for its turn
// with the guard and a worker's derivation; its answer comes later, through a callback.

#include "server/qorservermessage.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QORLoginGuard;
class QORScoreBook;
struct QORAccount;
struct QORPasswordCheck;

class QORScoreSession : public QObject {
    Q_OBJECT
public:
    // Gets the bytes to send back; empty when the message gets no reply.
    using Reply = std::function<void(const QByteArray&)>;

    QORScoreSession(QORScoreBook& book, QORLoginGuard& guard, const QHostAddress& peer,
                    QObject* parent = nullptr);

    // Answers the message through reply exactly once, at once or later, but never after the
    // session has gone. The caller hands over one message at a time.
    void Handle(const QORServerMessage& message, const Reply& reply);
    // The client has hung up: no answer reaches it any more, so only what changes the store
    // is still done, and a login or top-list request in line for its check leaves the line.
    void ClientGone();
    // Whether credentials have been accepted on this connection.
    bool LoggedIn() const { return Player != 0; }

signals:
    // The store could not answer: the connection is to close without a verdict, since a
    // refusal would tell a player with a good password that it is wrong.
    void Unavailable();

private:
    // Answers nothing and asks for the connection to close.
    void Unanswerable(const Reply& reply);
    // Sends what the store gave, or closes when it gave nothing: it could not answer.
    void Answer(const QByteArray& bytes, const Reply& reply);
    void Check(const QORServerMessage& message, const Reply& reply);
    void Checked(const QORServerMessage& message, const QORAccount& account,
                 const QORPasswordCheck& check, const Reply& reply);
    void Created(const QORServerMessage& message, const QByteArray& password, const Reply& reply);
    // Does what the message asks once its credentials are accepted.
    void Serve(const QORServerMessage& message, const Reply& reply);
    void ServeSolve(const QORServerMessage& message, const Reply& reply);
    // Whether a message of this kind is still handled once the client has hung up.
    bool WorthDoingUnheard(QORServerMessage::Kind what) const;
    // Whether these are the credentials last accepted on this connection.
    bool IsVerified(const QORServerMessage& message) const;

    QORScoreBook& Book;
    QORLoginGuard& Guard;
    const QHostAddress Peer;
    bool Gone = false;
    // The check in line for the message in hand, and its reply.
    std::unique_ptr<QObject> Waiting;
    Reply WaitingReply;
    QORServerMessage::Kind WaitingFor = QORServerMessage::Invalid;
    // The last accepted credentials live in memory only, for the connection's lifetime.
    QString VerifiedName;
    QString VerifiedPassword;
    qint64 Player = 0;
    // The account's name as stored, for a result that could never be written.
    QString PlayerName;
};
