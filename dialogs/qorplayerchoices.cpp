#include "dialogs/qorplayerchoices.h"

#include <QSettings>

namespace {

// In the order of QORPlayerChoices::Choice.
const char* const Keys[] = {"Game/RandomState", "Game/Inspection", "View/StickerSymbols"};

} // namespace

QORPlayerChoices::QORPlayerChoices(const QString& path) : Path(path) {
    const QSettings state(path, QSettings::IniFormat);
    for (int i = 0; i < Count; ++i)
        Values[i] = state.value(QLatin1String(Keys[i]), false).toBool();
}

void QORPlayerChoices::Set(Choice choice, bool on) {
    Values[choice] = on;
    QSettings(Path, QSettings::IniFormat).setValue(QLatin1String(Keys[choice]), on);
}
