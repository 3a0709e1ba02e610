#pragma once
// The player's keys on the cube: move letters in the notation cubers use, relative to the
// current view, and undo and redo. Keys wait in a short queue and run in order from the event
// loop, so a fast sequence is not lost; the view shows their turns after each other.

#include "model/qormove.h"

#include <QObject>

#include <deque>

class QKeyEvent;
class QORGame;
class QORViewController;

class QORKeyboard : public QObject {
    Q_OBJECT
public:
    enum class Command { Turn, Undo, Redo };

    QORKeyboard(QORGame& game, QORViewController& view, QObject* parent = nullptr);

    static constexpr size_t MaxWaiting = 8;

    // A key pressed on the main window; false when it is no move key.
    bool KeyPress(const QKeyEvent& event);
    void Press(Command command, QChar letter = QChar(), bool reversed = false);
    // Forgets the keys that wait: a new game, a stop or an opened file begins afresh.
    void Clear();
    size_t Waiting() const { return Queue.size(); }

private:
    struct Key {
        Command What;
        QChar Letter;
        bool Reversed;
    };
    void Next();

    QORGame& Game;
    QORViewController& View;
    std::deque<Key> Queue;
    bool Scheduled = false;
};
