#include "app/qorresults.h"

#include "app/qorscoreclient.h"
#include "game/qorgame.h"

#include "net/qorverified.h"

#include <QDir>

#include <algorithm>
#include <cmath>

QORResults::QORResults(const QORGame& game, QORScoreClient& client, QObject* parent)
    : QObject(parent), Game(game), Client(client) {
    connect(&Client, &QORScoreClient::LoggedIn, this, &QORResults::SendKept);
    connect(&Client, &QORScoreClient::SolveAnswered, this, &QORResults::Answered);
}

bool QORResults::Open(const QString& path, QString* problem) {
    QString why;
    if (History.Open(path, &why))
        return true;
    *problem = tr("Не удалось открыть историю сборок %1: %2.\nСборки этой игры не "
                  "будут сохранены, а результаты, не отправленные на сервер, "
                  "будут потеряны.")
                   .arg(QDir::toNativeSeparators(path), why);
    return false;
}

bool QORResults::Record(QString* problem) {
    Pending = 0;
    Beaten = false;
    QORSolve& solve = Last;
    solve = QORSolve();
    solve.FinishedAt = QDateTime::currentDateTimeUtc();
    solve.Seconds = Game.ElapsedMs() / 1000.0;
    solve.ClockSeconds = Game.GameSeconds;
    solve.Shuffles = Game.GameShuffles;
    solve.Moves = Game.Moves;
    solve.Scramble = MovesText(Game.Scramble);
    solve.Solution = MovesText(Game.Solution);
    solve.ScrambleId = Game.ScrambleId;
    solve.DealtAt = Game.DealtAt;
    solve.TimedMoves = Game.Verified() ? QORProtocol::TimedMovesText(Game.TimedMoves) : QString();
    solve.Hinted = Game.HintUsed;
    solve.RandomState = Game.RandomState;
    solve.DailyDay = Game.DailyDay;
    solve.PlusTwo = Game.PlusTwo;
    solve.Dnf = Game.Dnf;
    if (!History.IsOpen()) {
        *problem = tr("История сборок недоступна: эта сборка не сохранена.");
        return false;
    }
    QString why;
    const std::optional<qint64> id = History.Add(solve, &why);
    if (!id) {
        *problem = tr("Не удалось записать сборку в историю: %1.").arg(why);
        return false;
    }
    solve.Id = *id;
    // Only a win waits for its congratulation to be sent; a DNF is never sent.
    Pending = solve.Dnf ? 0 : solve.Id;
    const std::optional<double> best = History.Best(solve.Shuffles, Pending, solve.RandomState);
    Beaten = !solve.Hinted && best && solve.Result() < *best;
    emit Changed();
    return true;
}

void QORResults::Submit() {
    const qint64 id = Pending;
    Pending = 0;
    if (GoesNowhere(Last))
        return;
    if (Send(Last) && id && !AsSolve(Last) && History.MarkSent(id))
        emit Changed();
}

void QORResults::Answered(const QORProtocol::VerifiedReply& reply) {
    // A solve is sent for good only once the server has judged it: one that could not store
    // it closes the connection unanswered, and the solve goes again after the next login.
    for (const QORSolve& s : History.Unsent()) {
        if (s.ScrambleId == reply.Id && History.MarkSent(s.Id)) {
            emit Changed();
            return;
        }
    }
}

std::optional<QList<QORProtocol::TimedMove>> QORResults::AsSolve(const QORSolve& s) const {
    using namespace QORProtocol;
    // The server refuses a scramble older than its life; a solve too long for one message
    // could never go. Either still counts as a time.
    std::optional<QList<TimedMove>> moves = ParseTimedMoves(s.TimedMoves);
    const bool young = s.DealtAt.isValid() &&
                       s.DealtAt.secsTo(QDateTime::currentDateTimeUtc()) < ScrambleLifeHours * 3600;
    if (!IsScrambleId(s.ScrambleId) || !young || !moves ||
        !Client.SolveFits(s.ScrambleId, std::llround(s.Seconds * 1000), *moves, s.PlusTwo))
        return std::nullopt;
    return moves;
}

bool QORResults::GoesNowhere(const QORSolve& s) const {
    return s.Hinted || ((s.RandomState || s.DailyDay.isValid()) && !AsSolve(s));
}

bool QORResults::Send(const QORSolve& s) {
    if (const std::optional<QList<QORProtocol::TimedMove>> moves = AsSolve(s))
        return Client.SubmitSolve(s.ScrambleId, std::llround(s.Seconds * 1000), *moves,
                                  s.PlusTwo);
    // A time carries no penalty of its own: it goes with the 2 s added.
    const int penalty = s.PlusTwo ? int(QORProtocol::PenaltyMs / 1000) : 0;
    return Client.SubmitResult(s.ClockSeconds + penalty, s.Shuffles);
}

void QORResults::SendKept() {
    bool sent = false;
    // Solves go before times: an older server takes a message it does not know, sent right
    // after one of its own, as part of that one.
    QList<QORSolve> unsent = History.Unsent();
    std::stable_partition(unsent.begin(), unsent.end(),
                          [this](const QORSolve& s) { return AsSolve(s).has_value(); });
    for (const QORSolve& s : unsent) {
        // The result just won goes once its congratulation is closed.
        if (s.Id == Pending || GoesNowhere(s))
            continue;
        if (!Send(s))
            break;
        if (!AsSolve(s))
            sent = History.MarkSent(s.Id) || sent;
    }
    if (sent)
        emit Changed();
}
