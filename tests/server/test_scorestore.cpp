#include "serverharness.h"

using ScoreStore = EitherStore;
ON_EITHER_STORE(ScoreStore);

TEST_P(ScoreStore, eachPlayersBestRankedResultFastestFirstTiesToTheEarlierOne) {
    const std::tuple<QString, int, int> results[] = {
        {"bob", 50, 21},   {"alice", 80, 25}, {"alice", 50, 22}, {"bob", 50, 23},
        {"carol", 10, 19}, {"alice", 60, 26}, {"dave", 100, 25}, {"erin", 200, 20}};
    const QStringList atTwenty = {"bob 50 21", "alice 50 22", "dave 100 25", "erin 200 20"};
    ASSERT_TRUE(Store.Open(Path, 20)) << Store.ErrorString().toStdString();
    for (const auto& [name, seconds, shuffles] : results)
        ASSERT_TRUE(Store.AddResult(AddPlayer(name), seconds, shuffles, QDate::currentDate()));
    EXPECT_EQ(Ranking(10), atTwenty) << "as the results come in";
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

// A name is one account regardless of case and blanks, in every alphabet; hashes are bytes.
TEST_P(ScoreStore, namesAreUniqueRegardlessOfCaseAndHashesKeepEveryByte) {
    ASSERT_TRUE(Store.Open(Path, 20)) << Store.ErrorString().toStdString();
    const QByteArray hash("$argon2id$\0\x01\xff\x80;\"", 17);
    const std::optional<qint64> alice = Store.AddAccount(" Alice", hash);
    const std::optional<qint64> hedgehog = Store.AddAccount("Ёжик", "pw");
    ASSERT_TRUE(alice && hedgehog);
    EXPECT_NE(*alice, *hedgehog);
    for (const char* taken : {"alice", "ALICE ", "ёЖИК"})
        EXPECT_FALSE(Store.AddAccount(QString::fromUtf8(taken), "pw")) << taken;
    const std::pair<const char*, qint64> finds[] = {
        {"alice", *alice}, {" ALICE ", *alice}, {"ЁЖИК", *hedgehog}, {"Ёжик", *hedgehog}};
    for (const auto& [name, id] : finds)
        EXPECT_EQ(Store.Account(QString::fromUtf8(name)).value_or(QORAccount()).Id, id) << name;
    EXPECT_FALSE(Store.Account("bob"));
    const QORAccount account = Store.Account("alice").value_or(QORAccount());
    EXPECT_EQ(account.Name, "Alice");
    EXPECT_EQ(account.Password, hash);
    ASSERT_TRUE(Store.SetPassword(*alice, "new"));
    ASSERT_TRUE(Store.Open(Path, 20));
    EXPECT_EQ(Store.Account("alice").value_or(QORAccount()).Password, "new");
}
