#pragma once
// What one connection's messages do to the store, without the socket: the answer to each
// message and the credentials last verified on the connection.

#include "server/qorservermessage.h"

#include <QByteArray>
#include <QString>

class QORScoreStore;

class QORScoreSession {
public:
    QORScoreSession(QORScoreStore& store, int rows);

    struct Answer {
        // The bytes to send back; empty when the message gets no reply.
        QByteArray Reply;
        // The store refused a change: nothing more may be acknowledged on the connection.
        bool StoreFailed = false;
    };
    Answer Handle(const QORServerMessage& message);

    // How many password derivations this session has needed.
    int Derivations() const { return DerivationCount; }

private:
    // The player's id when the credentials are right; derives only when they differ from the
    // ones last verified.
    qint64 Authenticate(const QString& name, const QString& password);
    // Whether these are the credentials last verified on this connection.
    bool IsVerified(const QString& name, const QString& password) const;
    void Remember(const QString& name, const QString& password, qint64 player);

    QORScoreStore& Store;
    int Rows;
    // The last verified credentials live in memory only, for the connection's lifetime.
    QString VerifiedName;
    QString VerifiedPassword;
    qint64 VerifiedPlayer = 0;
    int DerivationCount = 0;
};
