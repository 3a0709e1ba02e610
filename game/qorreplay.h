#pragma once
// Watching a stored solve again on the game's cube: its scramble, then its solution at the pace
// it was solved (or faster, as the player chooses), each turn animated at the current speed,
// with pause and single steps. It runs no clock and sends
// nothing, and it gives the cube back to the player at their first turn or a new game.

#include "model/qormove.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QORGame;

class QORReplay : public QObject {
    Q_OBJECT
public:
    explicit QORReplay(QORGame& game, QObject* parent = nullptr);

    // Stops any game and plays the turns from a solved cube; false when a text is no list of
    // turns. The solution's turns are spread evenly over the seconds the solve took, which is
    // all the history knows of their timing; with no seconds they follow one another at once.
    bool Start(const QString& scramble, const QString& solution, double seconds = 0);
    // How many times faster than it was solved, or 0 for as fast as the cube turns.
    void SetSpeed(int times);
    // From one turn of the solution to the next, in milliseconds.
    int PaceMs() const;
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
    // Before the next turn: none in the scramble, what is left of the pace in the solution.
    int Wait() const;

    QORGame& Game;
    // Schedules the next turn once the last one's animation is over.
    QTimer Timer;
    bool Playing = false;
    QList<QORMove> Turns;
    qsizetype Scrambled = 0;
    qsizetype Done = 0;
    double Seconds = 0;
    int Speed = 1;
    // Since the last turn began, which counts towards the pace.
    QElapsedTimer SinceTurn;
    // The replay's own turns must not look like the player taking over.
    bool Turning = false;
};
