#pragma once
// A new game for the verified list: while logged in, the shuffle is asked of the score server
// and played exactly as dealt. A server that deals nothing in time (an older one, or one that
// is gone) leaves the game to shuffle itself, unverified, as it always has.

#include "model/qormove.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class QORGame;
class QORScoreClient;
struct QORSettings;

class QORVerifiedGame : public QObject {
    Q_OBJECT
public:
    QORVerifiedGame(QORGame& game, QORScoreClient& client, const QORSettings& settings,
                    QObject* parent = nullptr);

    static constexpr std::chrono::milliseconds DealWait{2000};
    // Runs while a dealt shuffle is awaited; its timeout shuffles here instead.
    QTimer Wait;

    // "Начать заново": asks for a shuffle when logged in, else starts at once.
    void NewGame();
    // The player has moved on (a stop, an opened file): a shuffle still to come starts nothing.
    void Cancel();
    bool Waiting() const { return Wait.isActive(); }

private:
    void Dealt(const QString& id, const QList<QORMove>& moves);

    QORGame& Game;
    QORScoreClient& Client;
    const QORSettings& Settings;
    int Asked = 0;
};
