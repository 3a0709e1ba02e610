// The server on loopback TCP: replies, framing, limits, load and hostile input.
#include "serverharness.h"
#include <QRandomGenerator>
#include <vector>

using ScoreServer = ServerTest;

// Replies come strictly in order, and the top list is built once per ranking: ranked results
// show at the next request.
TEST_F(ScoreServer, topListReplyIsByteExactAndNewAfterRankedResults) {
    ASSERT_TRUE(Start());
    const QByteArray name = "\xC8\xE3\xF0\xEE\xEA \xB9"
                            "1"; // "Игрок №1" in cp1251
    const QByteArray date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    const QByteArray expected =
        "ZKSERVER_TOPLIST#\"\"\"" + name + "\"\";\"\"01:02:05\"\";\"\"30\"\";\"\"" + date +
        "\"\"\"#\"\"\"alice\"\";\"\"01:02:06\"\";\"\"25\"\";\"\"" + date + "\"\"\"";
    EXPECT_EQ(Client.Ask("CUBE_REGISTER;alice;pwCUBE_REGISTER;" + name + ";pwCUBE_GETTOP;alice;pw" +
                             ResultBytes("alice", 3726, 25) + ResultBytes(name, 3725, 30) +
                             "CUBE_GETTOP;alice;pw",
                         2 * Ok.size() + 16 + expected.size()),
              Ok + Ok + "ZKSERVER_TOPLIST" + expected);
}

// Idle sockets and drips never log in; a logged-in game may stay quiet for hours.
TEST_F(ScoreServer, aConnectionThatHasNotLoggedInInTimeIsClosed) {
    Options.LoginTimeoutMs = 300;
    ASSERT_TRUE(Start());
    EXPECT_EQ(Client.Ask("CUBE_REGISTER;alice;pw", Ok.size()), Ok);
    QORTestClient idle, refused, drip;
    ASSERT_TRUE(idle.Connect(Port()) && refused.Connect(Port()) && drip.Connect(Port()));
    EXPECT_EQ(refused.Ask("CUBE_LOGIN;alice;guess", Bad.size()), Bad);
    // One byte at a time, each on its own too short to be a message.
    QTimer dripping;
    QByteArray drops = "CUBE_LOGIN;alice;pw";
    QObject::connect(&dripping, &QTimer::timeout, [&] {
        drip.Send(drops.left(1));
        drops.remove(0, 1);
    });
    dripping.start(50);
    EXPECT_TRUE(idle.WaitForClose() && refused.WaitForClose() && drip.WaitForClose());
    EXPECT_EQ(Client.Ask("CUBE_GETTOP;alice;pw", 16), "ZKSERVER_TOPLIST");
}

TEST_F(ScoreServer, whenEverySlotIsTakenTheConnectionIdleLongestMakesRoom) {
    Options.MaxPerAddress = 2;
    Options.MaxConnections = 3;
    Options.LoginTimeoutMs = 600000; // Only making room may close a connection here.
    ASSERT_TRUE(Start());
    QORTestClient second, third, other, fourth;
    ASSERT_TRUE(second.Connect(Port()) && WaitUntil([&] { return Connections() == 2; }));
    EXPECT_EQ(Client.Ask("CUBE_REGISTER;alice;pw", Ok.size()), Ok);
    // The address's two places are full: the one that sent nothing since it opened goes.
    ASSERT_TRUE(third.Connect(Port()) && second.WaitForClose());
    ASSERT_TRUE(other.Connect(Port(), 2));
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
    // All three places are full: third is now idle longest.
    ASSERT_TRUE(fourth.Connect(Port(), 3) && third.WaitForClose());
    EXPECT_EQ(fourth.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
    EXPECT_TRUE(Client.IsConnected() && other.IsConnected());
    EXPECT_EQ(Connections(), 3);
}

TEST_F(ScoreServer, aClientIsServedWhileAThousandIdleConnectionsAreOpen) {
    Options.LoginTimeoutMs = 600000;
    ASSERT_TRUE(Start());
    std::vector<std::unique_ptr<QORTestClient>> idle;
    for (int c = 0; c < Options.MaxConnections; ++c) {
        idle.push_back(std::make_unique<QORTestClient>());
        ASSERT_TRUE(idle.back()->Connect(Port(), 2 + c / Options.MaxPerAddress));
    }
    ASSERT_TRUE(WaitUntil([&] { return Connections() == Options.MaxConnections; }));
    QORTestClient elsewhere, fullAddress;
    ASSERT_TRUE(elsewhere.Connect(Port(), 200));
    EXPECT_EQ(elsewhere.Ask("CUBE_REGISTER;alice;pw", Ok.size()), Ok);
    ASSERT_TRUE(fullAddress.Connect(Port(), 2));
    EXPECT_EQ(fullAddress.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
    EXPECT_EQ(Connections(), Options.MaxConnections);
}

// Five failures from one address are free; then its checks wait, and no one else's does.
TEST_F(ScoreServer, aGuessingAddressWaitsWhileOthersAreAnsweredAtOnce) {
    ASSERT_TRUE(Start() && AddPlayer("alice"));
    EXPECT_EQ(Client.Ask(QByteArray("CUBE_LOGIN;alice;guess").repeated(5), 5 * Bad.size()),
              Bad.repeated(5));
    Client.Send("CUBE_LOGIN;alice;pw");
    QORTestClient other;
    ASSERT_TRUE(other.Connect(Port(), 2));
    EXPECT_EQ(other.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
    EXPECT_TRUE(Client.Received.isEmpty());
    EXPECT_TRUE(WaitUntil([&] { return Client.Received == Ok; }));
}

// A derivation of a few hundred milliseconds runs beside the event loop.
TEST_F(ScoreServer, aSlowDerivationDelaysNoOtherClient) {
    Options.PasswordCost = {3, 131072};
    ASSERT_TRUE(Start() && AddPlayer("alice"));
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
    QORTestClient slow;
    ASSERT_TRUE(slow.Connect(Port(), 2));
    const int derivations = Server->Guard().Derivations();
    slow.Send("CUBE_LOGIN;alice;pw");
    ASSERT_TRUE(WaitUntil([&] { return Server->Guard().Derivations() > derivations; }));
    EXPECT_EQ(Client.Ask("CUBE_GETTOP;alice;pw", 16), "ZKSERVER_TOPLIST");
    EXPECT_TRUE(slow.Received.isEmpty());
    EXPECT_TRUE(WaitUntil([&] { return slow.Received == Ok; }));
}

TEST_F(ScoreServer, aClientThatNeverReadsItsRepliesIsClosed) {
    ASSERT_TRUE(Start());
    // A hundred ranked players make every top list some kilobytes long.
    for (int p = 0; p < 100; ++p)
        ASSERT_TRUE(Store.AddResult(AddPlayer(QStringLiteral("ranked player %1").arg(p)), 100, 25,
                                    QDate::currentDate()));
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
    // The system may hold all of them while the first request's credentials are checked.
    EXPECT_TRUE(WaitUntil([&] { return Connections() == 1; }));
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;ranked player 1;pw", Ok.size()), Ok);
}

// Only the hang-up ends each client's last result: a closed connection is quiet too.
TEST_F(ScoreServer, twoHundredClientsThatHangUpAtOnceHaveEveryResultStoredAndTheirBestRanked) {
    constexpr int Clients = 200, Results = 98;
    Options.QuietMs = 600000;
    ASSERT_TRUE(Start());
    std::vector<std::unique_ptr<QORTestClient>> clients;
    for (int c = 0; c < Clients; ++c) {
        // Sixteen clients from each loopback address, the most one address may have.
        clients.push_back(std::make_unique<QORTestClient>());
        ASSERT_TRUE(clients[c]->Connect(Port(), 2 + c / 16));
        const QByteArray name = "load " + QByteArray::number(c);
        QByteArray messages = "CUBE_REGISTER;" + name + ";pw";
        // The best result, of 1000 + c seconds, comes midway.
        for (int r = 0; r < Results; ++r)
            messages += ResultBytes(name, 1000 + c + 1000 * ((r * 37 + 49) % Results), 25);
        clients[c]->Send(messages);
        clients[c]->Socket.disconnectFromHost();
    }
    ASSERT_TRUE(WaitUntil([&] { return Store.ResultCount() == Clients * Results; }, 120000));
    const QList<QORTopRow> top = Store.Top(Clients + 1);
    ASSERT_EQ(top.size(), Clients);
    for (int c = 0; c < Clients; ++c)
        EXPECT_EQ(top[c].Name + ' ' + QString::number(top[c].Seconds),
                  QStringLiteral("load %1 %2").arg(c).arg(1000 + c));
}

TEST_F(ScoreServer, hostileInputNeverStopsTheServerAndFourKibibytesWithoutAMessageHangUp) {
    Options.LoginTimeoutMs = 600000;
    ASSERT_TRUE(Start() && AddPlayer("hostile"));
    const QByteArray valid[] = {"CUBE_LOGIN;hostile;pw", "CUBE_REGISTER;hostile;pw",
                                "CUBE_GETTOP;hostile;pw", ResultBytes("hostile", 31536000, 1000)};
    QRandomGenerator random(4242);
    for (int batch = 1; batch <= 100; ++batch) {
        QORTestClient client;
        ASSERT_TRUE(client.Connect(Port(), 3)) << "batch " << batch;
        // Messages, often cut short, with bytes changed and now and then a long tail of noise.
        QByteArray bytes;
        for (int i = 0; i < 50; ++i) {
            bytes += valid[random.bounded(4)].left(random.bounded(1, 48));
            for (int n = random.bounded(3); n > 0; --n)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            for (int n = random.bounded(4) ? 0 : random.bounded(3000); n > 0; --n)
                bytes += char(random.bounded(256));
        }
        // Every tenth batch is 4101 bytes that hold no message: the server must hang up.
        client.Send(batch % 10 ? bytes : "CUBE_LOGIN;" + QByteArray(4090, 'h'));
        ASSERT_TRUE(WaitUntil([&] {
            return !client.IsConnected() || (batch % 10 && client.Socket.bytesToWrite() == 0);
        }));
    }
    // The batches' address has guessed a lot by now; the first client's has not.
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;hostile;pw", Ok.size()), Ok);
    EXPECT_TRUE(WaitUntil([&] { return Connections() == 1; })) << "every closed one let go";
}
