#include "serverharness.h"
#include <QRandomGenerator>
#include <vector>

using ScoreServer = ServerTest;

// Replies come strictly in order, and the top list is built once per ranking: ranked results
// show at the next request.
TEST_F(ScoreServer, topListReplyIsByteExactAndNewAfterRankedResults) {
    ASSERT_TRUE(Start());
    const QByteArray name = QByteArray("\xC8\xE3\xF0\xEE\xEA \xB9") + '1'; // "Игрок №1" in cp1251
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

// Idle sockets, refused guessers and drips never log in, and are closed. A check held back for
// its address's failures, or slow for its hash's cost, holds up no other client: the delay is
// a timer, and the derivation runs beside the event loop.
TEST_F(ScoreServer, aConnectionMustLogInInTimeAndAHeldBackOrSlowCheckHoldsUpNoOtherClient) {
    Options.LoginTimeoutMs = 300;
    // Hashed before the server starts, so that no deadline passes meanwhile.
    const QByteArray slowHash = HashPassword("pw", {3, 131072});
    ASSERT_TRUE(Start() && Store.AddAccount("slow", slowHash));
    // Five failures from one address are free; then its checks wait, and no one else's does.
    const QByteArray guess = "CUBE_LOGIN;alice;guess";
    EXPECT_EQ(Client.Ask("CUBE_REGISTER;alice;pw" + guess.repeated(5), Ok.size() + 5 * Bad.size()),
              Ok + Bad.repeated(5));
    Client.Send("CUBE_REGISTER;carol;pw");
    QORTestClient other, slow, idle, refused, drip;
    ASSERT_TRUE(other.Connect(Port(), 2) && slow.Connect(Port(), 3) && idle.Connect(Port(), 4) &&
                refused.Connect(Port(), 4) && drip.Connect(Port(), 4));
    // One byte at a time, each on its own too short to be a message.
    QTimer dripping;
    int dropped = 0;
    QObject::connect(&dripping, &QTimer::timeout,
                     [&] { drip.Send(QByteArray("CUBE_LOGIN;alice;pw").mid(dropped++, 1)); });
    dripping.start(50);
    EXPECT_EQ(refused.Ask(guess, Bad.size()), Bad);
    slow.Send("CUBE_LOGIN;slow;pw");
    EXPECT_EQ(other.Ask("CUBE_LOGIN;alice;pw", Ok.size()), Ok);
    EXPECT_TRUE(Client.Received.isEmpty());
    EXPECT_EQ(other.Ask("CUBE_GETTOP;alice;pw", 16), "ZKSERVER_TOPLIST");
    EXPECT_TRUE(slow.Received.isEmpty());
    EXPECT_TRUE(idle.WaitForClose() && refused.WaitForClose() && drip.WaitForClose());
    EXPECT_EQ(other.Ask("CUBE_GETTOP;alice;pw", 16), "ZKSERVER_TOPLIST") << "logged in in time";
    EXPECT_TRUE(WaitUntil([&] { return Client.Received == Ok && slow.Received == Ok; }));
}

// When every place is taken, strangers make room first, the oldest first. A logged-in player
// goes only from an address that holds others, the one idle longest; an address that has all
// its places makes room among its own the same way.
TEST_F(ScoreServer, whenEveryPlaceIsTakenStrangersGoFirstAndAPlayerAloneAtAnAddressStays) {
    Options.MaxConnections = 5;
    Options.MaxPerAddress = 2;
    ASSERT_TRUE(Start());
    EXPECT_EQ(Client.Ask("CUBE_REGISTER;alice;pw", Ok.size()), Ok); // idlest, alone at .1
    std::vector<QORTestClient> c(9);
    // Address, and whether it logs in; then the one it closes, -1 for none.
    const int rows[][3] = {{2, 1, -1}, {2, 1, -1}, {3, 0, -1}, {4, 0, -1}, {5, 1, 2},
                           {6, 1, 3},  {7, 0, 0},  {6, 0, 6},  {6, 0, 7}};
    for (int i = 0; i < 9; ++i) {
        ASSERT_TRUE(c[i].Connect(Port(), rows[i][0])) << i;
        EXPECT_TRUE(rows[i][2] < 0 || c[rows[i][2]].WaitForClose()) << i;
        EXPECT_TRUE(!rows[i][1] || c[i].Ask("CUBE_LOGIN;alice;pw", Ok.size()) == Ok) << i;
    }
    EXPECT_EQ(Client.Ask("CUBE_GETTOP;alice;pw", 16), "ZKSERVER_TOPLIST");
    EXPECT_TRUE(c[1].IsConnected() && c[4].IsConnected() && c[5].IsConnected());
}

// Only the hang-up ends each client's last result: a closed connection is quiet too.
TEST_F(ScoreServer, twoHundredClientsThatHangUpAtOnceHaveEveryResultStoredAndTheirBestRanked) {
    constexpr int Clients = 200, Results = 98;
    Options.QuietMs = 600000;
    ASSERT_TRUE(Start());
    std::vector<QORTestClient> clients(Clients);
    QStringList ranking;
    for (int c = 0; c < Clients; ++c) {
        // Sixteen clients from each loopback address, the most one address may have.
        ASSERT_TRUE(clients[c].Connect(Port(), 2 + c / 16));
        const QByteArray name = "load " + QByteArray::number(c);
        QByteArray messages = "CUBE_REGISTER;" + name + ";pw";
        // The best result, of 1000 + c seconds, comes midway.
        for (int r = 0; r < Results; ++r)
            messages += ResultBytes(name, 1000 + c + 1000 * ((r * 37 + 49) % Results), 25);
        ranking << QStringLiteral("load %1 %2 25").arg(c).arg(1000 + c);
        clients[c].Send(messages);
        clients[c].Socket.disconnectFromHost();
    }
    ASSERT_TRUE(WaitUntil([&] { return Store.ResultCount() == Clients * Results; }, 120000));
    EXPECT_EQ(Ranking(Clients + 1), ranking);
}

// Noise, also of the verified list's messages, never stops the server. A connection is closed once it has sent 4 KiB without a
// message, or left a mebibyte of replies unread.
TEST_F(ScoreServer, hostileInputNeverStopsTheServerAndFloodsAndDeafClientsAreClosed) {
    ASSERT_TRUE(Start());
    // A hundred ranked players make every top list some kilobytes long.
    for (int p = 0; p < 100; ++p)
        ASSERT_TRUE(Store.AddResult(AddPlayer(QStringLiteral("player %1").arg(p)), 100, 25,
                                    QDate::currentDate()));
    // The verified list's messages too, with a scramble dealt that a solve below may take.
    const QByteArray id(32, 'a');
    ASSERT_TRUE(Store.AddScramble(id, {AddPlayer("player 0"), 2, "R U",
                                       QDateTime::currentMSecsSinceEpoch() - 60000, false, {}}));
    const QByteArray valid[] = {"CUBE_LOGIN;player 0;pw", "CUBE_REGISTER;player 0;pw",
                                "CUBE_GETTOP;player 0;pw", ResultBytes("player 0", 31536000, 1000),
                                "CUBE_SCRAMBLE;player 0;pw;1000\n", "CUBE_GETTOP2;player 0;pw\n",
                                "CUBE_SOLVE;player 0;pw;" + id + ";9000;U'@4000 R'@8000\n",
                                "CUBE_SCRAMBLE;player 0;pw;RANDOM\n", "CUBE_GETTOP2;player 0;pw;RANDOM\n"};
    QRandomGenerator random(4242);
    for (int batch = 1; batch <= 100; ++batch) {
        QORTestClient client;
        ASSERT_TRUE(client.Connect(Port(), 3)) << "batch " << batch;
        // Messages, often cut short, with bytes changed and now and then a long tail of noise.
        QByteArray bytes;
        for (int i = 0; i < 50; ++i) {
            bytes += valid[random.bounded(9)].left(random.bounded(1, 80));
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
    ASSERT_TRUE(WaitUntil([&] { return Connections() == 1; })) << "every closed one let go";
    QTcpSocket deaf;
    // Qt stops reading the socket once this one byte is buffered; nothing takes it.
    deaf.setReadBufferSize(1);
    deaf.connectToHost(QHostAddress(QHostAddress::LocalHost), Port());
    ASSERT_TRUE(WaitUntil([&] { return Connections() == 2; }));
    const QByteArray requests = QByteArray("CUBE_GETTOP;player 0;pw").repeated(100);
    for (int round = 0; round < 500 && Connections() == 2; ++round) {
        deaf.write(requests);
        WaitUntil([&] { return deaf.bytesToWrite() == 0 || Connections() == 1; }, 2000);
    }
    // The system may hold all of them while the first request's credentials are checked.
    EXPECT_TRUE(WaitUntil([&] { return Connections() == 1; }));
    // The batches' address has guessed a lot by now; the first client's has not.
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;player 1;pw", Ok.size()), Ok);
}
