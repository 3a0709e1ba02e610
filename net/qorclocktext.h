#pragma once
// The game clock's text, shown by the game and sent in the score server's top list.

#include <QString>

// "hh:mm:ss" of whole seconds; hours are not limited to two digits.
QString ClockText(int seconds);
// "hh:mm:ss,cc": the same with hundredths, which a verified solve's time is shown with.
QString ClockTextMs(qint64 ms);
