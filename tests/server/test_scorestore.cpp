#include "serverharness.h"
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

class ScoreStore : public ServerTest {
protected:
    QStringList Ranking(int rows) {
        QStringList ranking;
        for (const QORTopRow& row : Store.Top(rows))
            ranking << QStringLiteral("%1 %2 %3").arg(row.Name).arg(row.Seconds).arg(row.Shuffles);
        return ranking;
    }
};

TEST_F(ScoreStore, eachPlayersBestRankedResultFastestFirstTiesToTheEarlierOne) {
    const std::tuple<QString, int, int> results[] = {
        {"bob", 50, 21},   {"alice", 80, 25}, {"alice", 50, 22}, {"bob", 50, 23},
        {"carol", 10, 19}, {"alice", 60, 26}, {"dave", 100, 25}, {"erin", 200, 20}};
    const QStringList atTwenty = {"bob 50 21", "alice 50 22", "dave 100 25", "erin 200 20"};
    ASSERT_TRUE(Store.Open(Path, 20));
    // Registering again with the same password gives the player's id.
    for (const auto& [name, seconds, shuffles] : results)
        ASSERT_TRUE(Store.AddResult(Store.Register(name, "pw").value_or(0), seconds, shuffles));
    EXPECT_EQ(Ranking(10), atTwenty) << "as the results come in";
    EXPECT_EQ(Ranking(3), atTwenty.mid(0, 3));
    // Every start ranks the stored results again, for that run's minimum of shuffles.
    const std::pair<int, QStringList> runs[] = {{20, atTwenty},
                                                {5, QStringList{"carol 10 19"} + atTwenty},
                                                {22, {"alice 50 22", "bob 50 23", "dave 100 25"}},
                                                {1000, {}}};
    for (const auto& [minShuffles, ranking] : runs) {
        ASSERT_TRUE(Store.Open(Path, minShuffles));
        EXPECT_EQ(Ranking(10), ranking) << "minimum " << minShuffles;
    }
}

TEST_F(ScoreStore, passwordsAreKeptOnlyAsSaltedDigests) {
    ASSERT_TRUE(Store.Open(Path, 20));
    ASSERT_TRUE(Store.Register("alice", "same-secret") && Store.Register("bob", "same-secret"));
    Store.Close();
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("same-secret"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Path);
    db.setDatabaseName(Path);
    ASSERT_TRUE(db.open());
    QSqlQuery query(QStringLiteral("SELECT COUNT(DISTINCT salt) || ' ' || COUNT(DISTINCT digest) "
                                   "|| ' ' || MIN(length(salt)) || ' ' || MIN(length(digest)) || "
                                   "' ' || (MIN(iterations) >= 1000) FROM users"),
                    db);
    ASSERT_TRUE(query.next());
    // Two salts and two digests for one password, of 16 and 32 bytes, derived slowly.
    EXPECT_EQ(query.value(0).toString(), QStringLiteral("2 2 16 32 1"));
}
