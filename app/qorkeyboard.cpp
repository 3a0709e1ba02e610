#include "app/qorkeyboard.h"

#include "app/qorviewcontroller.h"
#include "game/qorgame.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>

namespace {

// The letter a key shows on a US keyboard, from the key's X keycode, which the active layout
// does not change: the rows q..p, a..l and z..m start at keycodes 24, 38 and 52.
QChar UsLetterAt(quint32 keycode) {
    static const char* const Rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static const quint32 First[] = {24, 38, 52};
    for (int row = 0; row < 3; ++row)
        if (keycode >= First[row] && keycode - First[row] < qstrlen(Rows[row]))
            return QLatin1Char(Rows[row][keycode - First[row]]);
    return {};
}

} // namespace

QORKeyboard::QORKeyboard(QORGame& game, QORViewController& view, QObject* parent)
    : QObject(parent), Game(game), View(view) {}

bool QORKeyboard::KeyPress(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (mods & ~Qt::ShiftModifier)
        return false;
    // Move keys go by where the key is, so that a Russian layout's К still turns R. Only X11
    // and Wayland give keycodes of that meaning; elsewhere, and for keys made up without one,
    // the key's Latin letter decides.
    const QString platform = QGuiApplication::platformName();
    const int key = event.key();
    QChar letter;
    if (event.nativeScanCode() &&
        (platform == QLatin1String("xcb") || platform == QLatin1String("wayland")))
        letter = UsLetterAt(event.nativeScanCode());
    else if (key >= Qt::Key_A && key <= Qt::Key_Z)
        letter = QLatin1Char(char('A' + (key - Qt::Key_A)));
    if (letter.isNull() || !IsMoveKey(letter))
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
