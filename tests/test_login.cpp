// What the login dialog and the score server accept as a user name and a password.
#include "net/qorlogin.h"

#include <gtest/gtest.h>

TEST(Login, checksComeInTheOrderThePlayerMeetsThem) {
    const QString tooShort = QStringLiteral("Пароль должен содержать не менее шести символов");
    const QString mismatch = QStringLiteral("Введённые пароли не совпадают...");
    const QString noLogin = QStringLiteral("Не указан логин...");
    const QString badPassword =
        QStringLiteral("В пароле не может быть символов ; # \" и управляющих символов");
    const QString badLogin =
        QStringLiteral("В логине не может быть символов ; # \" и управляющих символов");
    // The login, the password and its repeat, whether registering, and what the player is told.
    const std::tuple<QString, QString, QString, bool, QString> cases[] = {
        {"", "12345", "", false, tooShort}, // the length is tested before the empty login
        {"anna", "12345", "12345", true, tooShort},
        {"anna", "123456", "", false, ""},
        {"anna", "пароль", "", false, ""}, // six Cyrillic letters are six
        {"", "secret1", "secret2", true, mismatch},
        {"anna", "Secret1", "secret1", true, mismatch},
        {"", "secret1", "secret1", true, noLogin},
        {"anna", "secret1", "anything", false, ""}, // logging in ignores the repeat
        {"", "secret1", "secret1", false, noLogin},
        {"   ", "secret1", "", false, noLogin}, // blanks are trimmed away
        {" anna ", "secret1", "", false, ""},
        {"", "sec;ret1", "", false, badPassword}, // tested before the login
        {"anna", "secret#1", "secret#1", true, badPassword},
        {"an\"na", "secret1", "", false, badLogin},
        {"a;b", "secret1", "", false, badLogin},
        {"a\tb", "secret1", "", false, badLogin},
    };
    for (const auto& [login, p1, p2, reg, message] : cases)
        EXPECT_EQ(LoginCheck({login, p1, p2, reg}).value_or(QString()), message)
            << login.toStdString() << "/" << p1.toStdString();
}

TEST(Login, theServerTakesTrimmedNamesWithoutTheProtocolsCharacters) {
    EXPECT_TRUE(IsValidName(QString(MaxNameLength, u'n')));
    EXPECT_FALSE(IsValidName(QString(MaxNameLength + 1, u'n')));
    EXPECT_TRUE(IsValidPassword(QString(MaxPasswordLength, u'p')));
    EXPECT_FALSE(IsValidPassword(QString(MaxPasswordLength + 1, u'p')));
    for (const char* bad : {"", "a\tb", "a\x7f", "a;b"}) {
        EXPECT_FALSE(IsValidName(bad)) << bad;
        EXPECT_FALSE(IsValidPassword(bad)) << bad;
    }
    for (const char* bad : {" alice", "alice ", " ", "a#b", "a\"b"})
        EXPECT_FALSE(IsValidName(bad)) << bad;
    EXPECT_TRUE(IsValidPassword("old#\"one")) << "older accounts keep their passwords";
    EXPECT_EQ(TrimmedName(" alice\t"), "alice");
}
