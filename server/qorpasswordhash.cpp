#include "server/qorpasswordhash.h"

#include <QCryptographicHash>
#include <QList>
#include <QPasswordDigestor>

#include <sodium.h>

namespace {

const QByteArray LegacyPrefix = "$pbkdf2-sha256$";

// libsodium picks its fastest code once; the static makes that safe from any thread.
bool Ready() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

bool ArgonMatches(const QByteArray& password, const QByteArray& stored) {
    return Ready() && stored.size() < crypto_pwhash_STRBYTES &&
           crypto_pwhash_str_verify(stored.constData(), password.constData(),
                                    quint64(password.size())) == 0;
}

bool LegacyMatches(const QByteArray& password, const QByteArray& stored) {
    const QList<QByteArray> parts = stored.mid(LegacyPrefix.size()).split('$');
    if (parts.size() != 3)
        return false;
    const int iterations = parts[0].toInt();
    const QByteArray salt = QByteArray::fromBase64(parts[1]);
    const QByteArray digest = QByteArray::fromBase64(parts[2]);
    if (iterations <= 0 || digest.isEmpty())
        return false;
    const QByteArray derived = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, password, salt, iterations, digest.size());
    return derived.size() == digest.size() &&
           sodium_memcmp(derived.constData(), digest.constData(), size_t(digest.size())) == 0;
}

} // namespace

QByteArray HashPassword(const QString& password, const QORPasswordCost& cost) {
    const QByteArray bytes = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (!Ready() ||
        crypto_pwhash_str_alg(hash, bytes.constData(), quint64(bytes.size()), quint64(cost.Ops),
                              size_t(cost.MemoryKiB) * 1024, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return QByteArray();
    return QByteArray(hash);
}

QByteArray LegacyPasswordHash(int iterations, const QByteArray& salt, const QByteArray& digest) {
    return LegacyPrefix + QByteArray::number(iterations) + '$' + salt.toBase64() + '$' +
           digest.toBase64();
}

QORPasswordCheck CheckPassword(const QString& password, const QByteArray& stored,
                               const QByteArray& dummy, const QORPasswordCost& cost) {
    const QByteArray bytes = password.toUtf8();
    QORPasswordCheck check;
    if (stored.startsWith(LegacyPrefix)) {
        check.Matches = LegacyMatches(bytes, stored);
        if (check.Matches)
            check.Renewed = HashPassword(password, cost);
        else
            ArgonMatches(bytes, dummy);
        return check;
    }
    check.Matches = ArgonMatches(bytes, stored);
    if (check.Matches && crypto_pwhash_str_needs_rehash(stored.constData(), quint64(cost.Ops),
                                                        size_t(cost.MemoryKiB) * 1024) != 0)
        check.Renewed = HashPassword(password, cost);
    return check;
}
