// The store's part for the daily challenge: each day's scramble, the players' tries at it,
// the day's list and the players' streaks of solved days.
#include "server/qorscorestore.h"
#include "server/qorstorestatements.h"

#include <QSet>
#include <QSqlError>
#include <QVariant>

#include <limits>

namespace {

QString DayText(const QDate& day) {
    return day.toString(Qt::ISODate);
}

} // namespace

std::optional<QString> QORScoreStore::DailyScramble(const QDate& day) {
    QSqlQuery* find = Run(&Statements::FindDaily, {DayText(day)});
    if (!find)
        return std::nullopt;
    const QString moves = find->next() ? find->value(0).toString() : QString();
    if (find->lastError().isValid()) {
        Ran = false;
        return std::nullopt;
    }
    find->finish();
    return moves;
}

std::optional<QString> QORScoreStore::KeepDailyScramble(const QDate& day, const QString& moves,
                                                        const QDateTime& created) {
    if (!Run(&Statements::InsertDaily,
             {DayText(day), moves, created.toUTC().toString(Qt::ISODateWithMs)}))
        return std::nullopt;
    std::optional<QString> stored = DailyScramble(day);
    // A row that vanished meanwhile would be the operator's doing; the player asks again.
    if (stored && stored->isEmpty())
        return std::nullopt;
    return stored;
}

std::optional<QORScramble> QORScoreStore::DailyTry(qint64 player, const QString& kind,
                                                   QString& id) {
    QSqlQuery* find = Run(&Statements::FindTry, {kind, player});
    if (!find)
        return std::nullopt;
    if (!find->next()) {
        Ran = !find->lastError().isValid();
        return std::nullopt;
    }
    id = find->value(0).toString();
    QORScramble scramble{player,
                         find->value(1).toInt(),
                         find->value(2).toString(),
                         find->value(3).toLongLong(),
                         find->value(4).toInt() != 0,
                         kind};
    find->finish();
    return scramble;
}

QORScoreStore::SolveStored QORScoreStore::FinishTry(const QString& id) {
    QSqlQuery* use = Run(&Statements::UseScramble, {id});
    if (!use)
        return SolveStored::Failed;
    return use->numRowsAffected() == 1 ? SolveStored::Stored : SolveStored::AlreadyUsed;
}

QList<QORVerifiedTopRow> QORScoreStore::DailyTop(const QDate& day, int rows) {
    return TopRows(&Statements::DailyTop, {QORProtocol::DailyKindOf(day), rows});
}

QList<QORProtocol::VerifiedRow> QORScoreStore::DailyList(const QDate& day) {
    QList<QORProtocol::VerifiedRow> list;
    for (const QORVerifiedTopRow& row : DailyTop(day, std::numeric_limits<int>::max()))
        list << QORProtocol::VerifiedRow{row.Name, row.Ms, row.Moves, row.Shuffles, row.Date};
    return list;
}

int QORScoreStore::DailyStreak(const QString& nick, const QDate& today) {
    const std::optional<QORAccount> account = Account(nick);
    if (!account)
        return 0;
    QSqlQuery* query = Run(&Statements::DailySolved, {account->Id});
    if (!query)
        return 0;
    QSet<QDate> solved;
    while (query->next()) {
        if (const std::optional<QDate> day = QORProtocol::DailyDayOf(query->value(0).toString()))
            solved.insert(*day);
    }
    query->finish();
    // Today's try may still be ahead: a streak through yesterday is not broken yet.
    QDate day = solved.contains(today) ? today : today.addDays(-1);
    int streak = 0;
    while (solved.contains(day)) {
        ++streak;
        day = day.addDays(-1);
    }
    return streak;
}
