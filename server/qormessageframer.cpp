#include "server/qormessageframer.h"

#include "net/qorverified.h"
#include "server/qorservermessage.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>

namespace {

// The keywords are plain ASCII, the same bytes in every code page, and share their start, so
// one search for it finds every candidate.
const QByteArray KeywordStart = "CUBE_";

const QByteArray SolveKeyword = QORProtocol::Solve.toLatin1();

bool LineEnded(const QByteArray& bytes, qsizetype at) {
    const QByteArrayView rest = QByteArrayView(bytes).sliced(at);
    return std::any_of(ServerKeywords().begin(), ServerKeywords().end(),
                       [&](const QORServerKeyword& known) {
                           return known.EndsAtLineFeed && rest.startsWith(known.Bytes);
                       });
}

enum class Match { Keyword, Other, TooShort };

// No keyword is the start of another, so at most one can match at a position.
Match KeywordAt(const QByteArray& bytes, qsizetype at) {
    const QByteArrayView rest = QByteArrayView(bytes).sliced(at);
    bool tooShort = false;
    for (const QORServerKeyword& known : ServerKeywords()) {
        if (rest.startsWith(known.Bytes))
            return Match::Keyword;
        if (rest.size() < known.Bytes.size() && QByteArrayView(known.Bytes).startsWith(rest))
            tooShort = true;
    }
    return tooShort ? Match::TooShort : Match::Other;
}

} // namespace

QORMessageFramer::QORMessageFramer(qsizetype maxPending) : MaxPending(maxPending) {}

qsizetype QORMessageFramer::Limit(qsizetype start) const {
    return QByteArrayView(Pending).sliced(start).startsWith(SolveKeyword)
               ? std::max<qsizetype>(QORProtocol::MaxSolveBytes, MaxPending)
               : MaxPending;
}

QList<QByteArray> QORMessageFramer::Append(const QByteArray& bytes) {
    Pending += bytes;
    QList<QByteArray> messages;
    if (TooLong)
        return messages;
    // Messages are cut by offset and the buffer compacted once, so that a large read holding
    // many messages is not moved once per message.
    qsizetype start = 0;
    qsizetype at = std::max<qsizetype>(Scanned, 1);
    // The line feed that ends the message at start, when it is of a kind that ends there;
    // looked for once per message, however many keyword candidates it holds.
    const auto lineEnd = [this](qsizetype from) {
        return LineEnded(Pending, from) ? Pending.indexOf('\n', from) : qsizetype(-1);
    };
    qsizetype feed = lineEnd(start);
    for (;;) {
        const qsizetype hit = Pending.indexOf(KeywordStart, at);
        if (feed >= 0 && (hit < 0 || feed < hit)) {
            if (feed + 1 - start > Limit(start)) {
                TooLong = true;
                break;
            }
            messages << Pending.mid(start, feed + 1 - start);
            start = feed + 1;
            at = start + 1;
            feed = lineEnd(start);
            continue;
        }
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
            // A message of the verified list is held to its limit however it ends.
            if (LineEnded(Pending, start) && hit - start > Limit(start)) {
                TooLong = true;
                break;
            }
            messages << Pending.mid(start, hit - start);
            start = hit;
            feed = lineEnd(start);
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
