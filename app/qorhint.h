#pragma once
// The game's solver helping the player: a hint turns the next quarter turn of a short solution,
// and after a win the solver's length for that game's shuffle is kept beside the player's.

#include "model/qormove.h"
#include "solver/qorcubiecube.h"

#include <QList>
#include <QObject>
#include <QString>

class QORGame;
class QORSolveHistory;
class QORSolverService;
struct QORSolution;

class QORHint : public QObject {
    Q_OBJECT
public:
    QORHint(QORGame& game, QORSolverService& solver, QObject* parent = nullptr);

    // Turns the next quarter turn of the plan as a key would. While the cube is where the plan
    // expects, that is the plan's next turn, so hint after hint ends solved; otherwise the
    // solver is asked afresh and the turn comes with its answer. A request made while one
    // waits adds nothing.
    void Request();
    bool Waiting() const { return Asked; }
    // The quarter turns still planned.
    const QList<QORMove>& Plan() const { return Turns; }

signals:
    // The cube shows no position turns can reach, so there is no hint; for the player.
    void Refused(const QString& text);

private:
    void Answered(const QORCubieCube& asked, const QORSolution& solution);
    void TurnNext();
    // A new game, a stop or an opened file: what was planned or asked for is of another cube.
    void Forget();

    QORGame& Game;
    QORSolverService& Solver;
    QList<QORMove> Turns;
    // Where the cube stands when the plan's next turn is due.
    QORCubieCube Expected;
    bool Asked = false;
    // Counts the forgets, so that an answer for a cube since replaced is dropped.
    quint64 Round = 0;
};

// After a win: the quarter turns the solver needs from the cube the game's shuffle made, stored
// with the solve, so the statistics can set them beside the player's count.
class QORAnalysis : public QObject {
    Q_OBJECT
public:
    QORAnalysis(QORSolveHistory& history, QORSolverService& solver, QObject* parent = nullptr);

    void Analyse(qint64 solveId, const QList<QORMove>& scramble);

signals:
    // A solve in the history has gained its solver's length.
    void Changed();

private:
    QORSolveHistory& History;
    QORSolverService& Solver;
};
