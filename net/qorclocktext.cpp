#include "net/qorclocktext.h"

QString ClockText(int seconds) {
    const int h = seconds / 3600, m = (seconds % 3600) / 60, s = (seconds % 3600) % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

QString ClockTextMs(qint64 ms) {
    // Cut, not rounded, as the whole seconds are.
    return ClockText(int(ms / 1000)) + u',' +
           QStringLiteral("%1").arg(int(ms % 1000 / 10), 2, 10, QLatin1Char('0'));
}
