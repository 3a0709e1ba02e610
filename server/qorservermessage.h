#pragma once
// One client message as the server reads it: the raw bytes of one framed message checked
// field by field. A message of a known keyword whose fields break the rules is Refused and
// answered as wrong credentials, so that a client waiting for its answer stops waiting; a
// result or a scramble request with numbers out of range, and anything else, is Invalid and
// gets no answer. A solve whose credentials are well formed is always answered: a field
// that cannot be read is its fault (Broken), told once the checks before it have passed.

#include "net/qorverified.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

struct QORServerMessage {
    enum Kind { Invalid, Refused, Login, Register, GetTop, TimeResult, Scramble, Solve, GetTop2 };
    Kind What = Invalid;
    // As sent: an account made before names were trimmed is found by its exact name.
    QString Name;
    QString Password;
    int Seconds = 0;
    // Of a result, and the turns a scramble request asks for.
    int Shuffles = 0;
    // Of a scramble request or a verified top-list request: the kind named in place of a
    // number of turns: QORProtocol::RandomKind or DailyKind, and for a list also a day's
    // DAILY-YYYY-MM-DD; empty for the numbered one.
    QString KindName;
    // Of a solve: the scramble's id as sent, the clock's reading and the timed moves. An id
    // that is no id is Unknown, unreadable moves Unsolved, an unreadable reading Times.
    QString Id;
    qint64 Ms = 0;
    QList<QORProtocol::TimedMove> Moves;
    std::optional<QORProtocol::SolveFault> Broken;
    // The solve began after the inspection's time: its result is Ms and the penalty.
    bool PlusTwo = false;

    // The bytes of one message, cp1251, with or without trailing CR/LF.
    static QORServerMessage Parse(const QByteArray& bytes);
};

// A keyword the server knows, with its ";", as the wire's bytes (plain ASCII, the same in
// every code page); the verified list's messages also end at a line feed.
struct QORServerKeyword {
    QByteArray Bytes;
    QORServerMessage::Kind What;
    bool EndsAtLineFeed;
};
const std::array<QORServerKeyword, 7>& ServerKeywords();

// The longest time a client may send; shuffles follow net/qorprotocol.h, names and
// passwords net/qorlogin.h.
inline constexpr int MaxSeconds = 31536000;
// The longest solve a client may claim, in milliseconds: far beyond a scramble's life.
inline constexpr int MaxSolveMs = 999999999;
