#include "history/qorstats.h"

#include <algorithm>
#include <cmath>

namespace {

// The figure of the n times ending just before end.
double Window(const QList<double>& times, qsizetype end, int n) {
    double sum = 0, best = HUGE_VAL, worst = 0;
    int dnfs = 0;
    for (qsizetype i = end - n; i < end; ++i) {
        if (std::isinf(times[i])) {
            ++dnfs;
            continue;
        }
        sum += times[i];
        best = std::min(best, times[i]);
        worst = std::max(worst, times[i]);
    }
    // A mean of 3 keeps every time; longer averages drop the two outliers, a DNF the worst.
    if (dnfs > (n > 3 ? 1 : 0))
        return HUGE_VAL;
    return n > 3 ? (sum - best - (dnfs ? 0 : worst)) / (n - 2) : sum / n;
}

} // namespace

QORFigures FiguresOf(const QList<double>& times) {
    QORFigures figures;
    figures.Line.reserve(times.size());
    for (qsizetype end = 1; end <= times.size(); ++end) {
        for (int k = 0; k < 4; ++k) {
            const int n = QORFigures::Counts[k];
            if (end < n)
                continue;
            const double value = Window(times, end, n);
            QORRunningFigure& figure = figures.Of[k];
            figure.Current = value;
            if (k == 0 && std::isinf(value))
                continue;
            figure.Best = figure.Best ? std::min(*figure.Best, value) : value;
        }
        figures.Line << (end >= 5 ? figures.Of[2].Current : std::nullopt);
    }
    return figures;
}

QString SolveTimeText(double seconds) {
    if (std::isinf(seconds))
        return QStringLiteral("DNF");
    const qint64 hundredths = qint64(std::llround(seconds * 100));
    const qint64 h = hundredths / 360000, m = hundredths / 6000 % 60;
    const QString rest = QStringLiteral("%1.%2")
                             .arg(hundredths / 100 % 60, h || m ? 2 : 1, 10, QLatin1Char('0'))
                             .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    if (h)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(rest);
    return m ? QStringLiteral("%1:%2").arg(m).arg(rest) : rest;
}
