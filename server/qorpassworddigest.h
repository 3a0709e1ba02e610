#pragma once
// Passwords are kept only as salted PBKDF2-SHA256 digests.

#include <QByteArray>
#include <QString>

// About 3 ms of one core per derivation on the development machine: slow for guessing,
// cheap for a login, and done once per connection thanks to its credentials cache.
inline constexpr int PasswordIterations = 2500;
inline constexpr int PasswordSaltSize = 16;
inline constexpr int PasswordDigestSize = 32;

QByteArray NewPasswordSalt();
QByteArray PasswordDigest(const QString& password, const QByteArray& salt, int iterations);
// Compares in time that depends only on the lengths, so that timing shows nothing of a digest.
bool DigestsEqual(const QByteArray& a, const QByteArray& b);
