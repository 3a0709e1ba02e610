#include "server/qorpassworddigest.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

QByteArray NewPasswordSalt() {
    QByteArray salt(PasswordSaltSize, Qt::Uninitialized);
    QRandomGenerator* random = QRandomGenerator::system();
    for (char& byte : salt)
        byte = char(random->bounded(256));
    return salt;
}

QByteArray PasswordDigest(const QString& password, const QByteArray& salt, int iterations) {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, PasswordDigestSize);
}

bool DigestsEqual(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}
