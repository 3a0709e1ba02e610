#include "server/qorservermessage.h"
#include <QList>
#include <gtest/gtest.h>
#include <tuple>

// Refused messages are answered as wrong credentials; invalid ones not at all.
TEST(ServerMessage, wellFormedMessagesAreReadFieldByFieldBrokenFieldsRefusedAndTheRestInvalid) {
    using M = QORServerMessage;
    const std::pair<QByteArray, std::tuple<M::Kind, QString, QString, int, int, QString>> cases[] =
        {
            {"CUBE_LOGIN;alice;secret", {M::Login, "alice", "secret", 0, 0, {}}},
            {"CUBE_REGISTER;bob;pw\r\n", {M::Register, "bob", "pw", 0, 0, {}}},
            {"CUBE_GETTOP;bob;pw\n\n", {M::GetTop, "bob", "pw", 0, 0, {}}},
            {"CUBE_TIMERESULT;bob;pw;00;0025\r", {M::TimeResult, "bob", "pw", 0, 25, {}}},
            {"CUBE_TIMERESULT;bob;pw;31536000;1000",
             {M::TimeResult, "bob", "pw", 31536000, 1000, {}}},
            // Names stay as sent, for the store to trim; only trailing line ends are cut, and
            // quotes and hashes are plain characters.
            {"CUBE_LOGIN; alice smith; \"pass\" #1 \n",
             {M::Login, " alice smith", " \"pass\" #1 ", 0, 0, {}}},
            {"CUBE_LOGIN;\xA8\xE6;\xEF\xE0\xF0", {M::Login, "Ёж", "пар", 0, 0, {}}}, // cp1251
            {"CUBE_LOGIN;" + QByteArray(32, '\xE0') + ";pw",
             {M::Login, QString(32, u'а'), "pw", 0, 0, {}}},
            {"CUBE_SCRAMBLE;bob;pw;1000\n", {M::Scramble, "bob", "pw", 0, 1000, {}}},
            {"CUBE_GETTOP2;bob;pw\n", {M::GetTop2, "bob", "pw", 0, 0, {}}},
            {"CUBE_SOLVE;bob;pw;x;1;\n", {M::Solve, "bob", "pw", 0, 0, {}}},
            {"CUBE_SOLVE;bob;pw;x;1;;+2\n", {M::Solve, "bob", "pw", 0, 0, {}}},
            {"CUBE_SCRAMBLE;bob;pw;RANDOM\n", {M::Scramble, "bob", "pw", 0, 0, "RANDOM"}},
            {"CUBE_GETTOP2;bob;pw;RANDOM\n", {M::GetTop2, "bob", "pw", 0, 0, "RANDOM"}},
        };
    for (const auto& [bytes, expected] : cases) {
        const M m = M::Parse(bytes);
        EXPECT_EQ(std::tie(m.What, m.Name, m.Password, m.Seconds, m.Shuffles, m.KindName), expected)
            << bytes.constData();
    }
    QList<QByteArray> invalid = {
        "", "\r\n", "HELLO", "ZKSERVER_LOGIN_OK", "cube_login;alice;pw", "CUBE_LOGOUT;alice;pw",
        " CUBE_LOGIN;alice;pw", "CUBE_LOGIN", "CUBE_LOGINS;alice;pw",
        // Numbers out of range, also past every integer and past 32-bit wrapping.
        "CUBE_TIMERESULT;bob;pw;31536001;25", "CUBE_TIMERESULT;bob;pw;75;1001",
        "CUBE_TIMERESULT;bob;pw;99999999999999999999999;25", "CUBE_TIMERESULT;bob;pw;4294967371;25",
        "CUBE_SCRAMBLE;bob;pw;0", "CUBE_SCRAMBLE;bob;pw;1001", "CUBE_SCRAMBLE;bob;pw;-1",
        "CUBE_SCRAMBLE;bob;pw;RANDOMX", "CUBE_SCRAMBLE;bob;pw;random"};
    for (const char* number : {"", "+5", "-5", " 5", "5 ", "0x5", "5.0", "1e3", "five"})
        invalid << QByteArray("CUBE_TIMERESULT;bob;pw;") + number + ";25"
                << QByteArray("CUBE_TIMERESULT;bob;pw;75;") + number;
    const QList<QByteArray> refused = {
        // Field counts; a ";" in a name or a password makes one field more, quotes or not.
        "CUBE_LOGIN;", "CUBE_LOGIN;alice", "CUBE_LOGIN;alice;pw;", "CUBE_REGISTER;al;ice;pw",
        "CUBE_GETTOP;alice;p;w", "CUBE_TIMERESULT;alice;pw;75", "CUBE_TIMERESULT;a;b;pw;75;25",
        "CUBE_LOGIN;\"a;b\";pw", "CUBE_SCRAMBLE;bob;pw", "CUBE_SOLVE;bob;pw;1;R@1\n",
        "CUBE_GETTOP2;bob;;\n", "CUBE_SOLVE;;pw;1;2;3",
        "CUBE_SOLVE;bob;pw;x;1;;+3\n", "CUBE_SOLVE;bob;pw;x;1;;+2;\n", "CUBE_GETTOP2;bob;pw;RANDOMX\n",
        "CUBE_GETTOP2;bob;pw;random", "CUBE_GETTOP2;bob;pw;\n", "CUBE_GETTOP2;bob;pw;RANDOM;",
        // Blank or too long names, empty passwords or ones with a control character, and the
        // byte cp1251 leaves unassigned.
        "CUBE_LOGIN;;pw", "CUBE_REGISTER; ;pw", "CUBE_TIMERESULT;alice;;75;25",
        "CUBE_LOGIN;" + QByteArray(33, '\xE0') + ";pw", "CUBE_LOGIN;alice;p\x02w",
        "CUBE_LOGIN;al\x98ice;pw", QByteArray("CUBE_GETTOP;alice;p\0w", 21)};
    for (const auto& [messages, kind] :
         {std::pair(invalid, M::Invalid), std::pair(refused, M::Refused)})
        for (const QByteArray& bytes : messages)
            EXPECT_EQ(M::Parse(bytes).What, kind) << bytes.toPercentEncoding().data();
}
