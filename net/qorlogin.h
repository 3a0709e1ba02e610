#pragma once
// What a user name and a password may be: the login dialog checks them before anything is
// sent, and the score server checks them again on every message.

#include <QString>

#include <optional>

inline constexpr int MinPasswordLength = 6;
inline constexpr int MaxNameLength = 32;
inline constexpr int MaxPasswordLength = 64;

struct QORLoginEntry {
    QString Login;
    QString Password1;
    QString Password2;
    bool Register = false;
};

// The message of the first check that fails, in the order the player meets them: the
// password's length and characters, then (registering) the repeat, then the login. Nothing
// when it passes; the login is taken trimmed.
std::optional<QString> LoginCheck(const QORLoginEntry& entry);

// A name as it is kept: without blanks at either end, which only make look-alikes.
QString TrimmedName(const QString& name);
// A trimmed name of one to the maximum of characters, none of them a control character or
// one the protocol uses: ";", "#" or the double quote.
bool IsValidName(const QString& name);
// One to the maximum of characters and no control character or ";". Accounts made before the
// dialog refused "#" and the quote in passwords keep working.
bool IsValidPassword(const QString& password);
