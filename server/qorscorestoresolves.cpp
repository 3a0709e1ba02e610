// The store's part for the verified list: dealt scrambles, verified solves, bans, and the
// notice of other processes' changes.
#include "server/qorscorestore.h"
#include "server/qorstorestatements.h"

#include <QSqlError>
#include <QVariant>

namespace {

// The column holds no nulls: a numbered scramble's kind is the empty text.
QString KindValue(const QString& kind) {
    return kind.isEmpty() ? QStringLiteral("") : kind;
}

} // namespace

std::optional<bool> QORScoreStore::Banned(qint64 account) {
    QSqlQuery* find = Run(&Statements::FindBanned, {account});
    if (!find)
        return std::nullopt;
    // An account removed meanwhile logs in no more than a banned one.
    const bool banned = !find->next() || find->value(0).toInt() != 0;
    find->finish();
    return banned;
}

bool QORScoreStore::AddScramble(const QString& id, const QORScramble& scramble) {
    return Run(&Statements::InsertScramble, {id, scramble.Player, scramble.Shuffles, scramble.Moves,
                                             scramble.DealtMs, KindValue(scramble.Kind)});
}

std::optional<QORScramble> QORScoreStore::Scramble(const QString& id) {
    QSqlQuery* find = Run(&Statements::FindScramble, {id});
    if (!find)
        return std::nullopt;
    if (!find->next()) {
        Ran = !find->lastError().isValid();
        return std::nullopt;
    }
    QORScramble scramble;
    scramble.Player = find->value(0).toLongLong();
    scramble.Shuffles = find->value(1).toInt();
    scramble.Moves = find->value(2).toString();
    scramble.DealtMs = find->value(3).toLongLong();
    scramble.Used = find->value(4).toInt() != 0;
    scramble.Kind = find->value(5).toString();
    find->finish();
    return scramble;
}

QORScoreStore::SolveStored QORScoreStore::AddSolve(const QORSolve& solve, qint64& resultId) {
    if (!Begin())
        return SolveStored::Failed;
    const auto fail = [this](SolveStored why) {
        Sql->Db.rollback();
        if (why == SolveStored::Failed)
            Reconnect();
        return why;
    };
    // Within the transaction a lost connection is not retried: the client sends again.
    QSqlQuery* use = Run(&Statements::UseScramble, {solve.ScrambleId}, false);
    if (!use)
        return fail(SolveStored::Failed);
    if (use->numRowsAffected() != 1)
        return fail(SolveStored::AlreadyUsed);
    const QString day = solve.Date.toString(Qt::ISODate);
    const int seconds = int(solve.Ms / 1000);
    QSqlQuery* insert =
        Run(&Statements::InsertSolve,
            {solve.Player, seconds, solve.Shuffles, day, solve.Ms, solve.Moves, solve.ScrambleId,
             solve.Solution, solve.Held ? 1 : 0, KindValue(solve.Kind)},
            false);
    if (!insert || !insert->next())
        return fail(SolveStored::Failed);
    resultId = insert->value(0).toLongLong();
    insert->finish();
    const bool listed = Listed(solve);
    if (listed) {
        // The seed list takes a numbered one as any result of whole seconds.
        if ((solve.Kind.isEmpty() &&
             !Run(&Statements::UpsertBest, {solve.Player, seconds, solve.Shuffles, day, resultId},
                  false)) ||
            (Where.Engine == QORStoreLocation::PostgreSQL && !Notify()))
            return fail(SolveStored::Failed);
    }
    if (!Sql->Db.commit())
        return fail(SolveStored::Failed);
    if (listed)
        ++Ranking;
    return SolveStored::Stored;
}

bool QORScoreStore::Listed(const QORSolve& solve) const {
    return !solve.Held && (!solve.Kind.isEmpty() || solve.Shuffles >= MinimumShuffles);
}

QList<QORVerifiedTopRow> QORScoreStore::VerifiedTop(int rows, const QString& kind) {
    return TopRows(&Statements::VerifiedTop,
                   {KindValue(kind), kind.isEmpty() ? MinimumShuffles : 0, rows});
}

QList<QORVerifiedTopRow> QORScoreStore::TopRows(QSqlQuery Statements::*statement,
                                                const QVariantList& values) {
    QList<QORVerifiedTopRow> top;
    QSqlQuery* query = Run(statement, values);
    if (!query)
        return top;
    while (query->next()) {
        top << QORVerifiedTopRow{query->value(0).toString(),
                                 query->value(1).toLongLong(),
                                 query->value(2).toInt(),
                                 query->value(3).toInt(),
                                 QDate::fromString(query->value(4).toString(), Qt::ISODate),
                                 query->value(5).toLongLong()};
    }
    query->finish();
    return top;
}

quint64 QORScoreStore::RankVersion() {
    // The file counts commits of other connections only, so this server's own results do not
    // drop its kept replies; those it counts itself. Another process, such as the operator's
    // commands, makes the next reply fresh.
    if (Where.Engine == QORStoreLocation::SQLite && Sql && Sql->DataVersion.exec() &&
        Sql->DataVersion.next()) {
        const qint64 version = Sql->DataVersion.value(0).toLongLong();
        Sql->DataVersion.finish();
        if (version != DataVersion)
            ++Ranking;
        DataVersion = version;
    }
    return Ranking;
}
