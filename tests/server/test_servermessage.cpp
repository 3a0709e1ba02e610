#include "server/qorservermessage.h"

#include <gtest/gtest.h>

namespace {

QORServerMessage Parse(const QByteArray& bytes) {
    return QORServerMessage::Parse(bytes);
}

bool Refused(const QByteArray& bytes) {
    return Parse(bytes).What == QORServerMessage::Invalid;
}

} // namespace

TEST(ServerMessage, loginIsReadWithItsNameAndPassword) {
    const QORServerMessage message = Parse("CUBE_LOGIN;alice;secret");
    EXPECT_EQ(message.What, QORServerMessage::Login);
    EXPECT_EQ(message.Name, QStringLiteral("alice"));
    EXPECT_EQ(message.Password, QStringLiteral("secret"));
}

TEST(ServerMessage, registerAndGetTopAreReadLikeLogin) {
    EXPECT_EQ(Parse("CUBE_REGISTER;bob;pw").What, QORServerMessage::Register);
    EXPECT_EQ(Parse("CUBE_GETTOP;bob;pw").What, QORServerMessage::GetTop);
    EXPECT_EQ(Parse("CUBE_GETTOP;bob;pw").Name, QStringLiteral("bob"));
}

TEST(ServerMessage, timeResultCarriesSecondsAndShuffles) {
    const QORServerMessage message = Parse("CUBE_TIMERESULT;bob;pw;75;25");
    EXPECT_EQ(message.What, QORServerMessage::TimeResult);
    EXPECT_EQ(message.Seconds, 75);
    EXPECT_EQ(message.Shuffles, 25);
}

TEST(ServerMessage, trailingCarriageReturnsAndLineFeedsAreStripped) {
    EXPECT_EQ(Parse("CUBE_LOGIN;alice;secret\r\n").Password, QStringLiteral("secret"));
    EXPECT_EQ(Parse("CUBE_LOGIN;alice;secret\n\n").Password, QStringLiteral("secret"));
    EXPECT_EQ(Parse("CUBE_LOGIN;alice;secret\r").Password, QStringLiteral("secret"));
    EXPECT_EQ(Parse("CUBE_TIMERESULT;bob;pw;75;25\r\n").Shuffles, 25);
}

TEST(ServerMessage, nothingButTrailingLineEndsIsTrimmed) {
    const QORServerMessage message = Parse("CUBE_LOGIN; alice smith ;pass word \n");
    EXPECT_EQ(message.Name, QStringLiteral(" alice smith "));
    EXPECT_EQ(message.Password, QStringLiteral("pass word "));
    EXPECT_TRUE(Refused(" CUBE_LOGIN;alice;secret")) << "a blank before the keyword";
}

TEST(ServerMessage, namesWithQuotesAndHashesAreTakenLiterally) {
    EXPECT_EQ(Parse("CUBE_LOGIN;\"quoted\" #1;p\"w#").Name, QStringLiteral("\"quoted\" #1"));
    EXPECT_EQ(Parse("CUBE_LOGIN;\"quoted\" #1;p\"w#").Password, QStringLiteral("p\"w#"));
    EXPECT_EQ(Parse("CUBE_LOGIN;\"a;b\";pw").What, QORServerMessage::Invalid)
        << "quotes do not protect a \";\": the name splits into two fields";
}

TEST(ServerMessage, russianNameIsDecodedFromItsCodePageBytes) {
    // "Игрок Ёж" in code page 1251.
    const QORServerMessage message = Parse("CUBE_LOGIN;\xC8\xE3\xF0\xEE\xEA \xA8\xE6;\xEF\xE0\xF0");
    EXPECT_EQ(message.What, QORServerMessage::Login);
    EXPECT_EQ(message.Name, QString::fromUtf8("Игрок Ёж"));
    EXPECT_EQ(message.Password, QString::fromUtf8("пар"));
}

TEST(ServerMessage, theUndefinedCodePageByteIsRefused) {
    EXPECT_TRUE(Refused("CUBE_LOGIN;al\x98ice;secret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice;secret\x98"));
    EXPECT_FALSE(Refused("CUBE_LOGIN;al\x97ice;secret")) << "its neighbour is an em dash";
}

TEST(ServerMessage, unknownKeywordsAreRefused) {
    EXPECT_TRUE(Refused("CUBE_LOGOUT;alice;secret"));
    EXPECT_TRUE(Refused("cube_login;alice;secret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN"));
    EXPECT_TRUE(Refused("ZKSERVER_LOGIN_OK"));
    EXPECT_TRUE(Refused(""));
    EXPECT_TRUE(Refused("\r\n"));
}

TEST(ServerMessage, wrongFieldCountsAreRefused) {
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice;secret;"));
    EXPECT_TRUE(Refused("CUBE_REGISTER;alice;secret;more"));
    EXPECT_TRUE(Refused("CUBE_GETTOP;alice"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;alice;secret;75"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;alice;secret;75;25;1"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;alice;secret"));
}

TEST(ServerMessage, emptyNamesAreRefused) {
    EXPECT_TRUE(Refused("CUBE_LOGIN;;secret"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;;secret;75;25"));
}

TEST(ServerMessage, namesUpToThirtyTwoCharactersAreAccepted) {
    const QByteArray longest(32, 'n');
    EXPECT_EQ(Parse("CUBE_LOGIN;" + longest + ";pw").Name.size(), 32);
    EXPECT_TRUE(Refused("CUBE_LOGIN;" + longest + "n;pw"));
    // Thirty-two Cyrillic letters are thirty-two bytes and thirty-two characters.
    EXPECT_FALSE(Refused("CUBE_LOGIN;" + QByteArray(32, '\xE0') + ";pw"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;" + QByteArray(33, '\xE0') + ";pw"));
}

TEST(ServerMessage, controlCharactersInNamesAreRefused) {
    EXPECT_TRUE(Refused("CUBE_LOGIN;al\x01ice;secret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;al\tice;secret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;al\x1Fice;secret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;al\x7Fice;secret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;al\rice;secret")) << "only trailing line ends are stripped";
    EXPECT_TRUE(Refused(QByteArray("CUBE_LOGIN;al\0ice;secret", 24)));
    EXPECT_FALSE(Refused("CUBE_LOGIN;al ice~;secret"));
}

TEST(ServerMessage, passwordsMustHoldOneToSixtyFourPlainCharacters) {
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice;"));
    EXPECT_FALSE(Refused("CUBE_LOGIN;alice;" + QByteArray(64, 'p')));
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice;" + QByteArray(65, 'p')));
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice;se\x02"
                        "cret"));
    EXPECT_TRUE(Refused("CUBE_LOGIN;alice;secret\x7F"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;alice;;75;25"));
}

TEST(ServerMessage, numbersMustBeDecimalDigitsOnly) {
    for (const char* seconds : {"", "+5", "-5", " 5", "5 ", "0x5", "5.0", "1e3", "five"}) {
        EXPECT_TRUE(Refused(QByteArray("CUBE_TIMERESULT;bob;pw;") + seconds + ";25")) << seconds;
        EXPECT_TRUE(Refused(QByteArray("CUBE_TIMERESULT;bob;pw;75;") + seconds)) << seconds;
    }
    EXPECT_EQ(Parse("CUBE_TIMERESULT;bob;pw;0075;025").Seconds, 75);
}

TEST(ServerMessage, secondsFromZeroToAYearAreAccepted) {
    EXPECT_EQ(Parse("CUBE_TIMERESULT;bob;pw;0;25").What, QORServerMessage::TimeResult);
    EXPECT_EQ(Parse("CUBE_TIMERESULT;bob;pw;31536000;25").Seconds, 31536000);
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;bob;pw;31536001;25"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;bob;pw;99999999999999999999999;25"))
        << "a number too long for any integer";
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;bob;pw;4294967371;25")) << "75 after 32-bit wrapping";
}

TEST(ServerMessage, shufflesFromZeroToOneThousandAreAccepted) {
    EXPECT_EQ(Parse("CUBE_TIMERESULT;bob;pw;75;0").Shuffles, 0);
    EXPECT_EQ(Parse("CUBE_TIMERESULT;bob;pw;75;1000").Shuffles, 1000);
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;bob;pw;75;1001"));
    EXPECT_TRUE(Refused("CUBE_TIMERESULT;bob;pw;75;-1"));
}
