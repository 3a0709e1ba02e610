// Solve-time figures as cubers count them, and times as they write them.
#include "history/qorstats.h"

#include <gtest/gtest.h>

TEST(Stats, averagesDropTheBestAndWorstButTheMeanOf3KeepsThem) {
    const QList<double> times{10, 12, 8, 20, 11, 9};
    const QORFigures figures = FiguresOf(times);
    // The figure of the last 1, 3, 5 and 12 solves: now, and at its best.
    const std::pair<std::optional<double>, std::optional<double>> rows[] = {
        {9, 8}, {40 / 3.0, 10}, {32 / 3.0, 32 / 3.0}, {{}, {}}};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(std::pair(figures.Of[k].Current, figures.Of[k].Best), rows[k]) << k;
    const QList<double> twelve{5, 1, 9, 9, 9, 9, 9, 9, 9, 9, 9, 100};
    EXPECT_DOUBLE_EQ(*FiguresOf(twelve).Of[3].Current, 9 - 4 / 10.0);
    EXPECT_EQ(figures.Line, (QList<std::optional<double>>{{}, {}, {}, {}, 11, 32 / 3.0}));
}

TEST(Stats, timesShowHundredthsAndMinutesAndHoursOnlyWhenThere) {
    const std::pair<double, const char*> rows[] = {
        {9.874, "9.87"},   {0.005, "0.01"},      {59.999, "1:00.00"},     {62.5, "1:02.50"},
        {600, "10:00.00"}, {3600, "1:00:00.00"}, {3725.456, "1:02:05.46"}};
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(SolveTimeText(seconds), text) << seconds;
}
