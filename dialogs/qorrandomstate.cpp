#include "dialogs/qorrandomstate.h"

#include <QSettings>

namespace {

const QString Key = QStringLiteral("Game/RandomState");

} // namespace

QORRandomStateChoice::QORRandomStateChoice(const QString& path)
    : Path(path), Value(QSettings(path, QSettings::IniFormat).value(Key, false).toBool()) {}

void QORRandomStateChoice::Set(bool on) {
    Value = on;
    QSettings(Path, QSettings::IniFormat).setValue(Key, on);
}
