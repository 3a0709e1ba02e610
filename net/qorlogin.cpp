#include "net/qorlogin.h"

#include <QCoreApplication>

namespace {

bool IsControl(QChar c) {
    return c.unicode() < 32 || c.unicode() == 127;
}

// Characters the protocol gives a meaning: fields, records and quoted items.
bool IsSeparator(QChar c) {
    return c == u';' || c == u'#' || c == u'"';
}

bool HasAny(const QString& text, bool (*forbidden)(QChar)) {
    for (QChar c : text)
        if (forbidden(c))
            return true;
    return false;
}

bool IsForbidden(QChar c) {
    return IsControl(c) || IsSeparator(c);
}

} // namespace

std::optional<QString> LoginCheck(const QORLoginEntry& entry) {
    if (entry.Password1.size() < MinPasswordLength)
        return QCoreApplication::translate("QORLogin",
                                           "Пароль должен содержать не менее шести символов");
    if (HasAny(entry.Password1, IsForbidden))
        return QCoreApplication::translate(
            "QORLogin", "В пароле не может быть символов ; # \" и управляющих символов");
    // The repeat is only looked at when registering.
    if (entry.Register && entry.Password1 != entry.Password2)
        return QCoreApplication::translate("QORLogin", "Введённые пароли не совпадают...");
    const QString login = TrimmedName(entry.Login);
    if (login.isEmpty())
        return QCoreApplication::translate("QORLogin", "Не указан логин...");
    if (HasAny(login, IsForbidden))
        return QCoreApplication::translate(
            "QORLogin", "В логине не может быть символов ; # \" и управляющих символов");
    return std::nullopt;
}

QString TrimmedName(const QString& name) {
    return name.trimmed();
}

bool IsValidName(const QString& name) {
    return !name.isEmpty() && name.size() <= MaxNameLength && name == TrimmedName(name) &&
           !HasAny(name, IsForbidden);
}

bool IsValidPassword(const QString& password) {
    return !password.isEmpty() && password.size() <= MaxPasswordLength &&
           !HasAny(password, IsControl) && !password.contains(u';');
}
