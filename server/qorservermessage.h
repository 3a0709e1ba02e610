#pragma once
// One client message as the server reads it: the raw bytes of one framed message checked
// field by field. Anything that fails a check is Invalid and gets no answer.

#include <QByteArray>
#include <QString>

struct QORServerMessage {
    enum Kind { Invalid, Login, Register, GetTop, TimeResult };
    Kind What = Invalid;
    QString Name;
    QString Password;
    int Seconds = 0;
    int Shuffles = 0;

    // The bytes of one message, cp1251, with or without trailing CR/LF.
    static QORServerMessage Parse(const QByteArray& bytes);
};

// Limits of the numbers a client may send; names and passwords follow net/qorlogin.h.
inline constexpr int MaxSeconds = 31536000;
inline constexpr int MaxShuffles = 1000;
