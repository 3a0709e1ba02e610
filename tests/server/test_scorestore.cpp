#include "serverharness.h"

using ScoreStore = ServerTest;

TEST_F(ScoreStore, eachPlayersBestRankedResultFastestFirstTiesToTheEarlierOne) {
    const std::tuple<QString, int, int> results[] = {
        {"bob", 50, 21},   {"alice", 80, 25}, {"alice", 50, 22}, {"bob", 50, 23},
        {"carol", 10, 19}, {"alice", 60, 26}, {"dave", 100, 25}, {"erin", 200, 20}};
    const QStringList atTwenty = {"bob 50 21", "alice 50 22", "dave 100 25", "erin 200 20"};
    ASSERT_TRUE(Store.Open(Path, 20));
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
