#include "app/qorverifiedgame.h"

#include "app/qorscoreclient.h"
#include "dialogs/qorplayerchoices.h"
#include "game/qorgame.h"
#include "solver/qorsolverbridge.h"
#include "solver/qorsolverservice.h"

#include <QPointer>

QORVerifiedGame::QORVerifiedGame(QORGame& game, QORScoreClient& client, const QORSettings& settings,
                                 const QORPlayerChoices& choices, QORSolverService& solver,
                                 QObject* parent)
    : QObject(parent), Game(game), Client(client), Settings(settings), Choices(choices),
      Solver(solver) {
    Wait.setSingleShot(true);
    Wait.setInterval(DealWait);
    connect(&Wait, &QTimer::timeout, this, &QORVerifiedGame::ShuffleHere);
    connect(&Client, &QORScoreClient::ScrambleDealt, this, &QORVerifiedGame::Dealt);
}

void QORVerifiedGame::NewGame() {
    Cancel();
    Random = Choices.On(QORPlayerChoices::RandomState);
    if (Random) {
        // The tables start now, so that a server that deals nothing costs no more than its wait.
        Solver.Prepare();
        if (Client.LoggedInNow() && Client.RequestScramble(QORProtocol::RandomKind)) {
            Wait.start();
            return;
        }
        ShuffleHere();
        return;
    }
    // The server deals 1 to MaxShuffles turns; a game without a shuffle has nothing to prove.
    Asked = Settings.ShuffleCount;
    if (Asked > 0 && Client.LoggedInNow() && Client.RequestScramble(Asked)) {
        Wait.start();
        return;
    }
    Game.NewGame();
}

void QORVerifiedGame::Cancel() {
    Wait.stop();
    ++Round;
}

void QORVerifiedGame::ShuffleHere() {
    if (!Random) {
        Game.NewGame();
        return;
    }
    const quint64 round = Round;
    QPointer<QORVerifiedGame> self(this);
    Solver.RandomScramble([self, round](const std::vector<int>& turns) {
        // The player has since asked for another game, stopped or opened a file.
        if (!self || self->Round != round)
            return;
        self->Game.NewGame({}, QuarterTurnsOf(turns), {}, true);
    });
}

void QORVerifiedGame::Dealt(const QString& id, const QList<QORMove>& moves, const QString& kind) {
    // A shuffle that comes late, unasked or of another kind or length starts nothing: the
    // player has a game already, or asked for another.
    const bool asked = Random ? kind == QORProtocol::RandomKind && !moves.isEmpty()
                              : kind.isEmpty() && moves.size() == Asked;
    if (!Wait.isActive() || !asked)
        return;
    Wait.stop();
    Game.NewGame(id, moves, QDateTime::currentDateTimeUtc(), Random);
}
