#pragma once
// The daily challenge: one scramble a UTC day, the same for every player, dealt by the score
// server and played once as a verified game. The server keeps the one try: it deals the same
// scramble again while the try is open, and refuses it once the try is solved or given up. A
// give-up goes as the solve of the turns made so far, which the server finds unsolved. After a
// win the server's place and the player's streak make a short text to share.

#include "net/qorverified.h"

#include <QAction>
#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>

class QMessageBox;
class QORGame;
class QORScoreClient;
class QORSolveHistory;
class QWidget;

class QORDailyChallenge : public QObject {
    Q_OBJECT
public:
    QORDailyChallenge(QORGame& game, QORScoreClient& client, const QORSolveHistory& history,
                      QObject* parent = nullptr);

    // "Задача дня" (Ctrl+D) and "Копировать результат" (Ctrl+Shift+C), enabled after a daily
    // win the server placed.
    QAction StartAction;
    QAction CopyAction;
    // A server that deals nothing in this time does not know the daily challenge.
    static constexpr std::chrono::milliseconds DealWait{3000};
    QTimer Wait;

    // Asks the server for today's try; offline, it says why it cannot.
    void Start();
    // The player has moved on: a try still to come starts nothing.
    void Cancel();
    // A daily try is being played.
    bool Playing() const;
    // Asks, without waiting, whether to give the running try up; the answer gives it up.
    void AskGiveUp(QWidget* parent);
    // Sends the turns made so far as the try's solve, which finishes it unsolved, and stops.
    void GiveUp();
    // The running try ended without a solve, by the inspection's DNF: it is given up as a
    // stop gives it up.
    void Forfeit();
    // "Quelmora, задача дня 2026-12-07: 41,23 с, 58 ходов, 3-е место, серия 5 дней".
    QString ResultText() const;

signals:
    // Why the daily challenge cannot be played now, for the player.
    void Refused(const QString& why);
    // The server placed the daily win: today's list is worth showing.
    void Placed();
    // What the status bar says in place of the server's verdict on a given-up try.
    void StatusChanged(const QString& text);

private:
    void Dealt(const QString& id, const QList<QORMove>& moves, const QString& kind);
    void Answered(const QORProtocol::VerifiedReply& reply);
    void Won();

    QORGame& Game;
    QORScoreClient& Client;
    const QORSolveHistory& History;
    QPointer<QMessageBox> Question;
    // The daily win awaiting the server's verdict, and what the shared text tells of it.
    QString WonId;
    // The try given up, whose verdict is no refusal to the player.
    QString GivenUpId;
    QDate Day;
    qint64 Ms = 0;
    int Moves = 0;
    int Place = 0;
};
