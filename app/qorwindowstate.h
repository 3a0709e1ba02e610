#pragma once
// The main window's size and place, kept between runs in a per-user state file, never in the
// game's settings file.

class QWidget;
class QString;

// quelmora/window.ini under $XDG_STATE_HOME, or ~/.local/state where it is not set.
QString WindowStatePath();
void RestoreWindowState(QWidget* window);
void SaveWindowState(const QWidget* window);
