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
// password's length, then (registering) the repeat, then the login. Nothing when it passes.
std::optional<QString> LoginCheck(const QORLoginEntry& entry);

// What the server takes: one to the maximum of characters, none of them a control character.
bool IsValidName(const QString& name);
bool IsValidPassword(const QString& password);
