#include "serverharness.h"

#include "app/qorcp1251.h"
#include "net/qorprotocol.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr int Clients = 200;
constexpr int MessagesPerClient = 100;
// Register, the results, and the closing top-list request.
constexpr int ResultsPerClient = MessagesPerClient - 2;

// Whether the top list after the register's answer, as far as it has come, already shows
// the row.
bool ShowsRow(const QByteArray& received, const QStringList& row) {
    if (!received.startsWith(OkBytes()))
        return false;
    const QORProtocol::Reply reply =
        QORProtocol::ParseReply(FromCp1251(received.mid(OkBytes().size())));
    return reply.What == QORProtocol::Reply::TopListRows && reply.Rows.contains(row);
}

} // namespace

TEST(ServerLoad, twoHundredClientsHaveEveryResultStored) {
    QORServerOptions options;
    options.Rows = 1000;
    QORTestServer server(options);
    ASSERT_TRUE(server.Start());

    // Sixteen clients per loopback address, the most one address may have.
    std::vector<std::unique_ptr<QORTestClient>> clients;
    std::vector<QStringList> expected;
    for (int c = 0; c < Clients; ++c) {
        clients.push_back(std::make_unique<QORTestClient>());
        const QHostAddress from(QStringLiteral("127.0.0.%1").arg(2 + c / 16));
        ASSERT_TRUE(clients.back()->Connect(server.Port(), from)) << "client " << c;
    }
    QElapsedTimer timer;
    timer.start();
    for (int c = 0; c < Clients; ++c) {
        const QString name = QStringLiteral("load %1").arg(c);
        QByteArray batch = RegisterBytes(name, "pw");
        int best = std::numeric_limits<int>::max();
        for (int r = 0; r < ResultsPerClient; ++r) {
            const int seconds = 1000 + (c * 7919 + r * 104729) % 50000;
            best = std::min(best, seconds);
            batch += ResultBytes(name, "pw", seconds, 25);
            if (batch.size() > 1000) {
                clients[c]->Send(batch);
                batch.clear();
            }
        }
        clients[c]->Send(batch + GetTopBytes(name, "pw"));
        expected.push_back(TopRow(name, best, 25));
    }
    std::vector<bool> answered(Clients, false);
    int remaining = Clients;
    const bool finished = WaitUntil(
        [&] {
            for (int c = 0; c < Clients; ++c) {
                if (!answered[c] && ShowsRow(clients[c]->Received(), expected[c])) {
                    answered[c] = true;
                    --remaining;
                }
            }
            return remaining == 0;
        },
        60000);
    ASSERT_TRUE(finished) << remaining << " clients unanswered";
    std::printf("%d messages from %d clients answered in %lld ms\n", Clients * MessagesPerClient,
                Clients, static_cast<long long>(timer.elapsed()));
    EXPECT_LT(timer.elapsed(), 60000);
    EXPECT_EQ(CountResultsInFile(server.DatabasePath()), qint64(Clients) * ResultsPerClient);
}

TEST(ServerLoad, hostileInputNeverStopsTheServer) {
    QORTestServer server;
    ASSERT_TRUE(server.Start());
    {
        QORTestClient owner;
        ASSERT_TRUE(owner.Connect(server.Port()));
        ASSERT_EQ(owner.Ask(RegisterBytes("hostile", "secret"), OkBytes().size()), OkBytes());
    }
    const QList<QByteArray> valid = {
        LoginBytes("hostile", "secret"), RegisterBytes("hostile", "secret"),
        GetTopBytes("hostile", "secret"), ResultBytes("hostile", "secret", 1234, 25),
        ResultBytes("hostile", "secret", 31536000, 1000)};
    QRandomGenerator random(4242);
    auto hostileMessage = [&]() -> QByteArray {
        const QByteArray& sample = valid[random.bounded(int(valid.size()))];
        switch (random.bounded(5)) {
        case 0: {
            QByteArray bytes(random.bounded(200), Qt::Uninitialized);
            for (char& b : bytes)
                b = char(random.bounded(256));
            return bytes;
        }
        case 1:
            return sample.left(random.bounded(int(sample.size())));
        case 2: {
            QByteArray bytes = sample;
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            return bytes;
        }
        case 3:
            return sample.left(random.bounded(int(sample.size()))) + QByteArray(";;;;\"#\r\n");
        default:
            // A field far too long, though well inside the pending limit.
            return sample + QByteArray(random.bounded(100, 3000), char(random.bounded(256)));
        }
    };

    int sent = 0;
    int reconnects = 0;
    auto client = std::make_unique<QORTestClient>();
    ASSERT_TRUE(client->Connect(server.Port()));
    while (sent < 10000) {
        QByteArray batch;
        for (int i = 0; i < 50; ++i, ++sent)
            batch += hostileMessage();
        // A huge field now and then, past the pending limit: the server must hang up.
        const bool huge = sent % 1000 == 0;
        if (huge)
            batch += "CUBE_LOGIN;" + QByteArray(5000, 'h');
        client->Send(batch);
        ASSERT_TRUE(WaitUntil(
            [&] { return client->Socket_().bytesToWrite() == 0 || !client->IsConnected(); }));
        if (huge) {
            ASSERT_TRUE(client->WaitForClose()) << "after " << sent << " messages";
        }
        if (!client->IsConnected()) {
            ++reconnects;
            client = std::make_unique<QORTestClient>();
            ASSERT_TRUE(client->Connect(server.Port()));
        }
    }
    client.reset();
    EXPECT_GE(reconnects, 10);

    QORTestClient after;
    ASSERT_TRUE(after.Connect(server.Port()));
    EXPECT_EQ(after.Ask(LoginBytes("hostile", "secret"), OkBytes().size()), OkBytes());
    EXPECT_TRUE(WaitUntil([&] { return server.Server_().ConnectionCount() == 1; }))
        << "every closed connection has been let go";
}
