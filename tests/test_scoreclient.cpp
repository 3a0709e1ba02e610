// The score-server client on a plain settings value, against a server played by the test on
// loopback: what goes out byte for byte, how each reply is taken, and what the status says.
#include "app/qorscoreclient.h"

#include "net/qorcp1251.h"
#include "net/qorverified.h"

#include "support/fakescoreserver.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

struct Client {
    FakeScoreServer server;
    QORSettings settings;
    QORScoreClient client{settings};
    QStringList statuses;
    QList<QList<QStringList>> lists;
    QStringList events; // LoginWanted and LoginRefused, with the status at that moment
    QSignalSpy reads{client.ClientSocket, &QTcpSocket::readyRead};

    explicit Client(const char* user = "anna", const char* password = "secret1") {
        settings.HostName = "127.0.0.1";
        settings.HostPort = server.Port();
        settings.UserName = QString::fromUtf8(user);
        settings.Password = QString::fromUtf8(password);
        QObject::connect(&client, &QORScoreClient::StatusChanged,
                         [this](const QString& s) { statuses << s; });
        QObject::connect(&client, &QORScoreClient::TopListReceived,
                         [this](const QList<QStringList>& rows) { lists << rows; });
        QObject::connect(&client, &QORScoreClient::LoginWanted, [this] { events << "wanted"; });
        QObject::connect(&client, &QORScoreClient::LoginRefused,
                         [this] { events << "refused:" + statuses.last(); });
    }
    QString Status() const { return statuses.value(statuses.size() - 1); }
    // Writes a reply and waits until the client has read it: one write, one read.
    void Deliver(const QByteArray& bytes) {
        const qsizetype before = reads.size();
        server.Reply(0, bytes);
        EXPECT_TRUE(QTest::qWaitFor([&] { return reads.size() > before; }));
    }
    void Online() {
        client.ConnectToServer();
        ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
        Deliver("ZKSERVER_LOGIN_OK");
        ASSERT_EQ(Status(), "ZKSERVER IS ONLINE!");
    }
};

} // namespace

TEST(ScoreClient, startIsOfflineOrOffersTheLoginOnlyWhenACredentialIsMissing) {
    Client off;
    off.settings.UpdateTopList = false;
    off.client.Start();
    EXPECT_EQ(off.statuses, QStringList{"OFFLINE"});
    Client missing("anna", "");
    missing.client.Start();
    EXPECT_EQ(missing.events, QStringList{"wanted"});
    EXPECT_TRUE(missing.statuses.isEmpty()) << "no credentials, no attempt";
    Client noOffer("", "");
    noOffer.settings.ShowLogin = false;
    noOffer.client.Start();
    EXPECT_TRUE(noOffer.events.isEmpty());
}

TEST(ScoreClient, storedCredentialsLogInOnConnectAndARefusalIsToldThenCloses) {
    Client c("Ёжик", "пароль");
    c.client.Start();
    EXPECT_EQ(c.Status(), "ПОДКЛЮЧЕНИЕ...");
    ASSERT_TRUE(c.server.WaitFor(0, "CUBE_LOGIN;\xA8\xE6\xE8\xEA;\xEF\xE0\xF0\xEE\xEB\xFC"));
    EXPECT_EQ(c.Status(), "АВТОРИЗАЦИЯ...");
    c.Deliver("ZKSERVER_LOGIN_OK\r\n");
    EXPECT_EQ(c.Status(), "ZKSERVER IS ONLINE!") << "a trailing line end is fine";
    c.Deliver("ZKSERVER_LOGIN_BAD"); // refused: said so, then the connection closes
    EXPECT_EQ(c.events, QStringList{"refused:ОШИБКА: ЛОГИН/ПАРОЛЬ!"});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return c.server.connections[0]->state() == QAbstractSocket::UnconnectedState; }));
    // A server whose store cannot answer closes without a verdict: unavailable, no refusal.
    Client down;
    down.client.ConnectToServer();
    ASSERT_TRUE(down.server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    down.server.connections[0]->abort();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return down.client.ClientSocket->state() == QAbstractSocket::UnconnectedState;
    }));
    EXPECT_EQ(down.Status(), "СЕРВЕР НЕДОСТУПЕН!");
    EXPECT_TRUE(down.events.isEmpty());
}

TEST(ScoreClient, aReplyCutIntoPiecesAnywhereIsReadWholeAsThePiecesCome) {
    QList<QStringList> rows;
    QByteArray reply = "ZKSERVER_TOPLIST";
    for (int i = 0; i < 100; ++i) {
        rows << QStringList{QStringLiteral("p%1").arg(i), "00:00:09", "30", "01.12.2026"};
        reply += "#" + rows.last().join(';').toLatin1();
    }
    // Cut in the keyword's common start, in the keyword, and after a few rows.
    for (qsizetype cut : {5, 12, 189}) {
        Client c;
        c.Online();
        c.Deliver(reply.left(cut));
        c.Deliver(reply.mid(cut));
        ASSERT_FALSE(c.lists.isEmpty()) << cut;
        EXPECT_EQ(c.lists.last(), rows) << cut;
        c.Deliver("ZKSERVER_LOGIN_OK"); // a new reply ends the list
        c.Deliver("#ghost;1;2;3");
        EXPECT_EQ(c.lists.last(), rows) << cut;
    }
}

TEST(ScoreClient, whileUnreachableOrUnconnectedNothingGoesOutAndTheNextAttemptReadsThePortAfresh) {
    Client c;
    {
        QTcpServer probe; // a port that was free a moment ago
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        c.settings.HostPort = probe.serverPort();
    }
    c.client.ConnectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Status() == "СЕРВЕР НЕДОСТУПЕН!"; }));
    EXPECT_FALSE(c.client.RequestTopList() || c.client.SubmitResult(12, 30));
    EXPECT_EQ(c.Status(), "РЕЗУЛЬТАТ НЕ ОТПРАВЛЕН");
    c.settings.HostPort = c.server.Port();
    c.Online();
    // New credentials while connected send no login but go with the next message.
    c.settings.UserName = "bob";
    c.client.ConnectToServer();
    ASSERT_TRUE(c.client.RequestTopList() && c.client.SubmitResult(75, 0));
    EXPECT_TRUE(c.server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_GETTOP;bob;secret1"
                                    "CUBE_TIMERESULT;bob;secret1;75;0"));
    EXPECT_EQ(c.server.connections.size(), 1);
    c.Deliver(ToCp1251(QString::fromUtf8(
        "ZKSERVER_TOPLIST#\"\"\"Иван Петров\"\";00:01:02;30;07.12.2026\"#bob;9")));
    const QList<QStringList> rows = {{"Иван Петров", "00:01:02", "30", "07.12.2026"}, {"bob", "9"}};
    EXPECT_EQ(c.lists.last(), rows);
}

// A lost connection is opened again, after a back-off, and logs in with the stored
// credentials; not once the top list is off.
TEST(ScoreClient, aLostConnectionLogsInAgainByItselfUnlessTheTopListIsOff) {
    Client c;
    c.client.FirstRetry = std::chrono::milliseconds(50);
    QSignalSpy loggedIn(&c.client, &QORScoreClient::LoggedIn);
    c.Online();
    const quint16 port = c.server.Port(); // the server restarts on its port
    c.server.server.close();
    c.server.connections[0]->abort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Status() == "СЕРВЕР НЕДОСТУПЕН!"; }));
    // Each failed attempt waits twice as long as the one before; load only makes waits longer.
    QList<qint64> attempts;
    QElapsedTimer clock;
    QObject context;
    clock.start();
    QObject::connect(&c.client, &QORScoreClient::StatusChanged, &context, [&](const QString& s) {
        if (s == "ПОДКЛЮЧЕНИЕ...")
            attempts << clock.elapsed();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return attempts.size() == 4; }));
    for (int k = 1; k < 4; ++k)
        EXPECT_GE(attempts[k] - attempts[k - 1], 50 * (1 << k) * 9 / 10) << k;
    ASSERT_TRUE(c.server.server.listen(QHostAddress::LocalHost, port));
    ASSERT_TRUE(c.server.WaitFor(1, "CUBE_LOGIN;anna;secret1"));
    c.server.Reply(1, "ZKSERVER_LOGIN_OK");
    EXPECT_TRUE(QTest::qWaitFor([&] { return loggedIn.size() == 2; }));
    c.settings.UpdateTopList = false;
    c.server.connections[1]->abort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Status() == "СЕРВЕР НЕДОСТУПЕН!"; }));
    // Ten back-offs pass without a new connection.
    EXPECT_FALSE(QTest::qWaitFor([&] { return c.server.connections.size() > 2; }, 500));
}

// Verified replies end with a line feed: each is read whole, cut anywhere or sharing a read
// with the seed's replies, and tells its verdict in the status.
TEST(ScoreClient, verifiedRequestsGoLineEndedAndTheirRepliesAreReadWholeBesideTheSeeds) {
    const QByteArray id(32, 'a');
    Client c;
    QStringList seen;
    QObject::connect(
        &c.client, &QORScoreClient::ScrambleDealt,
        [&](const QString& i, const QList<QORMove>& m) { seen << i + ':' + MovesText(m); });
    QObject::connect(
        &c.client, &QORScoreClient::VerifiedTopListReceived,
        [&](const QList<QORProtocol::VerifiedRow>& r, const QString& k) { seen << k + r[0].Nick; });
    c.Online();
    // A scramble's and a solve's requests go from the game's window (Results tests). Each list
    // is taken for the kind asked for in its turn.
    ASSERT_TRUE(c.client.RequestTopList2() && c.client.RequestTopList2(QORProtocol::RandomKind));
    EXPECT_TRUE(c.server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_GETTOP2;anna;secret1\n"
                                    "CUBE_GETTOP2;anna;secret1;RANDOM\n"));
    // The reads, the status after the last of them, and the scrambles and lists seen.
    const std::tuple<QList<QByteArray>, const char*, QStringList> cases[] = {
        {{"ZKSERVER_SOL", "VE_OK;" + id + ";3", "\nZKSERVER_TOPLIST#bob;9"},
         "РЕЗУЛЬТАТ ПРОВЕРЕН: 3-е место", {}},
        {{"ZKSERVER_LOGIN_OKZKSERVER_SOLVE_OK;" + id + ";0\n"}, "РЕЗУЛЬТАТ ПРОВЕРЕН", {}},
        {{" ZKSERVER_SOLVE_BAD;" + id + ";UNSOLVED\n"}, "РЕЗУЛЬТАТ ОТКЛОНЁН: КУБИК НЕ СОБРАН", {}},
        {{"ZKSERVER_SOLVE_BAD;" + id + ";HELD\n"}, "РЕЗУЛЬТАТ ЖДЁТ ПРОВЕРКИ ОПЕРАТОРОМ", {}},
        {{"ZKSERVER_SCRAMBLE;" + id + ";2;R U'\nZKSERVER_TOPLIST2#\"zed;41",
          "230;9;5;07.12.2026\"\nZKSERVER_TOPLIST2#\"bob;1;2;3;07.12.2026\"\n"},
         "", {id + ":R U'", "zed", "RANDOMbob"}},
    };
    for (const auto& [reads, status, scrambles] : cases) {
        seen.clear();
        c.statuses.clear();
        for (const QByteArray& read : reads)
            c.Deliver(read);
        EXPECT_EQ(c.Status(), QString::fromUtf8(status)) << reads[0].toStdString();
        EXPECT_EQ(seen, scrambles) << reads[0].toStdString();
    }
    EXPECT_EQ(c.lists, (QList<QList<QStringList>>{{{"bob", "9"}}})) << "a seed reply after one";
    // A server that knows no random-state or daily list refuses its request as a malformed one.
    for (const QString& kind : {QORProtocol::RandomKind, QORProtocol::DailyKind}) {
        ASSERT_TRUE(c.client.RequestTopList2(kind));
        c.Deliver("ZKSERVER_LOGIN_BAD");
        EXPECT_TRUE(c.client.LoggedInNow() && c.client.Connected()) << "the login stands";
    }
}
