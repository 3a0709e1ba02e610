#pragma once
// A new game for the verified list: while logged in, the shuffle is asked of the score server
// and played exactly as dealt. A server that deals nothing in time (an older one, or one that
// is gone) leaves the game to shuffle itself, unverified, as it always has. With the random
// state chosen, the server is asked for a random state's scramble, and without one in time the
// game's own solver makes it; the solver may still be building its tables, so that new game
// starts when its answer comes.

#include "model/qormove.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class QORGame;
class QORPlayerChoices;
class QORScoreClient;
class QORSolverService;
struct QORSettings;

class QORVerifiedGame : public QObject {
    Q_OBJECT
public:
    QORVerifiedGame(QORGame& game, QORScoreClient& client, const QORSettings& settings,
                    const QORPlayerChoices& choices, QORSolverService& solver,
                    QObject* parent = nullptr);

    static constexpr std::chrono::milliseconds DealWait{2000};
    // Runs while a dealt shuffle is awaited; its timeout shuffles here instead.
    QTimer Wait;

    // "Начать заново": asks for a shuffle when logged in, else starts at once, or, for a random
    // state, once the solver has made one.
    void NewGame();
    // The player has moved on (a stop, an opened file): a shuffle still to come starts nothing.
    void Cancel();
    bool Waiting() const { return Wait.isActive(); }

private:
    void Dealt(const QString& id, const QList<QORMove>& moves, const QString& kind);
    // Starts a game here, unverified: random turns, or a random state's scramble.
    void ShuffleHere();

    QORGame& Game;
    QORScoreClient& Client;
    const QORSettings& Settings;
    const QORPlayerChoices& Choices;
    QORSolverService& Solver;
    int Asked = 0;
    // The game asked for is a random state's.
    bool Random = false;
    // Counts the new games asked for and the cancels: a scramble made for an earlier one is
    // not played.
    quint64 Round = 0;
};
