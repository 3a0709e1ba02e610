#pragma once
// How the score server runs: where it listens, its file, its ranking and its limits.

#include "net/qorprotocol.h"

#include <QHostAddress>
#include <QString>

struct QORServerOptions {
    QHostAddress Address = QHostAddress(QHostAddress::LocalHost);
    quint16 Port = QORProtocol::DefaultPort;
    QString DatabasePath;
    int MinShuffles = 20;
    int Rows = 100;
    // A connection quiet this long has finished its message.
    int QuietMs = 100;
    int MaxPendingBytes = 4096;
    int MaxPerAddress = 16;
    int MaxConnections = 1000;
};
