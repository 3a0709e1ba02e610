#pragma once
// Cuts one connection's byte stream into messages. Messages carry no terminator: one ends
// where the next keyword starts, or when the connection falls quiet (the caller's timer).

#include <QByteArray>
#include <QList>

class QORMessageFramer {
public:
    // The pending bytes allowed without a complete message.
    static constexpr qsizetype DefaultMaxPending = 4096;

    explicit QORMessageFramer(qsizetype maxPending = DefaultMaxPending);

    // Adds received bytes and returns, in order, the messages a following keyword completed.
    QList<QByteArray> Append(const QByteArray& bytes);
    // The pending bytes as one message, once the connection has been quiet; empty when none.
    QByteArray TakePending();
    qsizetype PendingSize() const { return Pending.size(); }
    // More bytes are pending than a message may have: the connection should be closed.
    bool Overflowed() const { return Pending.size() > MaxPending; }

private:
    QByteArray Pending;
    // Keyword starts before this offset of Pending have been ruled out already.
    qsizetype Scanned = 1;
    qsizetype MaxPending;
};
