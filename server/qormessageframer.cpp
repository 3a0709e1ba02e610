#include "server/qormessageframer.h"

#include "net/qorprotocol.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>

namespace {

// The keywords are plain ASCII, the same bytes in every code page, and share their start, so
// one search for it finds every candidate.
const QByteArray KeywordStart = "CUBE_";

const std::array<QByteArray, 4>& Keywords() {
    static const std::array<QByteArray, 4> keywords = {
        QORProtocol::Login.toLatin1(), QORProtocol::Register.toLatin1(),
        QORProtocol::GetTop.toLatin1(), QORProtocol::TimeResult.toLatin1()};
    return keywords;
}

enum class Match { Keyword, Other, TooShort };

// No keyword is the start of another, so at most one can match at a position.
Match KeywordAt(const QByteArray& bytes, qsizetype at) {
    const QByteArrayView rest = QByteArrayView(bytes).sliced(at);
    bool tooShort = false;
    for (const QByteArray& keyword : Keywords()) {
        if (rest.startsWith(keyword))
            return Match::Keyword;
        if (rest.size() < keyword.size() && QByteArrayView(keyword).startsWith(rest))
            tooShort = true;
    }
    return tooShort ? Match::TooShort : Match::Other;
}

} // namespace

QORMessageFramer::QORMessageFramer(qsizetype maxPending) : MaxPending(maxPending) {}

QList<QByteArray> QORMessageFramer::Append(const QByteArray& bytes) {
    Pending += bytes;
    QList<QByteArray> messages;
    // Messages are cut by offset and the buffer compacted once, so that a large read holding
    // many messages is not moved once per message.
    qsizetype start = 0;
    qsizetype at = std::max<qsizetype>(Scanned, 1);
    for (;;) {
        const qsizetype hit = Pending.indexOf(KeywordStart, at);
        if (hit < 0) {
            // The last few bytes may be the first ones of a keyword still on its way.
            at = std::max(start + 1, Pending.size() - KeywordStart.size() + 1);
            break;
        }
        const Match match = KeywordAt(Pending, hit);
        if (match == Match::TooShort) {
            at = hit;
            break;
        }
        if (match == Match::Keyword) {
            messages << Pending.mid(start, hit - start);
            start = hit;
        }
        at = hit + 1;
    }
    Pending.remove(0, start);
    Scanned = std::max<qsizetype>(1, at - start);
    return messages;
}

QByteArray QORMessageFramer::TakePending() {
    QByteArray message;
    message.swap(Pending);
    Scanned = 1;
    return message;
}
