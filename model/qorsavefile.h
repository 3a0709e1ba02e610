#pragma once
// The saved game: the 27 cubies' 49 points as 3969 little-endian floats, nothing else.

#include <QDateTime>
#include <QString>

inline constexpr int GameFileSize = 27 * 49 * 3 * 4;

// "dd-mm-yyyy--hh-mm-ss.cube" for the given local time.
QString ProposedGameFileName(const QDateTime& when);
