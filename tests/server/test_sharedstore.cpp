#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "serverharness.h"
#include <QElapsedTimer>
#include <QUrl>
#include <gmock/gmock.h>

// Servers on one PostgreSQL database; skipped only where PostgreSQL is not installed.
using SharedStore = EitherStore;
INSTANTIATE_TEST_SUITE_P(, SharedStore, ::testing::Values("PostgreSQL"),
                         [](const auto& info) { return std::string(info.param); });

TEST_P(SharedStore, twoServersShareOneTopListWithinASecondAndRacingRegistrationsMakeOneAccount) {
    // The second one has its password from the environment, as libpq reads it.
    QProcess first, second;
    QUrl withoutPassword(Path);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PGPASSWORD", withoutPassword.password());
    withoutPassword.setPassword(QString());
    second.setProcessEnvironment(environment);
    const quint16 ports[] = {
        LaunchServer(first, {"--db", Path, "--port", "0"}),
        LaunchServer(second, {"--db", withoutPassword.toString(), "--port", "0"})};
    ASSERT_TRUE(ports[0] && ports[1]);
    // One name, eight passwords, sent at once to both servers: one account, one of them right.
    std::vector<QORTestClient> racers(8);
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(racers[i].Connect(ports[i % 2], 10 + i));
    for (int i = 0; i < 8; ++i)
        racers[i].Send("CUBE_REGISTER;" + QByteArray(i % 2 ? "Zoe" : "zoe ") + ";pw" +
                       QByteArray::number(i));
    const auto answered = [](const QORTestClient& c) { return c.Received.size() >= Ok.size(); };
    ASSERT_TRUE(WaitUntil([&] { return std::all_of(racers.begin(), racers.end(), answered); }));
    EXPECT_EQ(std::count_if(racers.begin(), racers.end(), [](auto& c) { return c.Received == Ok; }),
              1);
    ASSERT_TRUE(Store.Open(Path, 20));
    QSqlQuery accounts(Store.Database());
    ASSERT_TRUE(accounts.exec("SELECT COUNT(*) FROM users") && accounts.next());
    EXPECT_EQ(accounts.value(0).toInt(), 1);

    // The second server has its empty list cached when the first stores a result.
    QORTestClient writer, reader;
    ASSERT_TRUE(writer.Connect(ports[0]) && reader.Connect(ports[1]));
    const QByteArray top = "CUBE_GETTOP;reader;pw";
    const QByteArray empty = ToCp1251(QORProtocol::TopListReply({}));
    ASSERT_EQ(reader.Ask("CUBE_REGISTER;reader;pw" + top, Ok.size() + empty.size()), Ok + empty);
    ASSERT_EQ(
        writer.Ask("CUBE_REGISTER;anna;pw" + ResultBytes("anna", 30, 25) + "CUBE_LOGIN;anna;pw",
                   2 * Ok.size()),
        Ok + Ok);
    const QByteArray fresh = ToCp1251(QORProtocol::TopListReply(
        {{"anna", "00:00:30", "25", QDate::currentDate().toString("dd.MM.yyyy")}}));
    QElapsedTimer stored;
    stored.start();
    QByteArray reply;
    while (reply != fresh && stored.elapsed() < 1000) {
        reader.Send(top);
        WaitUntil([&] { return reader.Received == empty || reader.Received == fresh; });
        reply = std::exchange(reader.Received, QByteArray());
    }
    EXPECT_EQ(reply, fresh) << "after " << stored.elapsed() << " ms";
}

// Accounts and results go to PostgreSQL and back whole; players log in with their passwords,
// new ones register, and a target that holds anything is refused.
TEST_P(SharedStore, copyDbMovesEveryAccountAndResultBothWaysIntoEmptyStoresOnly) {
    const QString file = Dir.filePath("from.sqlite"), back = Dir.filePath("back.sqlite");
    ASSERT_TRUE(Store.Open(file, 20));
    for (const auto& [name, seconds, shuffles] :
         {std::tuple("alice", 50, 25), std::tuple("bob", 40, 19), std::tuple("alice", 45, 30)})
        ASSERT_TRUE(Store.AddResult(AddPlayer(name), seconds, shuffles, QDate(2024, 1, 2)));
    // A random-state solve, the fastest, stays apart from the seed list through both copies;
    // a day's daily scramble goes along.
    const QString id(32, 'b'), kind = QORProtocol::RandomKind;
    qint64 solve = 0;
    ASSERT_TRUE(Store.AddScramble(id, {1, 30, "R", 0, false, kind}) &&
                Store.AddSolve({1, id, 30, 9000, 1, "R'@1", QDate(2024, 1, 2), false, kind},
                               solve) == QORScoreStore::SolveStored::Stored &&
                Store.KeepDailyScramble(QDate(2024, 1, 2), "R U", QDateTime::currentDateTimeUtc()));
    const auto copy = [](const QString& from, const QString& to) {
        QProcess process;
        process.start(QUELMORA_SERVER_PATH, {"--copy-db", from, to});
        process.waitForFinished();
        return (QByteArray::number(process.exitCode()) + ' ' +
                (process.readAllStandardOutput() + process.readAllStandardError()).trimmed())
            .toStdString();
    };
    EXPECT_EQ(copy(file, Path), "0 copied 2 accounts and 4 results");
    EXPECT_THAT(copy(file, Path), ::testing::HasSubstr("1 quelmora-server: nothing copied: "))
        << "not empty";
    QProcess server;
    QORTestClient client;
    ASSERT_TRUE(client.Connect(LaunchServer(server, {"--db", Path, "--port", "0"})));
    ASSERT_EQ(client.Ask("CUBE_LOGIN;alice;pw" + ResultBytes("alice", 44, 25) +
                             "CUBE_REGISTER;carol;pw" + ResultBytes("carol", 20, 20) +
                             "CUBE_LOGIN;carol;pw",
                         3 * Ok.size()),
              Ok + Ok + Ok);
    EXPECT_EQ(copy(Path, back), "0 copied 3 accounts and 6 results");
    ASSERT_TRUE(Store.Open(back, 20));
    EXPECT_EQ(Ranking(10), (QStringList{"carol 20 20", "alice 44 25"}));
    EXPECT_EQ(Store.VerifiedTop(10, kind).value(0).ResultId, solve);
    EXPECT_EQ(Store.Scramble(id).value_or(QORScramble()).Kind, kind);
    EXPECT_EQ(Store.DailyScramble(QDate(2024, 1, 2)).value_or(""), "R U");
    EXPECT_EQ(Store.Account("ALICE").value_or(QORAccount()).Id, 1);
}

// A database that refuses for a while or restarts loses nothing answered: results are written
// within 2 s of its return. Meanwhile a login gets no verdict but a closed connection. After
// a restart, a server that only reads hears of the other's results again.
TEST_P(SharedStore, anOutageOrRestartLosesNoResultTellsNoVerdictAndServersAgreeAfter) {
    QORPostgresCluster& cluster = QORPostgresCluster::Shared();
    const QString database = QUrl(Path).path().mid(1);
    const quint16 port = Launch();
    QProcess second;
    QORTestClient writer, reader, stranger;
    ASSERT_TRUE(writer.Connect(port) &&
                reader.Connect(LaunchServer(second, {"--db", Path, "--port", "0"})));
    const auto add = [&](int seconds) {
        return writer.Ask(ResultBytes("anna", seconds, 25) + "CUBE_LOGIN;anna;pw", Ok.size()) == Ok;
    };
    const auto readerSees = [&](int seconds) {
        const QByteArray top = ToCp1251(QORProtocol::TopListReply(
            {{"anna", QStringLiteral("00:01:%1").arg(seconds - 60, 2, 10, QChar('0')), "25",
              QDate::currentDate().toString("dd.MM.yyyy")}}));
        return WaitUntil([&] { return reader.Ask("CUBE_GETTOP;r;pw", top.size()) == top; }, 3000);
    };
    const auto written = [&](int count) {
        return WaitUntil([&] { return Store.ResultCount() == count; }, 2000);
    };
    ASSERT_EQ(writer.Ask("CUBE_REGISTER;anna;pw", Ok.size()) +
                  reader.Ask("CUBE_REGISTER;r;pw", Ok.size()),
              Ok + Ok);
    ASSERT_TRUE(add(90) && readerSees(90) && Store.Open(Path, 20));
    ASSERT_TRUE(cluster.Psql({"ALTER DATABASE " + database + " ALLOW_CONNECTIONS false",
                              "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                              "datname = '" +
                                  database + "'"}));
    ASSERT_TRUE(stranger.Connect(port));
    stranger.Send("CUBE_LOGIN;anna;pw");
    EXPECT_TRUE(stranger.WaitForClose());
    EXPECT_EQ(stranger.Received, "") << "no verdict";
    ASSERT_TRUE(add(80));
    ASSERT_TRUE(cluster.Psql({"ALTER DATABASE " + database + " ALLOW_CONNECTIONS true"}));
    EXPECT_TRUE(written(2));
    ASSERT_TRUE(cluster.Restart() && add(70));
    EXPECT_TRUE(written(3));
    EXPECT_TRUE(readerSees(70)) << "the top list kept from before is dropped";
    ASSERT_TRUE(add(60));
    EXPECT_TRUE(readerSees(60)) << "the new connection listens again";
}
