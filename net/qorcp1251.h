#pragma once
// Windows code page 1251, the encoding of the settings file and of the score-server wire.
// The program holds text as QString; conversion happens only at those edges.

#include <QByteArray>
#include <QString>

QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);
// Whether every character of text has a cp1251 byte (so nothing is replaced on the way out).
bool FitsCp1251(const QString& text);
