#include "net/qorcp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr char Cp1251[] = "windows-1251";
}

QByteArray ToCp1251(const QString& text) {
    QStringEncoder encoder(Cp1251);
    return encoder.encode(text);
}

QString FromCp1251(const QByteArray& bytes) {
    QStringDecoder decoder(Cp1251);
    return decoder.decode(bytes);
}

bool FitsCp1251(const QString& text) {
    // Round-tripping shows the characters the encoder had to replace.
    return FromCp1251(ToCp1251(text)) == text;
}
