#pragma once
// One client message as the server reads it: the raw bytes of one framed message checked
// field by field. A message of a known keyword whose fields break the rules is Refused and
// answered as wrong credentials, so that a client waiting for its answer stops waiting; a
// result with numbers out of range, and anything else, is Invalid and gets no answer.

#include <QByteArray>
#include <QString>

struct QORServerMessage {
    enum Kind { Invalid, Refused, Login, Register, GetTop, TimeResult };
    Kind What = Invalid;
    // As sent: an account made before names were trimmed is found by its exact name.
    QString Name;
    QString Password;
    int Seconds = 0;
    int Shuffles = 0;

    // The bytes of one message, cp1251, with or without trailing CR/LF.
    static QORServerMessage Parse(const QByteArray& bytes);
};

// The longest time a client may send; shuffles follow net/qorprotocol.h, names and
// passwords net/qorlogin.h.
inline constexpr int MaxSeconds = 31536000;
