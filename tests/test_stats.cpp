// Solve-time figures as cubers count them, and times as they write them.
#include "history/qorstats.h"

#include <QDebug>

#include <gtest/gtest.h>

#include <array>

// A DNF is the worst time: an average of 5 or 12 drops one, two make it DNF, and so does one
// in a mean of 3; the best single is of the finished solves.
TEST(Stats, averagesDropTheBestAndWorstTimeAndADnfAsTheWorstButTheMeanOf3KeepsThem) {
    using T = std::optional<double>;
    const double D = qInf();
    const T N;
    const QList<double> nines{1, 9, 9, 9, 9, 9, 9, 9, 9, 9, 100};
    // Times; the current single, mean of 3, average of 5 and of 12, then the best of each.
    const std::pair<QList<double>, std::array<T, 8>> rows[] = {
        {{10, 12, 8, 20, 11, 9}, {9, 40 / 3.0, 32 / 3.0, N, 8, 10, 32 / 3.0, N}},
        {{10, D, 12}, {12, D, N, N, 10, D, N, N}},
        {{D, D, D}, {D, D, N, N, N, D, N, N}},
        {{D, 10, 12, 14, 8}, {8, 34 / 3.0, 12, N, 8, 34 / 3.0, 12, N}},
        {{10, D, 12, 14, D}, {D, D, D, N, 10, D, D, N}},
        {QList<double>{D} + nines, {100, 118 / 3.0, 9, 18.1, 1, 19 / 3.0, 9, 18.1}},
        {QList<double>{D} + nines.first(10) + QList<double>{D}, {D, D, 9, D, 1, 19 / 3.0, 9, D}},
    };
    for (const auto& [times, figures] : rows) {
        const QORFigures f = FiguresOf(times);
        std::array<T, 8> seen;
        for (int k = 0; k < 4; ++k)
            std::tie(seen[k], seen[k + 4]) = std::tie(f.Of[k].Current, f.Of[k].Best);
        EXPECT_EQ(seen, figures) << QDebug::toString(times).toStdString();
    }
    EXPECT_EQ(FiguresOf(rows[0].first).Line,
              (QList<std::optional<double>>{{}, {}, {}, {}, 11, 32 / 3.0}));
}

TEST(Stats, timesShowHundredthsAndMinutesAndHoursOnlyWhenThere) {
    const std::pair<double, const char*> rows[] = {
        {9.874, "9.87"},   {0.005, "0.01"},      {59.999, "1:00.00"},     {62.5, "1:02.50"},
        {600, "10:00.00"}, {3600, "1:00:00.00"}, {3725.456, "1:02:05.46"}, {qInf(), "DNF"}};
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(SolveTimeText(seconds), text) << seconds;
}
