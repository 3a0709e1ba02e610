#pragma once
// Deals the verified list's scrambles and checks the solves sent for them: the server's own
// cube plays the scramble and then the player's moves, and the moves' times must be ones a
// clock could have shown. Only a solve that passes is stored, and its scramble is used up.

#include "net/qorverified.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <optional>

class QORScoreStore;
class QORSolver;
struct QORScramble;
struct QORServerMessage;

class QORVerifier {
public:
    // A solve faster than these waits for the operator: no hand makes it.
    static constexpr qint64 HeldUnderMs = 5000;
    static constexpr int HeldTurnsPerSecond = 15;

    struct Verdict {
        enum Kind { Accepted, Refused, Unanswerable };
        Kind What = Unanswerable;
        QORProtocol::SolveFault Fault = QORProtocol::SolveFault::Unknown;
        // Of an accepted solve: its result, whether it counts on the lists, and the kind of
        // its scramble, which names its list.
        qint64 ResultId = 0;
        bool Listed = false;
        QString Kind;
    };

    // Builds the solver's tables unless this process has them already.
    explicit QORVerifier(QORScoreStore& store);

    // The wall clock in milliseconds since 1970 UTC; tests move it.
    std::function<qint64()> Clock;

    // Deals the player a scramble of that many turns and stores it; the reply, empty when the
    // store refused it.
    QByteArray Deal(qint64 player, int shuffles);
    // The same for a scramble of a uniformly random state, written as quarter turns. The
    // solver works beside the event loop, so that a slow solve holds up no other client; the
    // store takes the scramble and done gets the reply on this thread afterwards, unless
    // context has gone meanwhile.
    void DealRandom(qint64 player, QObject* context, std::function<void(const QByteArray&)> done);
    // The daily challenge's try for the player: today's scramble, drawn as above at the
    // day's first request and stored, under the player's one id for the day; or the refusal
    // of a try already finished. done gets the reply, empty when the store could not answer.
    void DealDaily(qint64 player, QObject* context, std::function<void(const QByteArray&)> done);
    // The UTC day of the clock.
    QDate Today() const;
    // Checks a solve message of the player, in the order the faults are told, and stores it.
    Verdict Check(qint64 player, const QORServerMessage& solve);
    // The fault of a solve of that scramble, written as dealt, if any, by replay and by its
    // times; the part of a check that asks no store.
    static std::optional<QORProtocol::SolveFault>
    Replay(const QString& scramble, const QORServerMessage& solve, qint64 sinceDealtMs);

private:
    // Stores the scramble under a new id; the id, empty when the store refused it.
    QString Keep(QORScramble scramble);
    // Draws a random state's quarter turns in the pool; drawn gets them on this thread unless
    // context has gone meanwhile.
    void DrawRandom(QObject* context, std::function<void(const QList<QORMove>&)> drawn);
    // The reply to a request for the player's try of that kind that the store already holds;
    // nothing when there is none, empty bytes when the store could not answer.
    std::optional<QByteArray> TryReply(qint64 player, const QString& kind);
    // Stores the player's try at the day's moves; the reply, empty when the store refused.
    QByteArray KeepTry(qint64 player, const QString& kind, const QString& moves);

    QORScoreStore& Records;
    std::shared_ptr<const QORSolver> Solver;
    // Where finished solves come back to; it goes after the pool, which waits for them.
    QObject Home;
    // One solve at a time, so that deals leave the other core to password checks.
    QThreadPool Pool;
};
