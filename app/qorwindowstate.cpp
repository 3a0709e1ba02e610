#include "app/qorwindowstate.h"

#include <QDir>
#include <QSettings>
#include <QWidget>

namespace {

const QString GeometryKey = QStringLiteral("MainWindow/Geometry");

} // namespace

QString WindowStatePath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/quelmora/window.ini");
}

void RestoreWindowState(QWidget* window) {
    const QSettings state(WindowStatePath(), QSettings::IniFormat);
    // A screen that is no longer there is Qt's to mend: it puts the window back on one.
    window->restoreGeometry(state.value(GeometryKey).toByteArray());
}

void SaveWindowState(const QWidget* window) {
    QSettings state(WindowStatePath(), QSettings::IniFormat);
    state.setValue(GeometryKey, window->saveGeometry());
}
