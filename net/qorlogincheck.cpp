#include "net/qorlogincheck.h"

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
