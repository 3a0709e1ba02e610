#include "server/qorscorestore.h"

#include "net/qorlogin.h"
#include "server/qorstoresql.h"
#include "server/qorstorestatements.h"

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInt StoreCount;

// A write held up by another process or server gives up after this, so that no client waits
// on it.
constexpr int BusyWaitMs = 100;
// Opening serves nobody yet, so it may wait out a backup's lock or another server's start.
constexpr int OpenBusyWaitMs = 5000;
// A lost PostgreSQL connection is tried again at most this often.
constexpr int ReconnectMs = 1000;

} // namespace

QORScoreStore::QORScoreStore() = default;

QORScoreStore::~QORScoreStore() {
    Close();
}

bool QORScoreStore::Open(const QString& location, int minShuffles) {
    Close();
    MinimumShuffles = minShuffles;
    ++Ranking;
    Text = location;
    // The connection is closed only once every query on it is gone, hence the error text
    // travelling out of Connect.
    if (QORStoreLocation::Parse(location, Where, Error))
        Error = Connect();
    // A damaged file would answer every player as a stranger, so the server does not start.
    if (Error.isEmpty() && Where.Engine == QORStoreLocation::SQLite)
        Error = CheckSQLiteFile(Sql->Db, Where.Path);
    if (Error.isEmpty() && Where.Engine == QORStoreLocation::SQLite)
        Error = UpgradeSQLiteLayout(Sql->Db);
    if (Error.isEmpty())
        Error = RebuildBest();
    if (Error.isEmpty())
        Error = Ready();
    if (Error.isEmpty())
        return true;
    Close();
    return false;
}

QString QORScoreStore::Ready() {
    if (!Sql->Prepare(Where.Engine == QORStoreLocation::SQLite))
        return StoreProblem(QStringLiteral("cannot use the tables"), Sql->FindAccount.lastError());
    QSqlQuery(Where.Engine == QORStoreLocation::SQLite
                  ? QStringLiteral("PRAGMA busy_timeout=%1").arg(BusyWaitMs)
                  : QStringLiteral("SET lock_timeout = %1").arg(BusyWaitMs),
              Sql->Db);
    DataVersion = -1;
    return QString();
}

qint64 QORScoreStore::ResultCount() {
    QSqlQuery* count = Run(&Statements::CountResults, {});
    if (!count || !count->next())
        return 0;
    const qint64 results = count->value(0).toLongLong();
    count->finish();
    return results;
}

QSqlDatabase QORScoreStore::Database() const {
    return Sql ? Sql->Db : QSqlDatabase();
}

void QORScoreStore::Close() {
    Sql.reset();
    if (ConnectionName.isEmpty())
        return;
    QSqlDatabase::database(ConnectionName, false).close();
    QSqlDatabase::removeDatabase(ConnectionName);
    ConnectionName.clear();
}

QString QORScoreStore::Connect() {
    ConnectionName = QStringLiteral("quelmora-store-%1").arg(StoreCount.fetchAndAddRelaxed(1));
    const bool sqlite = Where.Engine == QORStoreLocation::SQLite;
    QSqlDatabase db = Where.AddConnection(ConnectionName);
    if (!db.isValid())
        return StoreProblem(sqlite ? QStringLiteral("no SQLite driver")
                                   : QStringLiteral("no PostgreSQL driver (libqt6sql6-psql)"),
                            db.lastError());
    if (sqlite)
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(OpenBusyWaitMs));
    if (!db.open())
        return StoreProblem(QStringLiteral("cannot open ") + Where.Display(), db.lastError());

    QSqlQuery query(db);
    const QString what = QStringLiteral("cannot create the tables in ") + Where.Display();
    if (sqlite) {
        // WAL with NORMAL sync: a commit is in the log before it returns, and a killed process
        // loses nothing the system has already been given. Readers never wait for a writer.
        if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next() ||
            query.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
            return StoreProblem(QStringLiteral("cannot use ") + Where.Path +
                                    QStringLiteral(" as a database"),
                                query.lastError());
        query.finish();
        if (!query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
            return StoreProblem(QStringLiteral("cannot set up ") + Where.Path, query.lastError());
    } else {
        // Tables that are there already are no news worth a line on stderr. As with SQLite's
        // WAL, a commit that has returned is safe from a killed server, and the database
        // flushes commits in groups rather than one by one. The lock keeps servers that start
        // together from racing to create the same tables.
        if (!query.exec(QStringLiteral("SET client_min_messages = warning")) ||
            !query.exec(QStringLiteral("SET synchronous_commit = off")) ||
            !query.exec(QStringLiteral("SET lock_timeout = %1").arg(OpenBusyWaitMs)) ||
            !db.transaction() ||
            !query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext('quelmora'))")))
            return StoreProblem(what, query.lastError());
    }
    for (const QString& statement : StoreSchema(Where.Engine)) {
        if (!query.exec(statement))
            return StoreProblem(what, query.lastError());
    }
    if (!sqlite) {
        if (!db.commit())
            return StoreProblem(what, db.lastError());
        // A result ranked through another server makes this one's top list stale too. The
        // listener goes with the connection, so every new connection listens again.
        QSqlDriver* driver = db.driver();
        if (!driver->subscribeToNotification(RankingChannel()))
            return StoreProblem(QStringLiteral("cannot listen for other servers' results"),
                                driver->lastError());
        QObject::connect(driver, &QSqlDriver::notification, driver, [this] { ++Ranking; });
    }
    Sql = std::make_unique<Statements>(db);
    return QString();
}

QString QORScoreStore::RebuildBest() {
    // The ranking rule may have changed since the last run, so the best rows are derived
    // again from every result rather than trusted.
    QSqlQuery clear(Sql->Db);
    QSqlQuery rebuild(Sql->Db);
    rebuild.prepare(DeriveBestStatement(false));
    rebuild.bindValue(0, MinimumShuffles);
    const QString what = QStringLiteral("cannot rank the results");
    if (!Sql->Db.transaction())
        return StoreProblem(what, Sql->Db.lastError());
    // Results another server adds meanwhile wait for the new rows and are ranked against them.
    if (Where.Engine == QORStoreLocation::PostgreSQL &&
        (!clear.exec(QStringLiteral("LOCK TABLE best IN EXCLUSIVE MODE")) || !Notify())) {
        const QSqlError error = clear.lastError();
        Sql->Db.rollback();
        return StoreProblem(what, error);
    }
    if (!clear.exec(QStringLiteral("DELETE FROM best")) || !rebuild.exec()) {
        const QSqlError error =
            clear.lastError().isValid() ? clear.lastError() : rebuild.lastError();
        Sql->Db.rollback();
        return StoreProblem(what, error);
    }
    if (!Sql->Db.commit())
        return StoreProblem(what, Sql->Db.lastError());
    return QString();
}

std::optional<QORAccount> QORScoreStore::Account(const QString& name) {
    const QString trimmed = TrimmedName(name);
    QSqlQuery* find = Run(&Statements::FindAccount, {name, trimmed, NameKey(name), name, trimmed});
    if (!find)
        return std::nullopt;
    if (!find->next()) {
        // A damaged page may fail the read of a statement that ran.
        Ran = !find->lastError().isValid();
        return std::nullopt;
    }
    QORAccount account;
    account.Id = find->value(0).toLongLong();
    account.Name = find->value(1).toString();
    account.Password = find->value(2).toByteArray();
    account.Banned = find->value(3).toInt() != 0;
    find->finish();
    return account;
}

std::optional<qint64> QORScoreStore::AddAccount(const QString& name, const QByteArray& password) {
    QSqlQuery* insert =
        Run(&Statements::InsertAccount, {TrimmedName(name), NameKey(name), password});
    if (!insert || !insert->next())
        return std::nullopt;
    const qint64 id = insert->value(0).toLongLong();
    insert->finish();
    return id;
}

bool QORScoreStore::SetPassword(qint64 account, const QByteArray& password) {
    return Run(&Statements::UpdatePassword, {password, account});
}

bool QORScoreStore::Begin() {
    if (Sql && Sql->Db.transaction())
        return true;
    return Reconnect() && Sql->Db.transaction();
}

bool QORScoreStore::AddResult(qint64 player, int seconds, int shuffles, const QDate& date) {
    if (!Begin())
        return false;
    const QString day = date.toString(Qt::ISODate);
    // Within the transaction a lost connection is not retried: the caller keeps the result.
    QSqlQuery* insert = Run(&Statements::InsertResult, {player, seconds, shuffles, day}, false);
    bool stored = insert && insert->next();
    const QVariant id = stored ? insert->value(0) : QVariant();
    // SQLite commits nothing while a statement still has rows to give.
    if (insert)
        insert->finish();
    bool ranked = false;
    if (stored && shuffles >= MinimumShuffles) {
        QSqlQuery* upsert =
            Run(&Statements::UpsertBest, {player, seconds, shuffles, day, id}, false);
        stored = upsert;
        ranked = upsert && upsert->numRowsAffected() > 0;
        if (stored && ranked && Where.Engine == QORStoreLocation::PostgreSQL)
            stored = Notify();
    }
    if (!stored || !Sql->Db.commit()) {
        Sql->Db.rollback();
        Reconnect();
        return false;
    }
    if (ranked)
        ++Ranking;
    return true;
}

QList<QORTopRow> QORScoreStore::Top(int rows) {
    QList<QORTopRow> top;
    QSqlQuery* query = Run(&Statements::Top, {rows});
    if (!query)
        return top;
    while (query->next()) {
        QORTopRow row;
        row.Name = query->value(0).toString();
        row.Seconds = query->value(1).toInt();
        row.Shuffles = query->value(2).toInt();
        row.Date = QDate::fromString(query->value(3).toString(), Qt::ISODate);
        top << row;
    }
    query->finish();
    return top;
}

QSqlQuery* QORScoreStore::Run(QSqlQuery Statements::*statement, const QVariantList& values,
                              bool mayReconnect) {
    Ran = false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Sql && !(mayReconnect && Reconnect()))
            return nullptr;
        QSqlQuery& query = (*Sql).*statement;
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (query.exec()) {
            Ran = true;
            return &query;
        }
        if (!mayReconnect || !Reconnect())
            return nullptr;
    }
    return nullptr;
}

bool QORScoreStore::Lost() const {
    return Where.Engine == QORStoreLocation::PostgreSQL && (!Sql || !Sql->Db.isOpen());
}

bool QORScoreStore::Reconnect() {
    // An SQLite file has no connection to lose. A PostgreSQL server that restarted has
    // dropped this one; opening it again beats locking every player out until our restart.
    // The tries are spaced, so that a database that is down does not stall every message.
    if (Where.Engine != QORStoreLocation::PostgreSQL ||
        (LastReconnect.isValid() && !LastReconnect.hasExpired(ReconnectMs)))
        return false;
    if (Sql && Sql->Db.isOpen()) {
        QSqlQuery probe(Sql->Db);
        if (probe.exec(QStringLiteral("SELECT 1")))
            return false;
    }
    LastReconnect.start();
    // The ranking was made at start; a new connection only needs its statements again.
    Close();
    Error = Connect();
    if (Error.isEmpty())
        Error = Ready();
    if (!Error.isEmpty()) {
        Close();
        return false;
    }
    // Notices sent while this server was away are lost: the kept top list may be stale.
    ++Ranking;
    return true;
}

bool QORScoreStore::Notify() {
    // The notice goes out with the commit, and never without it.
    QSqlQuery notify(Sql->Db);
    return notify.exec(QStringLiteral("NOTIFY ") + RankingChannel());
}
