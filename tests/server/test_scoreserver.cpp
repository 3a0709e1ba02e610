// The server on loopback TCP: replies, framing, limits, load and hostile input.
#include "serverharness.h"
#include <QRandomGenerator>
#include <vector>

using ScoreServer = ServerTest;

TEST_F(ScoreServer, topListReplyIsByteExact) {
    ASSERT_TRUE(Start());
    const QByteArray name = "\xC8\xE3\xF0\xEE\xEA \xB9"
                            "1"; // "Игрок №1" in cp1251
    const QByteArray date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    const QByteArray expected =
        "ZKSERVER_TOPLIST#\"\"\"" + name + "\"\";\"\"01:02:05\"\";\"\"30\"\";\"\"" + date +
        "\"\"\"#\"\"\"alice\"\";\"\"01:02:06\"\";\"\"25\"\";\"\"" + date + "\"\"\"";
    EXPECT_EQ(Client.Ask("CUBE_REGISTER;alice;pwCUBE_REGISTER;" + name + ";pw" +
                             ResultBytes("alice", 3726, 25) + ResultBytes(name, 3725, 30) +
                             "CUBE_GETTOP;alice;pw",
                         2 * Ok.size() + expected.size()),
              Ok + Ok + expected);
}

// Replies come strictly in order, so the exact bytes show which messages were answered.
TEST_F(ScoreServer, messagesEndAtTheNextKeywordOrWhenTheConnectionFallsQuiet) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Client.Ask("HELLO\r\nCUBE_REGISTER;alice;pw\r\nCUBE_TIMERESULT;alice;pw;1;1001"
                         "CUBE_LOGIN;alice;badCUBE_LOGIN;alice;pw\n",
                         2 * Ok.size() + Bad.size()),
              Ok + Bad + Ok);
    EXPECT_EQ(Store.ResultCount(), 0);
}

TEST_F(ScoreServer, aResultSentJustBeforeHangingUpIsStored) {
    Options.QuietMs = 600000; // Only the hang-up can end the last message.
    ASSERT_TRUE(Start());
    Client.Send("CUBE_REGISTER;alice;pw" + ResultBytes("alice", 42, 25));
    Client.Socket.disconnectFromHost();
    EXPECT_TRUE(WaitUntil([&] { return Store.ResultCount() == 1; }));
}

TEST_F(ScoreServer, connectionsOverThePerAddressOrTheTotalLimitAreClosed) {
    Options.MaxPerAddress = 2;
    Options.MaxConnections = 3;
    ASSERT_TRUE(Start());
    QORTestClient second, overAddress, elsewhere, overTotal, again;
    ASSERT_TRUE(second.Connect(Port()) && WaitUntil([&] { return Connections() == 2; }));
    overAddress.Connect(Port());
    EXPECT_TRUE(overAddress.WaitForClose());
    ASSERT_TRUE(elsewhere.Connect(Port(), QHostAddress(QStringLiteral("127.0.0.2"))));
    ASSERT_TRUE(WaitUntil([&] { return Connections() == 3; }));
    overTotal.Connect(Port(), QHostAddress(QStringLiteral("127.0.0.3")));
    EXPECT_TRUE(overTotal.WaitForClose());
    EXPECT_EQ(elsewhere.Ask("CUBE_REGISTER;alice;pw", Ok.size()), Ok);
    // A freed place can be taken again.
    second.Socket.abort();
    ASSERT_TRUE(WaitUntil([&] { return Connections() == 2; }) && again.Connect(Port()));
    EXPECT_EQ(again.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
}

TEST_F(ScoreServer, aClientThatNeverReadsItsRepliesIsClosed) {
    ASSERT_TRUE(Start());
    // A hundred ranked players make every top list some kilobytes long.
    Store.SetPasswordIterations(1);
    for (int p = 0; p < 100; ++p)
        ASSERT_TRUE(Store.AddResult(
            Store.Register(QStringLiteral("ranked player %1").arg(p), "pw").value_or(0), 100, 25));
    QTcpSocket deaf;
    // Qt stops reading the socket once this one byte is buffered; nothing takes it.
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress(QHostAddress::LocalHost), Port());
    ASSERT_TRUE(WaitUntil([&] { return Connections() == 2; }));
    const QByteArray requests = QByteArray("CUBE_GETTOP;ranked player 0;pw").repeated(100);
    for (int round = 0; round < 500 && Connections() == 2; ++round) {
        deaf.write(requests);
        WaitUntil([&] { return deaf.bytesToWrite() == 0 || Connections() == 1; }, 2000);
    }
    EXPECT_EQ(Connections(), 1);
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;ranked player 1;pw", Ok.size()), Ok);
}

TEST_F(ScoreServer, twoHundredClientsHaveEveryResultStoredAndTheirBestRanked) {
    constexpr int Clients = 200, Results = 98;
    ASSERT_TRUE(Start());
    std::vector<std::unique_ptr<QORTestClient>> clients;
    for (int c = 0; c < Clients; ++c) {
        // Sixteen clients from each loopback address, the most one address may have.
        clients.push_back(std::make_unique<QORTestClient>());
        ASSERT_TRUE(clients[c]->Connect(Port(), QHostAddress(0x7F000002 + c / 16)));
        const QByteArray name = "load " + QByteArray::number(c);
        QByteArray messages = "CUBE_REGISTER;" + name + ";pw";
        // The best result, of 1000 + c seconds, comes midway.
        for (int r = 0; r < Results; ++r)
            messages += ResultBytes(name, 1000 + c + 1000 * ((r * 37 + 49) % Results), 25);
        clients[c]->Send(messages + "CUBE_LOGIN;" + name + ";pw");
    }
    for (const auto& client : clients)
        ASSERT_TRUE(WaitUntil([&] { return client->Received == Ok + Ok; }, 120000));
    EXPECT_EQ(Store.ResultCount(), Clients * Results);
    const QList<QORTopRow> top = Store.Top(Clients + 1);
    ASSERT_EQ(top.size(), Clients);
    for (int c = 0; c < Clients; ++c)
        EXPECT_EQ(top[c].Name + ' ' + QString::number(top[c].Seconds),
                  QStringLiteral("load %1 %2").arg(c).arg(1000 + c));
}

TEST_F(ScoreServer, hostileInputNeverStopsTheServerAndFourKibibytesWithoutAMessageHangUp) {
    ASSERT_TRUE(Start() && Store.Register("hostile", "pw"));
    const QByteArray valid[] = {"CUBE_LOGIN;hostile;pw", "CUBE_REGISTER;hostile;pw",
                                "CUBE_GETTOP;hostile;pw", ResultBytes("hostile", 31536000, 1000)};
    QRandomGenerator random(4242);
    for (int batch = 1; batch <= 100; ++batch) {
        QORTestClient client;
        ASSERT_TRUE(client.Connect(Port())) << "batch " << batch;
        // Messages, often cut short, with bytes changed and now and then a long tail of noise.
        QByteArray bytes;
        for (int i = 0; i < 50; ++i) {
            bytes += valid[random.bounded(4)].left(random.bounded(1, 48));
            for (int n = random.bounded(3); n > 0; --n)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            for (int n = random.bounded(4) ? 0 : random.bounded(3000); n > 0; --n)
                bytes += char(random.bounded(256));
        }
        // Every tenth batch ends with 4101 bytes that hold no message: the server must hang up.
        client.Send(batch % 10 ? bytes : bytes + "CUBE_LOGIN;" + QByteArray(4090, 'h'));
        ASSERT_TRUE(WaitUntil([&] {
            return !client.IsConnected() || (batch % 10 && client.Socket.bytesToWrite() == 0);
        }));
    }
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;hostile;pw", Ok.size()), Ok);
    EXPECT_TRUE(WaitUntil([&] { return Connections() == 1; })) << "every closed one let go";
}
