#pragma once
// The game's own tool windows (help, top list, statistics): in front when shown, centred on
// the main window the first time and where the player left them afterwards, closed by Esc.

#include <QKeyEvent>
#include <QWidget>

// Shows the window in front; the first time, centred on its parent.
inline void ShowInFront(QWidget& window, bool& placed) {
    if (!placed && window.parentWidget()) {
        placed = true;
        window.move(window.parentWidget()->geometry().center() - window.rect().center());
    }
    window.show();
    window.raise();
    window.activateWindow();
}

// Whether the key was Esc, which has closed the window.
inline bool ClosedByEscape(QWidget& window, const QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    window.close();
    return true;
}
