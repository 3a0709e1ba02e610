#include "net/qorlogin.h"

namespace {

bool HasControlCharacter(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 32 || c.unicode() == 127)
            return true;
    return false;
}

} // namespace

std::optional<QString> LoginCheck(const QORLoginEntry& entry) {
    if (entry.Password1.size() < MinPasswordLength)
        return QStringLiteral("Пароль должен содержать не менее шести символов");
    // The repeat is only looked at when registering.
    if (entry.Register && entry.Password1 != entry.Password2)
        return QStringLiteral("Введённые пароли не совпадают...");
    if (entry.Login.isEmpty())
        return QStringLiteral("Не указан логин...");
    return std::nullopt;
}

bool IsValidName(const QString& name) {
    return !name.isEmpty() && name.size() <= MaxNameLength && !HasControlCharacter(name);
}

bool IsValidPassword(const QString& password) {
    return !password.isEmpty() && password.size() <= MaxPasswordLength &&
           !HasControlCharacter(password);
}
