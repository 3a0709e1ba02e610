#include "app/qorverifiedgame.h"

#include "app/qorscoreclient.h"
#include "game/qorgame.h"

QORVerifiedGame::QORVerifiedGame(QORGame& game, QORScoreClient& client, const QORSettings& settings,
                                 QObject* parent)
    : QObject(parent), Game(game), Client(client), Settings(settings) {
    Wait.setSingleShot(true);
    Wait.setInterval(DealWait);
    connect(&Wait, &QTimer::timeout, this, [this] { Game.NewGame(); });
    connect(&Client, &QORScoreClient::ScrambleDealt, this, &QORVerifiedGame::Dealt);
}

void QORVerifiedGame::NewGame() {
    // The server deals 1 to MaxShuffles turns; a game without a shuffle has nothing to prove.
    Asked = Settings.ShuffleCount;
    if (Asked > 0 && Client.LoggedInNow() && Client.RequestScramble(Asked)) {
        Wait.start();
        return;
    }
    Cancel();
    Game.NewGame();
}

void QORVerifiedGame::Cancel() {
    Wait.stop();
}

void QORVerifiedGame::Dealt(const QString& id, const QList<QORMove>& moves) {
    // A shuffle that comes late, unasked or of another length starts nothing: the player has
    // a game already, or asked for another.
    if (!Wait.isActive() || moves.size() != Asked)
        return;
    Wait.stop();
    Game.NewGame(id, moves, QDateTime::currentDateTimeUtc());
}
