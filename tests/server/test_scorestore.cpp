#include "serverharness.h"

#include "server/qorscorestore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

namespace {

class ScoreStore : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureCoreApplication();
        ASSERT_TRUE(Dir.isValid());
        Path = Dir.filePath(QStringLiteral("scores.sqlite"));
    }

    QTemporaryDir Dir;
    QString Path;
};

// Runs one query on the file through a connection of its own and gives every row's first
// columns as texts.
QList<QStringList> Query(const QString& path, const QString& sql, int columns) {
    QList<QStringList> rows;
    const QString name = QStringLiteral("quelmora-peek");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(sql);
            while (query.next()) {
                QStringList row;
                for (int c = 0; c < columns; ++c)
                    row << query.value(c).toString();
                rows << row;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

} // namespace

TEST_F(ScoreStore, aFileThatIsNoDatabaseCannotBeOpened) {
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    QORScoreStore store;
    EXPECT_FALSE(store.Open(Path, 20));
    EXPECT_FALSE(store.ErrorString().isEmpty());
}

TEST_F(ScoreStore, aFileInAMissingFolderCannotBeOpened) {
    QORScoreStore store;
    EXPECT_FALSE(store.Open(Dir.filePath(QStringLiteral("missing/scores.sqlite")), 20));
    EXPECT_TRUE(store.ErrorString().contains(QStringLiteral("missing")));
}

TEST_F(ScoreStore, theFileIsKeptInWriteAheadLogMode) {
    QORScoreStore store;
    ASSERT_TRUE(store.Open(Path, 20));
    EXPECT_EQ(Query(Path, QStringLiteral("PRAGMA journal_mode"), 1),
              QList<QStringList>{{QStringLiteral("wal")}});
}

TEST_F(ScoreStore, passwordsAreKeptOnlyAsSaltedDigests) {
    QORScoreStore store;
    ASSERT_TRUE(store.Open(Path, 20));
    ASSERT_TRUE(store.Register(QStringLiteral("alice"), QStringLiteral("same-secret")));
    ASSERT_TRUE(store.Register(QStringLiteral("bob"), QStringLiteral("same-secret")));
    store.Close();

    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("same-secret"));
    const QList<QStringList> users =
        Query(Path, QStringLiteral("SELECT hex(salt), hex(digest), iterations FROM users"), 3);
    ASSERT_EQ(users.size(), 2);
    EXPECT_EQ(users[0][0].size(), 32) << "16 bytes of salt";
    EXPECT_EQ(users[0][1].size(), 64) << "32 bytes of digest";
    EXPECT_NE(users[0][0], users[1][0]);
    EXPECT_NE(users[0][1], users[1][1]) << "one password, two digests";
    EXPECT_GE(users[0][2].toInt(), 1000);
}

TEST_F(ScoreStore, resultsAndPlayersSurviveReopening) {
    {
        QORScoreStore store;
        ASSERT_TRUE(store.Open(Path, 20));
        const std::optional<qint64> alice =
            store.Register(QStringLiteral("alice"), QStringLiteral("pw"));
        ASSERT_TRUE(alice);
        ASSERT_TRUE(store.AddResult(*alice, 80, 25));
        ASSERT_TRUE(store.AddResult(*alice, 70, 25));
    }
    QORScoreStore store;
    ASSERT_TRUE(store.Open(Path, 20));
    EXPECT_EQ(store.ResultCount(), 2);
    EXPECT_TRUE(store.Verify(QStringLiteral("alice"), QStringLiteral("pw")));
    EXPECT_FALSE(store.Verify(QStringLiteral("alice"), QStringLiteral("other")));
    const QList<QORTopRow> top = store.Top(10);
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top[0].Seconds, 70);
    EXPECT_EQ(top[0].Date, QDate::currentDate());
}

TEST_F(ScoreStore, theBestResultsAreRankedAgainForANewMinimumAtStartUp) {
    {
        QORScoreStore store;
        ASSERT_TRUE(store.Open(Path, 20));
        const qint64 alice = *store.Register(QStringLiteral("alice"), QStringLiteral("pw"));
        ASSERT_TRUE(store.AddResult(alice, 90, 25));
        ASSERT_TRUE(store.AddResult(alice, 40, 10));
        ASSERT_EQ(store.Top(10).size(), 1);
        EXPECT_EQ(store.Top(10)[0].Seconds, 90);
    }
    {
        QORScoreStore store;
        ASSERT_TRUE(store.Open(Path, 5));
        ASSERT_EQ(store.Top(10).size(), 1);
        EXPECT_EQ(store.Top(10)[0].Seconds, 40) << "the short shuffle now counts";
        EXPECT_EQ(store.Top(10)[0].Shuffles, 10);
    }
    QORScoreStore store;
    ASSERT_TRUE(store.Open(Path, 30));
    EXPECT_TRUE(store.Top(10).isEmpty()) << "no result has 30 shuffles";
}

TEST_F(ScoreStore, rebuildingKeepsTheEarlierOfTwoEqualTimes) {
    {
        QORScoreStore store;
        ASSERT_TRUE(store.Open(Path, 20));
        const qint64 alice = *store.Register(QStringLiteral("alice"), QStringLiteral("pw"));
        const qint64 bob = *store.Register(QStringLiteral("bob"), QStringLiteral("pw"));
        ASSERT_TRUE(store.AddResult(bob, 50, 21));
        ASSERT_TRUE(store.AddResult(alice, 50, 22));
        ASSERT_TRUE(store.AddResult(bob, 50, 23));
    }
    QORScoreStore store;
    ASSERT_TRUE(store.Open(Path, 20));
    const QList<QORTopRow> top = store.Top(10);
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].Name, QStringLiteral("bob"));
    EXPECT_EQ(top[0].Shuffles, 21) << "bob's first 50 seconds, not his later one";
    EXPECT_EQ(top[1].Name, QStringLiteral("alice"));
}
