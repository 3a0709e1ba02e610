#include "server/qormoderation.h"

#include "net/qorlogin.h"
#include "server/qorstorelocation.h"
#include "server/qorstoresql.h"

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

namespace {

// An operator can wait out a server's write; a server waits far less for the operator's.
constexpr int LockWaitMs = 5000;

struct Account {
    qint64 Id = 0;
    QString Name;
    bool Banned = false;
};

// Seconds with hundredths, as the game shows a verified time after a win.
QString Hundredths(qint64 ms) {
    return QStringLiteral("%1.%2").arg(ms / 1000).arg(ms % 1000 / 10, 2, 10, QLatin1Char('0'));
}

// A column's text; empty for a null, which some drivers would print as 0.
QString Text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

// Columns padded to their widest cell, two blanks apart.
QString Table(const QStringList& header, const QList<QStringList>& rows) {
    QList<int> widths;
    for (const QString& title : header)
        widths << title.size();
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths[c], row[c].size());
    QStringList lines;
    for (const QStringList& row : QList<QStringList>{header} + rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c)
            line += row[c].leftJustified(widths[c] + 2);
        lines << line.trimmed();
    }
    return lines.join(QLatin1Char('\n'));
}

// One connection of its own, closed when done, so that nothing of the server's is shared.
class Moderator {
public:
    Moderator(const QORStoreLocation& where, int minShuffles, const QString& connection)
        : Where(where), MinShuffles(minShuffles), Db(where.AddConnection(connection)) {}
    ~Moderator() { Db.close(); }

    QORModerationOutcome Run(const QORModeration& command);

private:
    bool Open();
    // Runs the statement with the values; on failure Problem says what failed.
    bool Exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});
    std::optional<Account> FindAccount(const QString& name);
    // The owner of a results row: its id and name, and whether the row is held.
    std::optional<std::pair<Account, bool>> FindResult(qint64 id);
    QORModerationOutcome ListResults(const QString& name);
    QORModerationOutcome Held();
    // Runs change in one transaction with the player's best row derived again after it, the
    // audit row and, on PostgreSQL, the notice to every server. change returns the line to
    // print, or nothing after setting Unknown or Problem.
    QORModerationOutcome
    Change(const QORModeration& command,
           const std::function<std::optional<QString>(qint64&, QString&)>& change);
    bool DeriveBest(qint64 user);
    QORModerationOutcome Failed() const;

    QORStoreLocation Where;
    int MinShuffles = 0;
    QSqlDatabase Db;
    // Why the command refers to nothing, or why the store could not do it.
    QString Unknown;
    QString Problem;
};

bool Moderator::Exec(QSqlQuery& query, const QString& sql, const QVariantList& values) {
    const bool ran = values.isEmpty() ? query.exec(sql) : query.prepare(sql);
    if (values.isEmpty() && ran)
        return true;
    if (ran) {
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (query.exec())
            return true;
    }
    Problem = StoreProblem(QStringLiteral("cannot use ") + Where.Display(), query.lastError());
    return false;
}

bool Moderator::Open() {
    const bool sqlite = Where.Engine == QORStoreLocation::SQLite;
    // Opening a file that is not there would make an empty store nobody asked for.
    if (sqlite && !QFileInfo(Where.Path).isFile()) {
        Problem = QStringLiteral("there is no store at ") + Where.Path;
        return false;
    }
    if (sqlite)
        Db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LockWaitMs));
    if (!Db.isValid() || !Db.open()) {
        Problem = StoreProblem(QStringLiteral("cannot open ") + Where.Display(), Db.lastError());
        return false;
    }
    QSqlQuery query(Db);
    // A file no server of this version has opened yet gets the columns of bans and held solves.
    if (sqlite) {
        Problem = UpgradeSQLiteLayout(Db);
        return Problem.isEmpty();
    }
    return Exec(query, QStringLiteral("SET lock_timeout = %1").arg(LockWaitMs));
}

std::optional<Account> Moderator::FindAccount(const QString& name) {
    // The account a player of that name logs in to.
    QSqlQuery query(Db);
    const QString trimmed = TrimmedName(name);
    if (!Exec(query, FindAccountStatement(), {name, trimmed, NameKey(name), name, trimmed}))
        return std::nullopt;
    if (!query.next()) {
        Unknown = QStringLiteral("there is no account named ") + name;
        return std::nullopt;
    }
    return Account{query.value(0).toLongLong(), query.value(1).toString(),
                   query.value(3).toInt() != 0};
}

std::optional<std::pair<Account, bool>> Moderator::FindResult(qint64 id) {
    QSqlQuery query(Db);
    if (!Exec(query,
              QStringLiteral("SELECT users.id, users.name, users.banned, results.held FROM "
                             "results JOIN users ON users.id = results.user_id WHERE "
                             "results.id = ?"),
              {id}))
        return std::nullopt;
    if (!query.next()) {
        Unknown = QStringLiteral("there is no result with id %1").arg(id);
        return std::nullopt;
    }
    return std::pair(Account{query.value(0).toLongLong(), query.value(1).toString(),
                             query.value(2).toInt() != 0},
                     query.value(3).toInt() != 0);
}

QORModerationOutcome Moderator::ListResults(const QString& name) {
    const std::optional<Account> account = FindAccount(name);
    QSqlQuery query(Db);
    if (!account ||
        !Exec(query,
              QStringLiteral("SELECT id, date, seconds, ms, shuffles, moves, held FROM results "
                             "WHERE user_id = ? ORDER BY id"),
              {account->Id}))
        return Failed();
    QList<QStringList> rows;
    while (query.next()) {
        const bool verified = !query.value(3).isNull();
        QStringList marks;
        if (verified)
            marks << QStringLiteral("verified");
        if (query.value(6).toInt() != 0)
            marks << QStringLiteral("held");
        rows << QStringList{Text(query.value(0)),
                            Text(query.value(1)),
                            Text(query.value(2)),
                            verified ? Hundredths(query.value(3).toLongLong()) : QString(),
                            Text(query.value(4)),
                            Text(query.value(5)),
                            marks.join(QLatin1Char(' '))};
    }
    QORModerationOutcome outcome;
    outcome.Output = QStringLiteral("%1 (account %2)%3\n")
                         .arg(account->Name)
                         .arg(account->Id)
                         .arg(account->Banned ? QStringLiteral(", banned") : QString());
    outcome.Output +=
        rows.isEmpty()
            ? QStringLiteral("no results")
            : Table({"id", "date", "seconds", "time", "shuffles", "moves", "marks"}, rows);
    return outcome;
}

QORModerationOutcome Moderator::Held() {
    QSqlQuery query(Db);
    if (!Exec(query, QStringLiteral("SELECT results.id, users.name, results.ms, results.moves, "
                                    "results.shuffles, results.date, results.scramble_id FROM "
                                    "results JOIN users ON users.id = results.user_id WHERE "
                                    "results.held <> 0 ORDER BY results.id")))
        return Failed();
    QList<QStringList> rows;
    while (query.next())
        rows << QStringList{Text(query.value(0)),
                            Text(query.value(1)),
                            query.value(2).isNull() ? QString()
                                                    : Hundredths(query.value(2).toLongLong()),
                            Text(query.value(3)),
                            Text(query.value(4)),
                            Text(query.value(5)),
                            Text(query.value(6))};
    QORModerationOutcome outcome;
    outcome.Output =
        rows.isEmpty()
            ? QStringLiteral("no held results")
            : Table({"id", "name", "time", "moves", "shuffles", "date", "scramble"}, rows);
    return outcome;
}

bool Moderator::DeriveBest(qint64 user) {
    QSqlQuery query(Db);
    return Exec(query, QStringLiteral("DELETE FROM best WHERE user_id = ?"), {user}) &&
           Exec(query, DeriveBestStatement(true), {MinShuffles, user});
}

QORModerationOutcome
Moderator::Change(const QORModeration& command,
                  const std::function<std::optional<QString>(qint64&, QString&)>& change) {
    const bool postgres = Where.Engine == QORStoreLocation::PostgreSQL;
    QSqlQuery query(Db);
    // SQLite takes the write lock at once, so that a server's commit in between cannot void
    // what was read. PostgreSQL locks the best rows, as the server's own ranking does, so
    // that a result ranked meanwhile is ranked against the derived row.
    if (!Exec(query, postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")) ||
        (postgres && !Exec(query, QStringLiteral("LOCK TABLE best IN EXCLUSIVE MODE"))))
        return Failed();
    qint64 user = 0;
    QString target;
    const std::optional<QString> done = change(user, target);
    if (!done || !DeriveBest(user) ||
        !Exec(query, QStringLiteral("INSERT INTO audit (at, command, target) VALUES (?, ?, ?)"),
              {QDateTime::currentDateTimeUtc().toString(Qt::ISODate), ModerationName(command.What),
               target}) ||
        (postgres && !Exec(query, QStringLiteral("NOTIFY ") + RankingChannel())) ||
        !Exec(query, QStringLiteral("COMMIT"))) {
        QSqlQuery(QStringLiteral("ROLLBACK"), Db);
        return Failed();
    }
    QORModerationOutcome outcome;
    outcome.Output = *done;
    return outcome;
}

QORModerationOutcome Moderator::Failed() const {
    QORModerationOutcome outcome;
    outcome.ExitCode = 1;
    outcome.Error = Unknown.isEmpty() ? Problem : Unknown;
    return outcome;
}

QORModerationOutcome Moderator::Run(const QORModeration& command) {
    if (!Open())
        return Failed();
    const auto banning = [&](bool banned) {
        return [&, banned](qint64& user, QString& target) -> std::optional<QString> {
            const std::optional<Account> account = FindAccount(command.Name);
            QSqlQuery query(Db);
            if (!account || !Exec(query, QStringLiteral("UPDATE users SET banned = ? WHERE id = ?"),
                                  {banned ? 1 : 0, account->Id}))
                return std::nullopt;
            user = account->Id;
            target = account->Name;
            return (banned ? QStringLiteral("banned ") : QStringLiteral("unbanned ")) +
                   account->Name;
        };
    };
    const auto onResult = [&](const QString& sql, bool needsHeld, const QString& verb) {
        return [&, sql, needsHeld, verb](qint64& user, QString& target) -> std::optional<QString> {
            const auto found = FindResult(command.Result);
            if (found && needsHeld && !found->second)
                Unknown = QStringLiteral("result %1 is not held").arg(command.Result);
            QSqlQuery query(Db);
            if (!found || !Unknown.isEmpty() || !Exec(query, sql, {command.Result}))
                return std::nullopt;
            user = found->first.Id;
            target = QStringLiteral("%1 (%2)").arg(command.Result).arg(found->first.Name);
            return QStringLiteral("%1 result %2 of %3")
                .arg(verb)
                .arg(command.Result)
                .arg(found->first.Name);
        };
    };
    switch (command.What) {
    case QORModeration::ListResults:
        return ListResults(command.Name);
    case QORModeration::Held:
        return Held();
    case QORModeration::Ban:
        return Change(command, banning(true));
    case QORModeration::Unban:
        return Change(command, banning(false));
    case QORModeration::RemoveResult:
        return Change(command, onResult(QStringLiteral("DELETE FROM results WHERE id = ?"), false,
                                        QStringLiteral("removed")));
    case QORModeration::Approve:
        return Change(command, onResult(QStringLiteral("UPDATE results SET held = 0 WHERE id = ?"),
                                        true, QStringLiteral("approved")));
    }
    return Failed();
}

} // namespace

QString ModerationName(QORModeration::Command command) {
    static const char* const Names[] = {"list-results", "remove-result", "ban",
                                        "unban",        "held",          "approve"};
    return QString::fromLatin1(Names[command]);
}

QORModerationOutcome Moderate(const QString& location, int minShuffles,
                              const QORModeration& command) {
    QORStoreLocation where;
    QORModerationOutcome outcome;
    if (!QORStoreLocation::Parse(location, where, outcome.Error)) {
        outcome.ExitCode = 1;
        return outcome;
    }
    const QString connection = QStringLiteral("quelmora-moderation");
    {
        Moderator moderator(where, minShuffles, connection);
        outcome = moderator.Run(command);
    }
    QSqlDatabase::removeDatabase(connection);
    return outcome;
}
