#pragma once
// The player's turns of one game, for undo and redo. Each entry is what one command turned:
// one layer, or all three about an axis for a whole-cube turn. Shuffle turns are never here.

#include "model/qormove.h"

#include <QList>

class QORUndo {
public:
    void Clear();
    // A new command: what could be redone is forgotten.
    void Did(const QList<QORMove>& turns);
    bool CanUndo() const { return !Done.isEmpty(); }
    bool CanRedo() const { return !Undone.isEmpty(); }
    // The turns that take back the last command: each one reversed, the last one first.
    QList<QORMove> Undo();
    // The turns of the command last taken back, again.
    QList<QORMove> Redo();

private:
    QList<QList<QORMove>> Done;
    QList<QList<QORMove>> Undone;
};
