#pragma once
// The results of won games: each is kept in the solve history the moment it is won, then sent
// to the score server. One that cannot go now waits in the history, and every waiting result
// goes, oldest first, right after the next login; a solve the server replays waits until the
// server has judged it. Nothing is retried on a timer. A verified
// game's result goes as a solve the server replays while its scramble is young enough;
// otherwise, and for every other game, as a time. A random-state game belongs to no numbered
// list: it goes only as a solve the server replays, and is otherwise only kept; so does a
// daily try.

#include "history/qorhistory.h"
#include "net/qorverified.h"

#include <QObject>
#include <QString>

class QORGame;
class QORScoreClient;

class QORResults : public QObject {
    Q_OBJECT
public:
    QORResults(const QORGame& game, QORScoreClient& client, QObject* parent = nullptr);

    QORSolveHistory History;

    // Opens the history file; false with the reason, for the player, when it cannot be used.
    bool Open(const QString& path, QString* problem);
    // Keeps the game just won; false with the reason, for the player, when it was not kept.
    bool Record(QString* problem);
    // Sends the result of the game just won, and marks it sent when it went.
    void Submit();
    // The game just won beat every earlier solve of its shuffle length.
    bool NewRecord() const { return Beaten; }
    // The id of the game just won in the history; 0 when it was not kept.
    qint64 LastId() const { return Last.Id; }
    // Sends every result still waiting, oldest first.
    void SendKept();

signals:
    // The history has a new solve or a changed one.
    void Changed();

private:
    // The timed turns of a result that can go as a solve the server replays; nothing when it
    // goes as a time.
    std::optional<QList<QORProtocol::TimedMove>> AsSolve(const QORSolve& solve) const;
    // Sends one result as the server can take it; false when it did not go.
    bool Send(const QORSolve& solve);
    // A result no list takes: a game a hint helped, or a random-state game or a daily try
    // that cannot go as a replayed solve.
    bool GoesNowhere(const QORSolve& solve) const;
    // The server's verdict on a solve: it has been sent.
    void Answered(const QORProtocol::VerifiedReply& reply);

    const QORGame& Game;
    QORScoreClient& Client;
    // The solve just won, while its own sending is still to come.
    qint64 Pending = 0;
    // The game just won, kept or not.
    QORSolve Last;
    bool Beaten = false;
};
