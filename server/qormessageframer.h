#pragma once
// Cuts one connection's byte stream into messages. The first messages carry no terminator: one
// ends where the next keyword starts, or when the connection falls quiet (the caller's timer).
// The verified list's messages end at their first line feed as well, so they need no wait.

#include <QByteArray>
#include <QList>

class QORMessageFramer {
public:
    // The pending bytes allowed without a complete message.
    static constexpr qsizetype DefaultMaxPending = 4096;

    explicit QORMessageFramer(qsizetype maxPending = DefaultMaxPending);

    // Adds received bytes and returns, in order, the messages a following keyword or a line
    // feed completed.
    QList<QByteArray> Append(const QByteArray& bytes);
    // The pending bytes as one message, once the connection has been quiet; empty when none.
    QByteArray TakePending();
    qsizetype PendingSize() const { return Pending.size(); }
    // More bytes are pending, or came in one message, than it may have: the connection should
    // be closed. A solve may be far longer than any other message.
    bool Overflowed() const { return TooLong || Pending.size() > Limit(0); }

private:
    // The most bytes the message starting at that offset of Pending may have.
    qsizetype Limit(qsizetype start) const;

    QByteArray Pending;
    // Keyword starts before this offset of Pending have been ruled out already.
    qsizetype Scanned = 1;
    qsizetype MaxPending;
    bool TooLong = false;
};
