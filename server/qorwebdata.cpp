#include "server/qorwebdata.h"

#include "server/qorscorestore.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>

namespace {

QList<QORProtocol::VerifiedRow> ListRows(const QList<QORVerifiedTopRow>& top) {
    QList<QORProtocol::VerifiedRow> rows;
    for (const QORVerifiedTopRow& row : top)
        rows << QORProtocol::VerifiedRow{row.Name, row.Ms, row.Moves, row.Shuffles, row.Date};
    return rows;
}

QORWebPlace PlaceOf(const QString& name, const QList<QORProtocol::VerifiedRow>& rows) {
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (rows[i].Nick == name)
            return {int(i + 1), rows[i]};
    return {};
}

} // namespace

QORWebBoard QORWebData::Board(const QDate& today) {
    QORWebBoard board;
    board.Today = today;
    board.Daily = Day(today);
    board.Verified = ListRows(Records.VerifiedTop(Rows));
    board.Random = ListRows(Records.VerifiedTop(Rows, QORProtocol::RandomKind));
    for (const QORTopRow& row : Records.Top(Rows))
        board.Seed << QORProtocol::VerifiedRow{row.Name, qint64(row.Seconds) * 1000, 0,
                                               row.Shuffles, row.Date};
    return board;
}

QList<QORProtocol::VerifiedRow> QORWebData::Day(const QDate& day) {
    return WebDailyList(Records, day, Rows);
}

std::optional<QORWebPlayer> QORWebData::Player(const QString& name, const QDate& today) {
    const std::optional<QORAccount> account = Records.Account(name);
    // A banned player has left every list, and has no page either.
    if (!account || account->Banned)
        return std::nullopt;
    const QORWebBoard board = Board(today);
    QORWebPlayer player;
    player.Name = account->Name;
    player.Today = today;
    player.Daily = PlaceOf(player.Name, board.Daily);
    player.Verified = PlaceOf(player.Name, board.Verified);
    player.Random = PlaceOf(player.Name, board.Random);
    player.Seed = PlaceOf(player.Name, board.Seed);
    player.Streak = WebDailyStreak(Records, player.Name, today);
    return player;
}

QList<QORProtocol::VerifiedRow> WebDailyList(QORScoreStore& store, const QDate& day, int rows) {
    // A player has one try a day, so each player has one row at most.
    QSqlQuery query(store.Database());
    query.prepare("SELECT users.name, results.ms, results.moves, results.shuffles, results.date "
                  "FROM results JOIN users ON users.id = results.user_id "
                  "WHERE results.kind = ? AND results.ms IS NOT NULL AND results.held = 0 "
                  "AND users.banned = 0 ORDER BY results.ms, results.moves, results.id LIMIT ?");
    query.addBindValue(QORProtocol::DailyKindOf(day));
    query.addBindValue(rows);
    QList<QORProtocol::VerifiedRow> list;
    if (!query.exec())
        return list;
    while (query.next())
        list << QORProtocol::VerifiedRow{query.value(0).toString(), query.value(1).toLongLong(),
                                         query.value(2).toInt(), query.value(3).toInt(),
                                         QDate::fromString(query.value(4).toString(), Qt::ISODate)};
    return list;
}

int WebDailyStreak(QORScoreStore& store, const QString& nick, const QDate& today) {
    QSqlQuery query(store.Database());
    query.prepare("SELECT DISTINCT results.kind FROM results "
                  "JOIN users ON users.id = results.user_id WHERE users.name = ? "
                  "AND results.kind LIKE 'DAILY-%' AND results.ms IS NOT NULL "
                  "AND results.held = 0");
    query.addBindValue(nick);
    QSet<QDate> solved;
    if (query.exec())
        while (query.next())
            if (const std::optional<QDate> day = QORProtocol::DailyDayOf(query.value(0).toString()))
                solved << *day;
    // Today's try may still be open: the streak then runs on from yesterday.
    QDate day = solved.contains(today) ? today : today.addDays(-1);
    int streak = 0;
    for (; solved.contains(day); day = day.addDays(-1))
        ++streak;
    return streak;
}
