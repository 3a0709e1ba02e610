#include "app/qorresults.h"

#include "app/qorscoreclient.h"
#include "game/qorgame.h"

#include <QDir>

QORResults::QORResults(const QORGame& game, QORScoreClient& client, QObject* parent)
    : QObject(parent), Game(game), Client(client) {
    connect(&Client, &QORScoreClient::LoggedIn, this, &QORResults::SendKept);
}

bool QORResults::Open(const QString& path, QString* problem) {
    QString why;
    if (History.Open(path, &why))
        return true;
    *problem = QStringLiteral("Не удалось открыть историю сборок %1: %2.\nСборки этой игры не "
                              "будут сохранены, а результаты, не отправленные на сервер, "
                              "будут потеряны.")
                   .arg(QDir::toNativeSeparators(path), why);
    return false;
}

bool QORResults::Record(QString* problem) {
    Pending = 0;
    Beaten = false;
    if (!History.IsOpen()) {
        *problem = QStringLiteral("История сборок недоступна: эта сборка не сохранена.");
        return false;
    }
    QORSolve solve;
    solve.FinishedAt = QDateTime::currentDateTimeUtc();
    solve.Seconds = Game.ElapsedMs() / 1000.0;
    solve.ClockSeconds = Game.GameSeconds;
    solve.Shuffles = Game.GameShuffles;
    solve.Moves = Game.Moves;
    solve.Scramble = MovesText(Game.Scramble);
    solve.Solution = MovesText(Game.Solution);
    QString why;
    const std::optional<qint64> id = History.Add(solve, &why);
    if (!id) {
        *problem = QStringLiteral("Не удалось записать сборку в историю: %1.").arg(why);
        return false;
    }
    Pending = *id;
    const std::optional<double> best = History.Best(solve.Shuffles, Pending);
    Beaten = best && solve.Seconds < *best;
    emit Changed();
    return true;
}

void QORResults::Submit(int seconds, int shuffles) {
    const qint64 id = Pending;
    Pending = 0;
    if (Client.SubmitResult(seconds, shuffles) && id && History.MarkSent(id))
        emit Changed();
}

void QORResults::SendKept() {
    bool sent = false;
    for (const QORSolve& s : History.Unsent()) {
        // The result just won goes once its congratulation is closed.
        if (s.Id == Pending)
            continue;
        if (!Client.SubmitResult(s.ClockSeconds, s.Shuffles))
            break;
        sent = History.MarkSent(s.Id) || sent;
    }
    if (sent)
        emit Changed();
}
