#include "game/qorundo.h"

void QORUndo::Clear() {
    Done.clear();
    Undone.clear();
}

void QORUndo::Did(const QList<QORMove>& turns) {
    Done << turns;
    Undone.clear();
}

QList<QORMove> QORUndo::Undo() {
    if (Done.isEmpty())
        return {};
    const QList<QORMove> turns = Done.takeLast();
    Undone << turns;
    QList<QORMove> back;
    for (auto it = turns.rbegin(); it != turns.rend(); ++it)
        back << it->Inverse();
    return back;
}

QList<QORMove> QORUndo::Redo() {
    if (Undone.isEmpty())
        return {};
    Done << Undone.takeLast();
    return Done.last();
}
