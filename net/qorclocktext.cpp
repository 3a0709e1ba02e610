#include "net/qorclocktext.h"

QString ClockText(int seconds) {
    const int h = seconds / 3600, m = (seconds % 3600) / 60, s = (seconds % 3600) % 60;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}
