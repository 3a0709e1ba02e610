#include "app/qorkeyboard.h"

#include "app/qorviewcontroller.h"
#include "cube/qorgame.h"

#include <QKeyEvent>
#include <QTimer>

QORKeyboard::QORKeyboard(QORGame& game, QORViewController& view, QObject* parent)
    : QObject(parent), Game(game), View(view) {}

bool QORKeyboard::KeyPress(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods & ~Qt::ShiftModifier)
        return false;
    const int key = event.key();
    if (key < Qt::Key_A || key > Qt::Key_Z)
        return false;
    const QChar letter = QLatin1Char(char('A' + (key - Qt::Key_A)));
    if (!IsMoveKey(letter))
        return false;
    Press(Command::Turn, letter, mods & Qt::ShiftModifier);
    return true;
}

void QORKeyboard::Press(Command command, QChar letter, bool reversed) {
    if (Queue.size() >= MaxWaiting)
        return;
    Queue.push_back({command, letter, reversed});
    // Keys run from the event loop, one turn at a time, never inside another turn.
    if (!Scheduled) {
        Scheduled = true;
        QTimer::singleShot(0, this, &QORKeyboard::Next);
    }
}

void QORKeyboard::Clear() {
    Queue.clear();
}

void QORKeyboard::Next() {
    Scheduled = false;
    if (Queue.empty())
        return;
    const Key key = Queue.front();
    Queue.pop_front();
    switch (key.What) {
    case Command::Turn: {
        // The letters mean the faces as the player sees them at the moment the turn starts.
        const Vec3 eye = View.Renderer.Camera.Eye, up = View.Renderer.Camera.Up;
        Game.PlayerTurns(*KeyTurns(key.Letter, key.Reversed, FacesSeenFrom(eye, up)));
        break;
    }
    case Command::Undo:
        Game.UndoTurn();
        break;
    case Command::Redo:
        Game.RedoTurn();
        break;
    }
    if (!Queue.empty()) {
        Scheduled = true;
        QTimer::singleShot(0, this, &QORKeyboard::Next);
    }
}
