#pragma once
// How the score server runs: where it listens, its file, its ranking and its limits.

#include "net/qorprotocol.h"

#include <QHostAddress>
#include <QString>

#include <optional>

// Argon2id's cost for passwords stored from now on. libsodium's interactive level: about
// 55 ms and 64 MiB per derivation, one derivation per core at a time.
struct QORPasswordCost {
    int Ops = 2;
    int MemoryKiB = 65536;
};

struct QORServerOptions {
    QHostAddress Address = QHostAddress(QHostAddress::LocalHost);
    quint16 Port = QORProtocol::DefaultPort;
    QString DatabasePath;
    int MinShuffles = QORProtocol::DefaultMinShuffles;
    int Rows = 100;
    // A connection quiet this long has finished its message.
    int QuietMs = 100;
    int MaxPendingBytes = 4096;
    int MaxPerAddress = 16;
    int MaxConnections = 1000;
    // A connection whose credentials have not been accepted this long after it opened is
    // closed: idle sockets and slow drips never log in.
    int LoginTimeoutMs = 30000;
    QORPasswordCost PasswordCost;
    // Results without a verified solve are answered with nothing and not stored.
    bool VerifiedOnly = false;
    // The web front's port, 0 for any free one; none keeps it off. It listens on HttpAddress.
    std::optional<quint16> HttpPort;
    QHostAddress HttpAddress = QHostAddress(QHostAddress::LocalHost);
};
