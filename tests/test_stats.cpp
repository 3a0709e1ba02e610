// Solve-time figures as cubers count them, and times as they write them.
#include "history/qorstats.h"

#include <QDebug>

#include <gtest/gtest.h>

#include <array>

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

TEST(Stats, aDnfIsTheWorstTimeDroppedOnceFromAveragesOf5And12AndNeverTheBestSingle) {
    using T = std::optional<double>;
    const double D = qInf();
    const T N;
    const QList<double> nines{1, 9, 9, 9, 9, 9, 9, 9, 9, 9, 100};
    // Times; the best single, and the current mean of 3, average of 5 and of 12.
    const std::pair<QList<double>, std::array<T, 4>> rows[] = {
        {{10, D, 12}, {10, D, N, N}},
        {{D, D, D}, {N, D, N, N}},
        {{D, 10, 12, 14, 8}, {8, 34 / 3.0, 12, N}},
        {{10, D, 12, 14, D}, {10, D, D, N}},
        {QList<double>{D} + nines, {1, 118 / 3.0, 9, 18.1}},
        {QList<double>{D} + nines.first(10) + QList<double>{D}, {1, D, 9, D}},
    };
    for (const auto& [times, figures] : rows) {
        const QORFigures f = FiguresOf(times);
        EXPECT_EQ((std::array<T, 4>{f.Of[0].Best, f.Of[1].Current, f.Of[2].Current, f.Of[3].Current}),
                  figures)
            << QDebug::toString(times).toStdString();
    }
}

TEST(Stats, timesShowHundredthsAndMinutesAndHoursOnlyWhenThere) {
    const std::pair<double, const char*> rows[] = {
        {9.874, "9.87"},   {0.005, "0.01"},      {59.999, "1:00.00"},     {62.5, "1:02.50"},
        {600, "10:00.00"}, {3600, "1:00:00.00"}, {3725.456, "1:02:05.46"}, {qInf(), "DNF"}};
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(SolveTimeText(seconds), text) << seconds;
}
