#pragma once
// Texts of the game shell that need no window.

#include <QString>

// "hh:mm:ss" of a game's seconds; hours are not limited to two digits.
QString ClockText(int seconds);
// The program's title and version, the main window's caption at start.
QString ProgramCaption();
// The main window's caption, with " >>> " and the file name once a game file is known.
QString CaptionWithFile(const QString& gameFile);
