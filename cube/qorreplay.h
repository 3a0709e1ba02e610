#pragma once
// Watching a stored solve again on the game's cube: its scramble, then its solution, each turn
// animated at the current speed, with pause and single steps. It runs no clock and sends
// nothing, and it gives the cube back to the player at their first turn or a new game.

#include "cube/qormove.h"

#include <QObject>
#include <QTimer>

class QORGame;

class QORReplay : public QObject {
    Q_OBJECT
public:
    explicit QORReplay(QORGame& game, QObject* parent = nullptr);

    // Stops any game and plays the turns from a solved cube; false when a text is no list of
    // turns.
    bool Start(const QString& scramble, const QString& solution);
    void Pause();
    void Resume();
    // One turn, paused or not.
    void Step();
    void Stop();

    bool Active() const { return Done < Turns.size(); }
    bool Paused() const { return !Playing; }
    qsizetype TurnsDone() const { return Done; }
    qsizetype TurnCount() const { return Turns.size(); }
    // How many of the turns are the scramble's.
    qsizetype ScrambleLength() const { return Scrambled; }

signals:
    void Progress();

private:
    void Next();

    QORGame& Game;
    // Schedules the next turn once the last one's animation is over.
    QTimer Timer;
    bool Playing = false;
    QList<QORMove> Turns;
    qsizetype Scrambled = 0;
    qsizetype Done = 0;
    // The replay's own turns must not look like the player taking over.
    bool Turning = false;
};
