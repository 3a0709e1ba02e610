#pragma once
// What the login dialog accepts before it stores a user name and password.

#include <QString>

#include <optional>

struct QORLoginEntry {
    QString Login;
    QString Password1;
    QString Password2;
    bool Register = false;
};

// Shortest password the dialog accepts.
inline constexpr int MinPasswordLength = 6;

// The message of the first check that fails, in the order the player meets them: the
// password's length, then (registering) the repeat, then the login. Nothing when it passes.
std::optional<QString> LoginCheck(const QORLoginEntry& entry);
