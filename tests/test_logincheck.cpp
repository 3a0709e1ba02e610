// The order of the login dialog's checks and what each lets through.
#include "net/qorlogincheck.h"

#include <gtest/gtest.h>

namespace {

QString Check(const char* login, const char* p1, const char* p2, bool reg) {
    return LoginCheck({QString::fromUtf8(login), QString::fromUtf8(p1), QString::fromUtf8(p2), reg})
        .value_or(QStringLiteral("ok"));
}

const QString TooShort = QStringLiteral("Пароль должен содержать не менее шести символов");
const QString Mismatch = QStringLiteral("Введённые пароли не совпадают...");
const QString NoLogin = QStringLiteral("Не указан логин...");

} // namespace

TEST(LoginCheck, passwordLengthComesFirstAndSixIsEnough) {
    EXPECT_EQ(Check("", "12345", "", false), TooShort) << "tested before the empty login";
    EXPECT_EQ(Check("anna", "12345", "12345", true), TooShort);
    EXPECT_EQ(Check("anna", "123456", "", false), "ok");
    EXPECT_EQ(Check("anna", "пароль", "", false), "ok") << "six Cyrillic letters are six";
}

TEST(LoginCheck, registeringComparesThePasswordsBeforeTheLogin) {
    EXPECT_EQ(Check("", "secret1", "secret2", true), Mismatch);
    EXPECT_EQ(Check("anna", "Secret1", "secret1", true), Mismatch) << "case counts";
    EXPECT_EQ(Check("", "secret1", "secret1", true), NoLogin);
    EXPECT_EQ(Check("anna", "secret1", "secret1", true), "ok");
}

TEST(LoginCheck, loggingInIgnoresTheRepeatAndTakesBlanksAsALogin) {
    EXPECT_EQ(Check("anna", "secret1", "anything", false), "ok");
    EXPECT_EQ(Check("", "secret1", "secret1", false), NoLogin);
    EXPECT_EQ(Check("   ", "secret1", "", false), "ok") << "no trimming";
}
