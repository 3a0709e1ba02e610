// The statistics window's chart: the finished solves' times and their rolling average of 5.
#include "dialogs/stats.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Wider than any screen shows the chart.
constexpr qsizetype ChartPoints = 2000;

// A round step for the axis: 1, 2 or 5 times a power of ten, and whole.
double RoundStep(double span, int parts) {
    const double rough = std::max(1.0, span / parts);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough)
            return m * power;
    return 10 * power;
}

} // namespace

void TStatsForm::ShowChart(const QList<std::optional<double>>& results,
                           const QList<std::optional<double>>& soundLine) {
    // A damaged solve has no point and no average; a DNF has no time to draw, nor has an
    // average it makes DNF. Each point keeps its solve's number, counted from the first.
    QList<double> seconds, numbers;
    QList<std::optional<double>> line;
    qsizetype sound = 0;
    for (qsizetype i = 0; i < results.size(); ++i) {
        if (!results[i])
            continue;
        const std::optional<double> average = soundLine[sound++];
        if (std::isinf(*results[i]))
            continue;
        seconds << *results[i];
        numbers << double(i + 1);
        line << (average && !std::isinf(*average) ? average : std::nullopt);
    }
    QList<QPointF> times, averages;
    double slowest = 1;
    // No more points than the chart has pixels: of each run of solves that share a pixel,
    // the fastest and the slowest in the order solved, and the last average.
    const qsizetype run = seconds.size() / ChartPoints + 1;
    for (qsizetype from = 0; from < seconds.size(); from += run) {
        const qsizetype to = std::min(from + run, seconds.size());
        const auto [fast, slow] = std::minmax_element(seconds.begin() + from, seconds.begin() + to);
        for (auto i : {std::min(fast, slow), std::max(fast, slow)})
            if (times.isEmpty() || times.last().x() != numbers[i - seconds.begin()])
                times << QPointF(numbers[i - seconds.begin()], *i);
        if (line[to - 1])
            averages << QPointF(numbers[to - 1], *line[to - 1]);
        slowest = std::max(slowest, *slow);
    }
    // One call each: a point at a time would redraw the chart ten thousand times.
    Times->replace(times);
    Average->replace(averages);
    // Points show while there are few enough to tell apart.
    Times->setPointsVisible(seconds.size() <= 50);
    const QList<QAbstractAxis*> axes = Chart->chart()->axes();
    auto* x = static_cast<QValueAxis*>(axes[0]);
    auto* y = static_cast<QValueAxis*>(axes[1]);
    const qsizetype last = std::max<qsizetype>(2, results.size());
    x->setRange(1, double(last));
    x->setTickInterval(RoundStep(double(last), 8));
    // Round seconds on the ticks: 0, 20, 40 rather than 0, 15.7, 31.5.
    y->setRange(0, slowest * 1.05);
    y->setTickCount(4); // a short chart has room for few labels
    y->applyNiceNumbers();
    const double step = (y->max() - y->min()) / std::max(1, y->tickCount() - 1);
    y->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%g"));
}
