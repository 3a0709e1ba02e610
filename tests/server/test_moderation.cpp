#include "net/qorclocktext.h"
#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include "serverharness.h"
#include <QSqlQuery>
#include <QSqlRecord>

// The operator's commands run as their own process beside a running server, on both stores.
using Moderation = EitherStore;
ON_EITHER_STORE(Moderation);

namespace {

// The server program's exit code, then what it printed.
std::string Operate(const QStringList& arguments) {
    QProcess process;
    process.start(QUELMORA_SERVER_PATH, arguments);
    process.waitForFinished();
    return (QByteArray::number(process.exitCode()) + ' ' +
            (process.readAllStandardOutput() + process.readAllStandardError()).trimmed())
        .toStdString();
}

// The seed top list of players with 25-shuffle results of 2 January 2024.
QByteArray Top(const QList<std::pair<QString, int>>& players) {
    QList<QStringList> rows;
    for (const auto& [name, seconds] : players)
        rows << QStringList{name, ClockText(seconds), "25", "02.01.2024"};
    return ToCp1251(QORProtocol::TopListReply(rows));
}

// Each column of the query's rows, joined by "|", the rows by "\n".
QString Rows(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    QStringList rows;
    query.exec(sql);
    while (query.next()) {
        QStringList row;
        for (int c = 0; c < query.record().count(); ++c)
            row << query.value(c).toString();
        rows << row.join('|');
    }
    return rows.join('\n');
}

} // namespace

TEST_P(Moderation, eachCommandChangesTheRunningServersKeptListAtOnceAndLeavesAnAuditRow) {
    ASSERT_TRUE(Store.Open(Path, 20));
    // Results 1 to 4; the last one's shuffle is too short to rank.
    for (const auto& [name, seconds, shuffles] :
         {std::tuple("anna", 30, 25), {"bob", 35, 25}, {"anna", 40, 25}, {"anna", 20, 19}})
        ASSERT_TRUE(Store.AddResult(AddPlayer(name), seconds, shuffles, QDate(2024, 1, 2)));
    QORTestClient client;
    ASSERT_TRUE(client.Connect(Launch()));
    // What the server answers, once as long as what it should answer; a stale reply may be
    // shorter, and then takes the whole wait.
    const auto served = [&](const QByteArray& fresh) {
        client.Send("CUBE_GETTOP;bob;pw");
        WaitUntil([&] { return client.Received.size() >= fresh.size(); }, 3000);
        return std::exchange(client.Received, QByteArray());
    };
    const QByteArray first = Top({{"anna", 30}, {"bob", 35}});
    ASSERT_EQ(served(first), first) << "now kept";
    // Result 5: a solve held for review, as the server stores one.
    ASSERT_TRUE(QSqlQuery(Store.Database())
                    .exec("INSERT INTO results (user_id, seconds, shuffles, date, ms, moves, "
                          "scramble_id, solution, held) VALUES (1, 4, 25, '2024-01-02', 4321, "
                          "80, 'c0ffee', 'R@1', 1)"));
    const QString db = "--db";
    const struct {
        QStringList Command;
        QString Says;
        QList<std::pair<QString, int>> Listed;
    } steps[] = {
        {{"--ban", " ANNA"}, "0 banned anna", {{"bob", 35}}},
        {{"--list-results", "anna"},
         "0 anna (account 1), banned\n"
         "id  date        seconds  time  shuffles  moves  marks\n"
         "1   2024-01-02  30             25\n3   2024-01-02  40             25\n"
         "4   2024-01-02  20             19\n"
         "5   2024-01-02  4        4.32  25        80     verified held",
         {{"bob", 35}}},
        {{"--unban", "anna"}, "0 unbanned anna", {{"anna", 30}, {"bob", 35}}},
        {{"--remove-result", "1"}, "0 removed result 1 of anna", {{"bob", 35}, {"anna", 40}}},
        {{"--held"},
         "0 id  name  time  moves  shuffles  date        scramble\n"
         "5   anna  4.32  80     25        2024-01-02  c0ffee",
         {{"bob", 35}, {"anna", 40}}},
        {{"--approve", "5"}, "0 approved result 5 of anna", {{"anna", 4}, {"bob", 35}}},
        {{"--held"}, "0 no held results", {{"anna", 4}, {"bob", 35}}},
        {{"--ban", "nobody"}, "1 quelmora-server: there is no account named nobody", {}},
        {{"--list-results", "nobody"}, "1 quelmora-server: there is no account named nobody", {}},
        {{"--remove-result", "9"}, "1 quelmora-server: there is no result with id 9", {}},
        {{"--approve", "3"}, "1 quelmora-server: result 3 is not held", {}},
        {{"--approve", "x"},
         "2 quelmora-server: --approve needs a result id as --list-results or --held print it",
         {}},
        {{"--held", "--ban", "x"}, "2 quelmora-server: --held cannot be combined with --ban", {}},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(Operate(QStringList{db, Path} + step.Command), step.Says.toStdString());
        if (!step.Listed.isEmpty()) {
            EXPECT_EQ(served(Top(step.Listed)), Top(step.Listed))
                << step.Command.join(' ').toStdString();
        }
    }
    EXPECT_EQ(Rows(Store.Database(), "SELECT command, target FROM audit ORDER BY id"),
              "ban|anna\nunban|anna\nremove-result|1 (anna)\napprove|5 (anna)");
    const QString at = Rows(Store.Database(), "SELECT MIN(at) FROM audit");
    EXPECT_LT(QDateTime::fromString(at, Qt::ISODate).secsTo(QDateTime::currentDateTimeUtc()), 60)
        << at.toStdString();
    EXPECT_TRUE(at.endsWith('Z'));
}

// A copy keeps what the verified list and the operator added, and the target numbers its own
// audit rows after the copied ones.
TEST_P(Moderation, copyDbKeepsBansVerifiedSolvesDealtScramblesAndTheAudit) {
    const QString file = Dir.filePath("from.sqlite");
    ASSERT_TRUE(Store.Open(file, 20));
    const qint64 anna = AddPlayer("anna");
    for (const QString& statement :
         {QString("INSERT INTO results (user_id, seconds, shuffles, date, ms, moves, scramble_id, "
                  "solution, held, kind) VALUES (%1, 4, 25, '2024-01-02', 4321, 80, 'ab', 'R@1', "
                  "1, 'RANDOM')")
              .arg(anna),
          QString("INSERT INTO scrambles VALUES ('ab', %1, 25, 'R U', 1700000000000, 1, 'RANDOM')")
              .arg(anna),
          QString("INSERT INTO audit (at, command, target) VALUES ('2024-01-02T00:00:00Z', "
                  "'unban', 'anna')")})
        ASSERT_TRUE(QSqlQuery(Store.Database()).exec(statement));
    EXPECT_EQ(Operate({"--db", file, "--ban", "anna"}), "0 banned anna");
    EXPECT_EQ(Operate({"--copy-db", file, Path}), "0 copied 1 accounts and 1 results");
    ASSERT_TRUE(Store.Open(Path, 20));
    EXPECT_EQ(
        Rows(Store.Database(),
             "SELECT banned, ms, results.moves, scramble_id, solution, held, scrambles.moves, "
             "dealt_ms, used, results.kind, scrambles.kind FROM users, results, scrambles"),
        "1|4321|80|ab|R@1|1|R U|1700000000000|1|RANDOM|RANDOM");
    EXPECT_EQ(Operate({"--db", Path, "--unban", "anna"}), "0 unbanned anna");
    EXPECT_EQ(Rows(Store.Database(), "SELECT id, command FROM audit ORDER BY id"),
              "1|unban\n2|ban\n3|unban");
}
