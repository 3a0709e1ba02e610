#pragma once
// Averages of solve times as cubers count them: a mean of 3 is the plain mean; an average of
// 5 or 12 drops the best and the worst time and takes the mean of the rest. A DNF is an
// infinite time, the worst there is: an average of 5 or 12 drops one, two make it DNF, and a
// mean of 3 with one is DNF. The best single is of the finished solves only.

#include <QList>
#include <QString>

#include <optional>

struct QORRunningFigure {
    // Of the latest solves, and the best of all runs of that many.
    std::optional<double> Current, Best;
};

struct QORFigures {
    // Single, mean of 3 (no time dropped), average of 5 and of 12, in this order.
    static constexpr int Counts[4] = {1, 3, 5, 12};
    // Nothing while there are fewer solves than the count.
    QORRunningFigure Of[4];
    // For each solve, the average of 5 ending with it: the line the chart draws over the times.
    QList<std::optional<double>> Line;
};

// Every figure over times in the order they were solved, in one pass over them.
QORFigures FiguresOf(const QList<double>& times);
// Seconds as cubers write them, to the hundredth: 9.87, 1:02.50, 1:00:00.00; DNF when infinite.
QString SolveTimeText(double seconds);
