// How one read's text is taken as a reply.
#include "net/qorprotocol.h"
#include "net/qorverified.h"

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

TEST(Protocol, verifiedRepliesReadBackAsBuiltAndOnlyWholeOnes) {
    const QString id = QStringLiteral("0123456789abcdef0123456789abcdef");
    const QList<QORMove> moves = *ParseMoves(QStringLiteral("R U' M"));
    const VerifiedReply dealt = ParseVerifiedReply(ScrambleReply(id, 3, moves));
    EXPECT_EQ(std::tuple(dealt.What, dealt.Id, dealt.Shuffles, dealt.Moves),
              std::tuple(VerifiedReply::Scramble, id, 3, moves));
    EXPECT_EQ(ScrambleRequest("a", "p", RandomKind), "CUBE_SCRAMBLE;a;p;RANDOM\n");
    EXPECT_EQ(TopList2Request("a", "p", RandomKind), "CUBE_GETTOP2;a;p;RANDOM\n");
    EXPECT_EQ(TopList2Request("a", "p"), "CUBE_GETTOP2;a;p\n");
    const VerifiedReply daily = ParseVerifiedReply(ScrambleReply(id, "DAILY-2026-12-07", moves));
    EXPECT_EQ(std::tuple(daily.What, daily.Kind, DailyDayOf(daily.Kind)),
              std::tuple(VerifiedReply::Scramble, QString("DAILY-2026-12-07"),
                         std::optional(QDate(2026, 12, 7))));
    EXPECT_EQ(DailyKindOf(QDate(2026, 1, 2)), "DAILY-2026-01-02");
    for (const char* kind : {"DAILY", "DAILY-2026-1-02", "DAILY-2026-02-30", "DAILY-2026-12-07x",
                             "daily-2026-12-07", "DAILY-+026-12-07"})
        EXPECT_FALSE(DailyDayOf(kind)) << kind;
    const VerifiedReply finished = ParseVerifiedReply("ZKSERVER_SOLVE_BAD;;USED\n");
    EXPECT_EQ(std::tuple(finished.What, finished.Id, finished.Fault),
              std::tuple(VerifiedReply::Refused, QString(), SolveFault::Used));
    const VerifiedReply random = ParseVerifiedReply(ScrambleReply(id, RandomKind, moves));
    EXPECT_EQ(std::tuple(random.What, random.Shuffles, random.Kind, random.Moves),
              std::tuple(VerifiedReply::Scramble, 0, RandomKind, moves));
    EXPECT_EQ(ParseVerifiedReply(SolveOkReply(id, 7)).Place, 7);
    EXPECT_EQ(ParseVerifiedReply(SolveBadReply(id, SolveFault::Held)).Fault, SolveFault::Held);
    const QList<VerifiedRow> rows = {{"a b;\"#", 41230, 58, 20, QDate(2026, 12, 7)},
                                     {"c", 1, 0, 1000, QDate(2026, 1, 2)}};
    const VerifiedReply list = ParseVerifiedReply(TopList2Reply(rows));
    ASSERT_EQ(list.What, VerifiedReply::Rows);
    const auto fields = [](const VerifiedRow& r) {
        return std::tuple(r.Nick, r.Ms, r.Moves, r.Shuffles, r.Date);
    };
    ASSERT_EQ(list.List.size(), 2);
    EXPECT_TRUE(fields(list.List[0]) == fields(rows[0]) && fields(list.List[1]) == fields(rows[1]));
    EXPECT_EQ(ParseVerifiedReply(TopList2Reply({})).What, VerifiedReply::Rows);
    const char* broken[] = {
        "ZKSERVER_SOLVE_OK;0123456789abcdef0123456789abcdef;1",     // no line feed yet
        "ZKSERVER_SOLVE_OK;0123456789ABCDEF0123456789abcdef;1\n",   // not lowercase
        "ZKSERVER_SOLVE_OK;0123456789abcdef;1\n",                   // short id
        "ZKSERVER_SOLVE_BAD;0123456789abcdef0123456789abcdef;LATE\n",
        "ZKSERVER_SCRAMBLE;0123456789abcdef0123456789abcdef;2;R Q\n",
        "ZKSERVER_SCRAMBLE;0123456789abcdef0123456789abcdef;RANDOMLY;R\n",
        "ZKSERVER_SCRAMBLE;0123456789abcdef0123456789abcdef;DAILY;R\n",
        "ZKSERVER_SOLVE_OK;;1\n",
        "ZKSERVER_TOPLIST2#a;1;2;3\n",
        "ZKSERVER_LOGIN_OK\n",
    };
    for (const char* text : broken)
        EXPECT_EQ(ParseVerifiedReply(text).What, VerifiedReply::None) << text;
}

TEST(Protocol, timedMovesAreNamesAtDigitsSeparatedBySingleBlanks) {
    const QList<TimedMove> moves = {{{0, 1, 1}, 412}, {{1, 1, -1}, 655}, {{2, 0, 1}, 655}};
    EXPECT_EQ(TimedMovesText(moves), QStringLiteral("R@412 U'@655 S@655"));
    EXPECT_EQ(ParseTimedMoves(TimedMovesText(moves)), moves);
    EXPECT_EQ(ParseTimedMoves(QString()), QList<TimedMove>());
    const char* broken[] = {"R@", "R412", "@1", "R@1  U@2", "R@1 ", "X@1", "R@-1", "R@1234567890",
                            "RU@1", "R@1;U@2"};
    for (const char* text : broken)
        EXPECT_FALSE(ParseTimedMoves(QString::fromLatin1(text))) << text;
    EXPECT_EQ(SolveRequest("n", "p", "i", 900, moves),
              QStringLiteral("CUBE_SOLVE;n;p;i;900;R@412 U'@655 S@655\n"));
    EXPECT_EQ(SolveRequest("n", "p", "i", 900, {}, true), QStringLiteral("CUBE_SOLVE;n;p;i;900;;+2\n"));
}
