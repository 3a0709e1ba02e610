// The client's messages as bytes on the wire, and how one read's text is taken as a reply.
#include "app/qorcp1251.h"
#include "net/qorprotocol.h"

#include <gtest/gtest.h>

using namespace QORProtocol;

TEST(Protocol, messagesAreTheFieldsJoinedWithNoTerminator) {
    EXPECT_EQ(ToCp1251(Credentials(Login, "anna", "secret1")), "CUBE_LOGIN;anna;secret1");
    EXPECT_EQ(ToCp1251(Credentials(Register, "a;b", "p")), "CUBE_REGISTER;a;b;p")
        << "a name with \";\" goes out unchanged";
    EXPECT_EQ(ToCp1251(Credentials(GetTop, "anna", "x")), "CUBE_GETTOP;anna;x");
    EXPECT_EQ(ToCp1251(Result("anna", "secret1", 75, 30)), "CUBE_TIMERESULT;anna;secret1;75;30");
    EXPECT_EQ(ToCp1251(Result("a", "b", 0, 0)), "CUBE_TIMERESULT;a;b;0;0");
}

TEST(Protocol, russianNamesTravelInCodePage1251) {
    EXPECT_EQ(ToCp1251(Credentials(Login, "Ёжик", "пароль")),
              QByteArray("CUBE_LOGIN;\xA8\xE6\xE8\xEA;\xEF\xE0\xF0\xEE\xEB\xFC"));
}

TEST(Protocol, loginRepliesAreRecognisedExactlyWithTrailingLineEnds) {
    EXPECT_EQ(ParseReply("ZKSERVER_LOGIN_OK").What, Reply::LoginAccepted);
    EXPECT_EQ(ParseReply("ZKSERVER_LOGIN_OK\r\n").What, Reply::LoginAccepted);
    EXPECT_EQ(ParseReply("  ZKSERVER_LOGIN_BAD").What, Reply::LoginRefused);
    EXPECT_EQ(ParseReply("zkserver_login_ok").What, Reply::Ignored) << "case counts";
    EXPECT_EQ(ParseReply("").What, Reply::Ignored);
    EXPECT_EQ(ParseReply("ZKSERVER_LOGIN_OKZKSERVER_TOPLIST").What, Reply::Ignored)
        << "two replies in one read match nothing";
}

TEST(Protocol, topListRowsKeepTheServersOrderAndExtraFields) {
    const Reply r = ParseReply("ZKSERVER_TOPLIST#anna;0:01:02;30;01.12.2026#bob;9#;#x;1;2;3;4");
    ASSERT_EQ(r.What, Reply::TopListRows);
    ASSERT_EQ(r.Rows.size(), 4);
    EXPECT_EQ(r.Rows[0], QStringList({"anna", "0:01:02", "30", "01.12.2026"}));
    EXPECT_EQ(r.Rows[1], QStringList({"bob", "9"})) << "too few fields leave columns empty";
    EXPECT_EQ(r.Rows[2], QStringList({"", ""}));
    EXPECT_EQ(r.Rows[3].size(), 5);
}

TEST(Protocol, emptyTopListAndACutOneAreReadAsTheyCome) {
    const Reply empty = ParseReply("ZKSERVER_TOPLIST");
    EXPECT_EQ(empty.What, Reply::TopListRows);
    EXPECT_TRUE(empty.Rows.isEmpty());
    const Reply first = ParseReply("ZKSERVER_TOPLIST#anna;0:01:02;30;01.12.2026#bo");
    ASSERT_EQ(first.Rows.size(), 2);
    EXPECT_EQ(first.Rows[1], QStringList({"bo"}));
    EXPECT_EQ(ParseReply("b;0:02:00;30;02.12.2026").What, Reply::Ignored)
        << "the rest of a list in a second read is no reply";
    EXPECT_EQ(ParseReply("anna#ZKSERVER_LOGIN_OK").What, Reply::Ignored)
        << "only the first record is compared";
}

TEST(Protocol, topListReplyGivesBackNamesWithBlanksQuotesAndSeparators) {
    const QList<QStringList> rows = {{"Иван Петров", "00:01:02", "30", "07.12.2026"},
                                     {"a;b#c\"d\"", "00:00:09", "20", "01.01.2027"},
                                     {"", "00:00:00", "0", ""}};
    const QByteArray wire = ToCp1251(TopListReply(rows));
    const Reply r = ParseReply(FromCp1251(wire));
    ASSERT_EQ(r.What, Reply::TopListRows);
    EXPECT_EQ(r.Rows, rows);
    EXPECT_EQ(ToCp1251(TopListReply({})), "ZKSERVER_TOPLIST");
}
