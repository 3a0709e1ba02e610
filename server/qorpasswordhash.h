#pragma once
// Passwords are kept only as self-describing hashes: Argon2id, as libsodium encodes it with
// its salt and cost, for every password set now; salted PBKDF2-SHA256 for accounts made
// before, until their next successful login replaces it.

#include "server/qorserveroptions.h"

#include <QByteArray>
#include <QString>

// A new Argon2id hash of the password; empty only when its memory could not be had.
QByteArray HashPassword(const QString& password, const QORPasswordCost& cost);
// The text that keeps an account of the PBKDF2 days: its iterations, salt and digest.
QByteArray LegacyPasswordHash(int iterations, const QByteArray& salt, const QByteArray& digest);

struct QORPasswordCheck {
    bool Matches = false;
    // A hash to keep instead of the stored one: it is PBKDF2, or of another cost. Empty when
    // the stored one stays.
    QByteArray Renewed;
};

// The slow part of a login, meant for a worker thread. Every check costs one Argon2id
// derivation at least: an unknown name is checked against the dummy, and a PBKDF2 account
// also derives, matching or not, so that no answer's timing tells which kind of name it was.
QORPasswordCheck CheckPassword(const QString& password, const QByteArray& stored,
                               const QByteArray& dummy, const QORPasswordCost& cost);
