#include "app/qorwindowstate.h"

#include "dialogs/qorfiledialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

const QString GeometryKey = QStringLiteral("MainWindow/Geometry");

} // namespace

QString WindowStatePath() {
    return UserStatePath();
}

void RestoreWindowState(QWidget* window) {
    const QSettings state(WindowStatePath(), QSettings::IniFormat);
    const QRect start = window->geometry();
    if (!window->restoreGeometry(state.value(GeometryKey).toByteArray()))
        return;
    // A screen that is no longer there is Qt's to mend: it puts the window back on one.
    const QRect kept = window->geometry();
    const QScreen* screen = QGuiApplication::screenAt(kept.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // No size at all, or one no widget can have, is no place this game kept: a window that
    // large would take the memory of its pictures and never come up.
    if (!screen || kept.width() < 1 || kept.height() < 1 || kept.width() >= QWIDGETSIZE_MAX ||
        kept.height() >= QWIDGETSIZE_MAX) {
        window->setGeometry(start);
        return;
    }
    // Anything larger than the screen, or partly off it, is brought within it.
    const QRect available = screen->availableGeometry();
    QRect fitted(kept.topLeft(), kept.size().boundedTo(available.size()));
    fitted.moveLeft(
        std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(
        std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    window->setGeometry(fitted);
}

void SaveWindowState(const QWidget* window) {
    QSettings state(WindowStatePath(), QSettings::IniFormat);
    state.setValue(GeometryKey, window->saveGeometry());
}
