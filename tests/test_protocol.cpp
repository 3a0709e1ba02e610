// How one read's text is taken as a reply.
#include "net/qorprotocol.h"

#include <gtest/gtest.h>

using namespace QORProtocol;

TEST(Protocol, aReplyIsDispatchedOnItsFirstRecordExactlyAndTopListRowsKeepEveryField) {
    const char* top = "ZKSERVER_TOPLIST#anna;0:01:02;30;01.12.2026#bob;9#;#x;1;2;3;4#bo";
    const std::pair<const char*, Reply::Kind> cases[] = {
        {"ZKSERVER_LOGIN_OK", Reply::LoginAccepted},
        {"ZKSERVER_LOGIN_OK\r\n", Reply::LoginAccepted},
        {"  ZKSERVER_LOGIN_BAD", Reply::LoginRefused},
        {"ZKSERVER_TOPLIST", Reply::TopListRows},
        {top, Reply::TopListRows},
        {"zkserver_login_ok", Reply::Ignored},
        {"", Reply::Ignored},
        {"ZKSERVER_LOGIN_OKZKSERVER_TOPLIST", Reply::Ignored},
        {"b;0:02:00;30;02.12.2026", Reply::Ignored},
        {"anna#ZKSERVER_LOGIN_OK", Reply::Ignored},
    };
    for (const auto& [text, kind] : cases)
        EXPECT_EQ(ParseReply(text).What, kind) << text;
    const QList<QStringList> rows = {{"anna", "0:01:02", "30", "01.12.2026"},
                                     {"bob", "9"},
                                     {"", ""},
                                     {"x", "1", "2", "3", "4"},
                                     {"bo"}};
    EXPECT_EQ(ParseReply(top).Rows, rows) << "in the server's order";
}
