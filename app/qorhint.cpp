#include "app/qorhint.h"

#include "game/qorgame.h"
#include "history/qorhistory.h"
#include "solver/qorsolverbridge.h"
#include "solver/qorsolverservice.h"

#include <QPointer>

QORHint::QORHint(QORGame& game, QORSolverService& solver, QObject* parent)
    : QObject(parent), Game(game), Solver(solver) {
    connect(&Game, &QORGame::CubeReplaced, this, &QORHint::Forget);
}

void QORHint::Request() {
    if (Asked)
        return;
    // A hinted win goes to no list, and would leave the day's one try open to be dealt again.
    if (Game.DailyDay.isValid()) {
        emit Refused(tr("В задаче дня подсказок нет: её решают сами."));
        return;
    }
    const QORCubieCube now = CubieCubeOf(Game.Cube);
    if (!Turns.isEmpty() && now == Expected) {
        TurnNext();
        return;
    }
    Turns.clear();
    Asked = true;
    // The service drops answers once it is gone, but this object may go first.
    QPointer<QORHint> self(this);
    const quint64 round = Round;
    Solver.Solve(now, [self, round, now](const QORSolution& solution) {
        if (self && self->Round == round)
            self->Answered(now, solution);
    });
}

void QORHint::Answered(const QORCubieCube& asked, const QORSolution& solution) {
    Asked = false;
    if (solution.Fault != QORStateFault::None) {
        emit Refused(tr("Подсказки нет: кубик в положении, которого нельзя "
                        "получить поворотами. Начните новую игру."));
        return;
    }
    // The player turned on while the solver thought: the answer is for another position.
    if (CubieCubeOf(Game.Cube) != asked) {
        Request();
        return;
    }
    Turns = QuarterTurnsOf(solution.Turns);
    TurnNext();
}

void QORHint::TurnNext() {
    if (Turns.isEmpty())
        return;
    const QORMove move = Turns.takeFirst();
    // Before the turn: the turn that solves the cube wins at once, and the win is a hinted one.
    Game.HintUsed = true;
    Game.PlayerTurns({move});
    Expected = CubieCubeOf(Game.Cube);
}

void QORHint::Forget() {
    ++Round;
    Asked = false;
    Turns.clear();
}

QORAnalysis::QORAnalysis(QORSolveHistory& history, QORSolverService& solver, QObject* parent)
    : QObject(parent), History(history), Solver(solver) {}

void QORAnalysis::Analyse(qint64 solveId, const QList<QORMove>& scramble) {
    QPointer<QORAnalysis> self(this);
    Solver.Solve(CubieCubeAfter(scramble), [self, solveId](const QORSolution& solution) {
        // A solve deleted meanwhile has nothing to gain.
        if (self && solution.Fault == QORStateFault::None &&
            self->History.SetSolverMoves(solveId, solution.QuarterTurns()))
            emit self->Changed();
    });
}
