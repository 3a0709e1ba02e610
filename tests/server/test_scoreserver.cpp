#include "serverharness.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class ScoreServer : public ::testing::Test {
protected:
    void Start(QORServerOptions options = QORServerOptions()) {
        Server = std::make_unique<QORTestServer>(options);
        ASSERT_TRUE(Server->Start());
        Client = std::make_unique<QORTestClient>();
        ASSERT_TRUE(Client->Connect(Server->Port()));
    }
    void SetUp() override { Start(); }

    QByteArray Login(const QString& name, const QString& password) {
        return Client->Ask(LoginBytes(name, password), OkBytes().size());
    }
    QByteArray Register(const QString& name, const QString& password) {
        return Client->Ask(RegisterBytes(name, password), OkBytes().size());
    }
    // Sends the request and waits for exactly the expected reply's length.
    QByteArray TopList(const QString& name, const QString& password, const QByteArray& expected) {
        return Client->Ask(GetTopBytes(name, password), expected.size());
    }

    std::unique_ptr<QORTestServer> Server;
    std::unique_ptr<QORTestClient> Client;
};

} // namespace

TEST_F(ScoreServer, registeringANewNameIsAccepted) {
    EXPECT_EQ(Register("alice", "secret"), OkBytes());
}

TEST_F(ScoreServer, loginWithTheRegisteredPasswordIsAccepted) {
    Register("alice", "secret");
    QORTestClient other;
    ASSERT_TRUE(other.Connect(Server->Port()));
    EXPECT_EQ(other.Ask(LoginBytes("alice", "secret"), OkBytes().size()), OkBytes());
}

TEST_F(ScoreServer, loginWithAWrongPasswordIsRefused) {
    Register("alice", "secret");
    EXPECT_EQ(Login("alice", "Secret"), BadBytes());
}

TEST_F(ScoreServer, loginOfAnUnknownNameIsRefused) {
    EXPECT_EQ(Login("nobody", "secret"), BadBytes());
}

TEST_F(ScoreServer, registeringATakenNameWithAnotherPasswordIsRefused) {
    Register("alice", "secret");
    QORTestClient other;
    ASSERT_TRUE(other.Connect(Server->Port()));
    EXPECT_EQ(other.Ask(RegisterBytes("alice", "guess"), BadBytes().size()), BadBytes());
    EXPECT_EQ(other.Ask(LoginBytes("alice", "guess"), BadBytes().size()), BadBytes());
}

TEST_F(ScoreServer, registeringAgainWithTheSamePasswordIsAccepted) {
    Register("alice", "secret");
    QORTestClient other;
    ASSERT_TRUE(other.Connect(Server->Port()));
    EXPECT_EQ(other.Ask(RegisterBytes("alice", "secret"), OkBytes().size()), OkBytes());
}

TEST_F(ScoreServer, topListReplyIsByteExactForASmallCase) {
    Register("alice", "secret");
    Client->Send(ResultBytes("alice", "secret", 75, 25));
    const QByteArray date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    const QByteArray expected =
        "ZKSERVER_TOPLIST#\"\"\"alice\"\";\"\"00:01:15\"\";\"\"25\"\";\"\"" + date + "\"\"\"";
    EXPECT_EQ(TopList("alice", "secret", expected), expected);
}

TEST_F(ScoreServer, russianNamesTravelAsTheirCodePageBytes) {
    const QByteArray name = "\xC8\xE3\xF0\xEE\xEA \xB9"
                            "1"; // "Игрок №1"
    Client->Ask("CUBE_REGISTER;" + name + ";\xEF\xE0\xF0\xEE\xEB\xFC", OkBytes().size());
    Client->Send("CUBE_TIMERESULT;" + name + ";\xEF\xE0\xF0\xEE\xEB\xFC;3725;30");
    const QByteArray date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    const QByteArray expected = "ZKSERVER_TOPLIST#\"\"\"" + name +
                                "\"\";\"\"01:02:05\"\";\"\"30\"\";\"\"" + date + "\"\"\"";
    EXPECT_EQ(Client->Ask("CUBE_GETTOP;" + name + ";\xEF\xE0\xF0\xEE\xEB\xFC", expected.size()),
              expected);
}

TEST_F(ScoreServer, resultsWithTooFewShufflesAreStoredButNotRanked) {
    Register("alice", "secret");
    Client->Send(ResultBytes("alice", "secret", 10, 19));
    Client->Send(ResultBytes("alice", "secret", 90, 20));
    const QByteArray expected = TopListBytes({TopRow("alice", 90, 20)});
    EXPECT_EQ(TopList("alice", "secret", expected), expected);
    EXPECT_EQ(Server->Store().ResultCount(), 2);
}

TEST_F(ScoreServer, eachPlayerAppearsOnceWithTheBestTimeFastestFirst) {
    Register("alice", "a");
    Client->Send(ResultBytes("alice", "a", 80, 25) + ResultBytes("alice", "a", 60, 26) +
                 ResultBytes("alice", "a", 70, 27));
    QORTestClient bob;
    ASSERT_TRUE(bob.Connect(Server->Port()));
    bob.Ask(RegisterBytes("bob", "b"), OkBytes().size());
    bob.Send(ResultBytes("bob", "b", 65, 30));
    const QByteArray expected = TopListBytes({TopRow("alice", 60, 26), TopRow("bob", 65, 30)});
    EXPECT_EQ(bob.Ask(GetTopBytes("bob", "b"), expected.size()), expected);
}

TEST_F(ScoreServer, equalTimesGoToTheEarlierResult) {
    Register("alice", "a");
    Register("bob", "b");
    Client->Send(ResultBytes("bob", "b", 50, 21) + ResultBytes("alice", "a", 50, 22) +
                 ResultBytes("bob", "b", 50, 23));
    const QByteArray expected = TopListBytes({TopRow("bob", 50, 21), TopRow("alice", 50, 22)});
    EXPECT_EQ(TopList("alice", "a", expected), expected);
}

TEST_F(ScoreServer, topListIsCutAtTheRowLimit) {
    QORServerOptions options;
    options.Rows = 3;
    Start(options);
    QList<QStringList> rows;
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("p%1").arg(i);
        Register(name, "pw");
        Client->Send(ResultBytes(name, "pw", 100 - i, 25));
        rows.prepend(TopRow(name, 100 - i, 25));
    }
    const QByteArray expected = TopListBytes(rows.mid(0, 3));
    EXPECT_EQ(TopList("p0", "pw", expected), expected);
}

TEST_F(ScoreServer, resultWithBadCredentialsIsRefusedAndNothingIsStored) {
    Register("alice", "secret");
    QORTestClient other;
    ASSERT_TRUE(other.Connect(Server->Port()));
    EXPECT_EQ(other.Ask(ResultBytes("alice", "wrong", 30, 25), BadBytes().size()), BadBytes());
    EXPECT_EQ(other.Ask(ResultBytes("mallory", "x", 30, 25), BadBytes().size()), BadBytes());
    EXPECT_EQ(Server->Store().ResultCount(), 0);
    const QByteArray empty = TopListBytes({});
    EXPECT_EQ(TopList("alice", "secret", empty), empty);
}

TEST_F(ScoreServer, topListWithBadCredentialsIsRefused) {
    Register("alice", "secret");
    Client->Send(ResultBytes("alice", "secret", 30, 25));
    EXPECT_EQ(Client->Ask(GetTopBytes("alice", "secre"), BadBytes().size()), BadBytes());
    EXPECT_EQ(Client->Ask(GetTopBytes("eve", "secret"), BadBytes().size()), BadBytes());
}

TEST_F(ScoreServer, invalidMessagesGetNoReplyAtAll) {
    Register("alice", "secret");
    for (const QByteArray& bad :
         {QByteArray("CUBE_LOGIN;alice"), QByteArray("HELLO"), QByteArray("CUBE_LOGIN;;x"),
          QByteArray("CUBE_TIMERESULT;alice;secret;1;1001"),
          QByteArray("CUBE_TIMERESULT;alice;secret;x;25"), QByteArray("CUBE_GETTOP;alice;\x98")})
        Client->Send(bad);
    // Replies come in order, so anything said to the junk would come before this answer.
    EXPECT_EQ(Login("alice", "secret"), OkBytes());
    EXPECT_EQ(Server->Store().ResultCount(), 0);
}

TEST_F(ScoreServer, twoMessagesInOneWriteAreBothAnswered) {
    Register("alice", "secret");
    Client->Send(LoginBytes("alice", "secret") + LoginBytes("alice", "bad"));
    ASSERT_TRUE(Client->WaitForBytes(OkBytes().size() + BadBytes().size()));
    EXPECT_EQ(Client->Take(), OkBytes() + BadBytes());
}

TEST_F(ScoreServer, oneMessageInTwoWritesIsOneMessage) {
    // A long quiet time, so that the pause between the writes cannot end the message.
    QORServerOptions options;
    options.QuietMs = 1000;
    Start(options);
    Register("alice", "secret");
    Client->Send("CUBE_LOGIN;al");
    Client->Send("ice;secret");
    ASSERT_TRUE(Client->WaitForBytes(OkBytes().size()));
    EXPECT_EQ(Client->Take(), OkBytes());
}

TEST_F(ScoreServer, aMessageEndsWhenTheConnectionFallsQuiet) {
    Register("alice", "secret");
    Client->Send(LoginBytes("alice", "secret"));
    ASSERT_TRUE(Client->WaitForBytes(OkBytes().size()))
        << "no keyword follows: only the quiet time can end the message";
    EXPECT_EQ(Client->Take(), OkBytes());
}

TEST_F(ScoreServer, lineEndsTypedInATerminalAreIgnored) {
    EXPECT_EQ(Client->Ask(RegisterBytes("alice", "secret") + "\r\n", OkBytes().size()), OkBytes());
    EXPECT_EQ(Client->Ask(LoginBytes("alice", "secret") + "\n", OkBytes().size()), OkBytes());
}

TEST_F(ScoreServer, aResultSentJustBeforeHangingUpIsStored) {
    Register("alice", "secret");
    Client->Send(ResultBytes("alice", "secret", 42, 25));
    Client->Socket_().disconnectFromHost();
    EXPECT_TRUE(WaitUntil([&] { return Server->Store().ResultCount() == 1; }));
}

TEST_F(ScoreServer, moreThanFourKibibytesWithoutAMessageCloseTheConnection) {
    Client->Send("CUBE_REGISTER;" + QByteArray(4100, 'x'));
    EXPECT_TRUE(Client->WaitForClose());
    EXPECT_TRUE(Client->Received().isEmpty());
    QORTestClient next;
    ASSERT_TRUE(next.Connect(Server->Port()));
    EXPECT_EQ(next.Ask(RegisterBytes("alice", "secret"), OkBytes().size()), OkBytes());
}

TEST_F(ScoreServer, fourKibibytesOfCompleteMessagesKeepTheConnection) {
    Register("alice", "secret");
    QByteArray many;
    for (int i = 0; i < 400; ++i)
        many += ResultBytes("alice", "secret", 100 + i, 25);
    ASSERT_GT(many.size(), 4096 * 3);
    EXPECT_EQ(Client->Ask(many + LoginBytes("alice", "secret"), OkBytes().size()), OkBytes());
    EXPECT_EQ(Server->Store().ResultCount(), 400);
}

TEST_F(ScoreServer, aSeventeenthConnectionFromOneAddressIsClosed) {
    // The fixture's client is the first of the sixteen.
    std::vector<std::unique_ptr<QORTestClient>> clients;
    for (int i = 1; i < 16; ++i) {
        clients.push_back(std::make_unique<QORTestClient>());
        ASSERT_TRUE(clients.back()->Connect(Server->Port()));
    }
    ASSERT_TRUE(WaitUntil([&] { return Server->Server_().ConnectionCount() == 16; }));
    QORTestClient extra;
    extra.Connect(Server->Port());
    EXPECT_TRUE(extra.WaitForClose());
    EXPECT_EQ(clients.back()->Ask(RegisterBytes("alice", "s"), OkBytes().size()), OkBytes());

    QORTestClient fromElsewhere;
    ASSERT_TRUE(fromElsewhere.Connect(Server->Port(), QHostAddress(QStringLiteral("127.0.0.2"))));
    EXPECT_EQ(fromElsewhere.Ask(LoginBytes("alice", "s"), OkBytes().size()), OkBytes())
        << "the limit is per address";

    // Fifteen from 127.0.0.1 and the one from 127.0.0.2 remain.
    clients.pop_back();
    ASSERT_TRUE(WaitUntil([&] { return Server->Server_().ConnectionCount() == 16; }));
    QORTestClient again;
    ASSERT_TRUE(again.Connect(Server->Port()));
    EXPECT_EQ(again.Ask(LoginBytes("alice", "s"), OkBytes().size()), OkBytes())
        << "a freed place can be taken again";
}

TEST_F(ScoreServer, connectionsOverTheTotalLimitAreClosed) {
    QORServerOptions options;
    options.MaxConnections = 3;
    Start(options);
    QORTestClient second;
    QORTestClient third;
    ASSERT_TRUE(second.Connect(Server->Port(), QHostAddress(QStringLiteral("127.0.0.2"))));
    ASSERT_TRUE(third.Connect(Server->Port(), QHostAddress(QStringLiteral("127.0.0.3"))));
    ASSERT_TRUE(WaitUntil([&] { return Server->Server_().ConnectionCount() == 3; }));
    QORTestClient fourth;
    fourth.Connect(Server->Port(), QHostAddress(QStringLiteral("127.0.0.4")));
    EXPECT_TRUE(fourth.WaitForClose());
    EXPECT_EQ(third.Ask(RegisterBytes("alice", "s"), OkBytes().size()), OkBytes());
}

TEST_F(ScoreServer, aClientThatNeverReadsItsRepliesIsClosed) {
    // A hundred ranked players make every top list some kilobytes long.
    Server->Store().SetPasswordIterations(1);
    for (int p = 0; p < 100; ++p) {
        const QString name = QStringLiteral("ranked player %1").arg(p);
        ASSERT_TRUE(Server->Store().AddResult(*Server->Store().Register(name, "pw"), 100 + p, 25));
    }
    QTcpSocket deaf;
    // Qt stops reading the socket once this one byte is buffered; nothing takes it.
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress(QHostAddress::LocalHost), Server->Port());
    ASSERT_TRUE(WaitUntil([&] { return Server->Server_().ConnectionCount() == 2; }));
    QByteArray requests;
    for (int i = 0; i < 100; ++i)
        requests += GetTopBytes("ranked player 0", "pw");
    bool closed = false;
    for (int round = 0; round < 500 && !closed; ++round) {
        deaf.write(requests);
        closed = !WaitUntil([&] { return deaf.bytesToWrite() == 0; }, 2000) ||
                 Server->Server_().ConnectionCount() == 1;
    }
    EXPECT_TRUE(WaitUntil([&] { return Server->Server_().ConnectionCount() == 1; }));
    EXPECT_EQ(Login("ranked player 1", "pw"), OkBytes()) << "the reading client is served";
}
