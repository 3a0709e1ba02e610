#include "server/qorwebdata.h"

#include "server/qorscorestore.h"

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
    return ListRows(Records.DailyTop(day, Rows));
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
    player.Streak = Records.DailyStreak(player.Name, today);
    return player;
}
