#pragma once
// The read-only web front: the lists as pages and as JSON over HTTP, on the server's event
// loop and store. A reply is kept until the ranking or the day changes, so that a busy page
// costs the store nothing between results.

#include "server/qorwebdata.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QHostAddress>
#include <QHttpServer>
#include <QObject>
#include <QString>

#include <functional>

class QORScoreStore;

// A reply as it is sent: its status, its type and its bytes.
struct QORWebReply {
    int Status = 200;
    QByteArray Type;
    QByteArray Body;
};

class QORWebFront : public QObject {
    Q_OBJECT
public:
    // At most this many replies are kept; more paths than that start the keeping afresh.
    static constexpr int MaxKept = 1024;

    QORWebFront(QORScoreStore& store, int rows, QObject* parent = nullptr);

    // Listens on that address and port, 0 for any free one; false when it cannot.
    bool Listen(const QHostAddress& address, quint16 port);
    quint16 Port() const { return Bound; }
    // The reply to a GET of that path, percent-encoded as it came.
    QORWebReply Answer(const QString& path);
    // The day the pages take as today: the UTC day unless set otherwise.
    std::function<QDate()> Today;

private:
    QORWebReply Build(const QString& path, const QDate& today);

    QORScoreStore& Records;
    QORWebData Data;
    QHttpServer Http;
    quint16 Bound = 0;
    QHash<QString, QORWebReply> Kept;
    quint64 KeptRanking = 0;
    QDate KeptDay;
};
