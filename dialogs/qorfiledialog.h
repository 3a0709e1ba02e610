#pragma once
// The game's file dialogs: Qt's own dialog, so that it speaks Russian and shows Russian dates
// whatever the desktop's language, a filter for each kind of file, and the folder last used for
// each kind, kept per user between runs. Also where that per-user state lives.

#include <QFileDialog>
#include <QString>

#include <memory>

// What the player keeps between runs apart from the settings file, which holds only its own
// keys: quelmora/window.ini under $XDG_STATE_HOME, or ~/.local/state where it is not set.
QString UserStatePath();

enum class QORFileKind { Game, Export };

// The folder a dialog for this kind of file opens in: the one last chosen from, else home.
QString KeptFolder(QORFileKind kind);
// Keeps the folder of a file just chosen for the next dialog of its kind.
void KeepFolder(QORFileKind kind, const QString& chosenFile);

// A dialog for opening (AcceptOpen) or saving (AcceptSave) a file of this kind; proposed is the
// name a save offers. Shown by AskFile, or by a test that looks at it.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, QORFileKind kind,
                                            QFileDialog::AcceptMode mode,
                                            const QString& proposed = QString());
// Shows the dialog modally: the chosen file, whose folder is kept, or empty when cancelled.
QString AskFile(QFileDialog& dialog, QORFileKind kind);
