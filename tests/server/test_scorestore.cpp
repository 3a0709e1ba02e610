#include "serverharness.h"
#include <QCryptographicHash>
#include <QPasswordDigestor>

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
    for (const auto& [name, seconds, shuffles] : results)
        ASSERT_TRUE(Store.AddResult(AddPlayer(name), seconds, shuffles, QDate::currentDate()));
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

// A file of the PBKDF2 days, whose names could differ in case or blanks only.
TEST_F(ScoreStore, anOldFilesAccountsAllStayUsableAndTheirPasswordsUpgradeAtLogin) {
    {
        const OutsideConnection old(Path);
        ASSERT_TRUE(old.Run("CREATE TABLE users (id INTEGER PRIMARY KEY, name TEXT NOT NULL "
                            "UNIQUE, salt BLOB, digest BLOB, iterations INTEGER)") &&
                    old.Run("CREATE TABLE results (id INTEGER PRIMARY KEY, user_id INTEGER, "
                            "seconds INTEGER, shuffles INTEGER, date TEXT)") &&
                    old.Run("INSERT INTO results VALUES (1, 1, 75, 25, '2024-01-02')"));
        QSqlQuery insert = old.Query();
        insert.prepare("INSERT INTO users (name, salt, digest, iterations) VALUES (?, ?, ?, 2500)");
        for (const QByteArray name : {"Alice", "alice", "carol ", "dave"}) {
            insert.addBindValue(QString::fromLatin1(name));
            insert.addBindValue(name.repeated(4));
            insert.addBindValue(QPasswordDigestor::deriveKeyPbkdf2(
                QCryptographicHash::Sha256, "same-secret " + name, name.repeated(4), 2500, 32));
            ASSERT_TRUE(insert.exec());
        }
    }
    ASSERT_TRUE(Start());
    // The first of two spellings holds the name regardless of case; the exact spelling still
    // finds the other, as it finds a name with a blank at its end.
    const QByteArray answers = Ok + Ok + Ok + Bad + Ok + Ok + Ok;
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;Alice;same-secret Alice"
                         "CUBE_LOGIN;alice;same-secret alice"
                         "CUBE_LOGIN;ALICE ;same-secret Alice"
                         "CUBE_REGISTER;aLiCe;same-secret alice"
                         "CUBE_LOGIN;carol ;same-secret carol "
                         "CUBE_REGISTER;Carol;same-secret carol "
                         "CUBE_REGISTER;erin;same-secret Alice",
                         answers.size()),
              answers);
    const auto hash = [&](auto name) {
        return Store.Account(name).value_or(QORAccount()).Password;
    };
    EXPECT_TRUE(hash("Alice").startsWith("$argon2id$") && hash("alice").startsWith("$argon2id$"));
    EXPECT_NE(hash("Alice"), hash("erin")) << "one password, two salts";
    EXPECT_TRUE(hash("dave").startsWith("$pbkdf2-sha256$2500$")) << "not logged in yet";
    EXPECT_EQ(Store.Top(1).value(0).Name, "Alice");
    // Upgraded, the same password logs in again, also after the file has been opened anew.
    ASSERT_TRUE(Store.Open(Path, 20));
    EXPECT_EQ(Client.Ask("CUBE_LOGIN;alice;same-secret alice", Ok.size()), Ok);
}
