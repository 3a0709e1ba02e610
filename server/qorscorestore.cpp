#include "server/qorscorestore.h"

#include "net/qorlogin.h"
#include "server/qorpasswordhash.h"

#include <QAtomicInt>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInt StoreCount;

// Files of layout 0 kept PBKDF2 salts and digests in columns of their own and no name key.
constexpr int Layout = 1;
// A write held up by another process gives up after this, so that no client waits on it.
constexpr int BusyWaitMs = 100;
// Opening serves nobody yet, so it may wait out a backup's lock.
constexpr int OpenBusyWaitMs = 5000;

const char* const Schema[] = {
    // name_key holds the trimmed, case-folded name, so that names are unique regardless of
    // letter case in every alphabet. Files from before that may hold two names with one key:
    // the later accounts keep a null key, and their exact names still log them in.
    "CREATE TABLE IF NOT EXISTS users (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, "
    "name_key TEXT UNIQUE, password BLOB NOT NULL)",
    "CREATE TABLE IF NOT EXISTS results (id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, "
    "seconds INTEGER NOT NULL, shuffles INTEGER NOT NULL, date TEXT NOT NULL)",
    // One row per ranked player, so that the top list reads the first rows of one index
    // however many results are stored.
    "CREATE TABLE IF NOT EXISTS best (user_id INTEGER PRIMARY KEY, seconds INTEGER NOT NULL, "
    "shuffles INTEGER NOT NULL, date TEXT NOT NULL, result_id INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS best_rank ON best (seconds, result_id)",
};

QString NameKey(const QString& name) {
    return TrimmedName(name).toCaseFolded();
}

QString Problem(const QString& what, const QSqlError& error) {
    const QString detail = error.text().trimmed();
    return detail.isEmpty() ? what : what + QStringLiteral(": ") + detail;
}

} // namespace

struct QORScoreStore::Statements {
    QSqlDatabase Db;
    QSqlQuery FindAccount;
    QSqlQuery InsertAccount;
    QSqlQuery UpdatePassword;
    QSqlQuery InsertResult;
    QSqlQuery UpsertBest;
    QSqlQuery Top;

    explicit Statements(const QSqlDatabase& db)
        : Db(db), FindAccount(db), InsertAccount(db), UpdatePassword(db), InsertResult(db),
          UpsertBest(db), Top(db) {}

    bool Prepare() {
        return FindAccount.prepare("SELECT id, name, password FROM users "
                                   "WHERE name = ? OR name = ? OR name_key = ? "
                                   "ORDER BY name = ? DESC, name = ? DESC LIMIT 1") &&
               InsertAccount.prepare(
                   "INSERT INTO users (name, name_key, password) VALUES (?, ?, ?)") &&
               UpdatePassword.prepare("UPDATE users SET password = ? WHERE id = ?") &&
               InsertResult.prepare(
                   "INSERT INTO results (user_id, seconds, shuffles, date) VALUES (?, ?, ?, ?)") &&
               // A later result with the same time keeps the earlier one: only faster wins.
               UpsertBest.prepare("INSERT INTO best (user_id, seconds, shuffles, date, result_id) "
                                  "VALUES (?, ?, ?, ?, ?) ON CONFLICT (user_id) DO UPDATE SET "
                                  "seconds = excluded.seconds, shuffles = excluded.shuffles, "
                                  "date = excluded.date, result_id = excluded.result_id "
                                  "WHERE excluded.seconds < best.seconds") &&
               Top.prepare("SELECT users.name, best.seconds, best.shuffles, best.date "
                           "FROM best JOIN users ON users.id = best.user_id "
                           "ORDER BY best.seconds, best.result_id LIMIT ?");
    }
};

QORScoreStore::QORScoreStore() = default;

QORScoreStore::~QORScoreStore() {
    Close();
}

bool QORScoreStore::Open(const QString& path, int minShuffles) {
    Close();
    MinimumShuffles = minShuffles;
    ++Ranking;
    ConnectionName = QStringLiteral("quelmora-store-%1").arg(StoreCount.fetchAndAddRelaxed(1));
    // The connection is closed only once every query on it is gone, hence the error text
    // travelling out of Connect.
    Error = Connect(path);
    if (Error.isEmpty())
        Error = Migrate();
    if (Error.isEmpty())
        Error = RebuildBest();
    if (Error.isEmpty()) {
        QSqlQuery(QStringLiteral("PRAGMA busy_timeout=%1").arg(BusyWaitMs), Sql->Db);
        return true;
    }
    Close();
    return false;
}

void QORScoreStore::Close() {
    Sql.reset();
    if (ConnectionName.isEmpty())
        return;
    QSqlDatabase::database(ConnectionName, false).close();
    QSqlDatabase::removeDatabase(ConnectionName);
    ConnectionName.clear();
}

QString QORScoreStore::Connect(const QString& path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
    if (!db.isValid())
        return Problem(QStringLiteral("no SQLite driver"), db.lastError());
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(OpenBusyWaitMs));
    if (!db.open())
        return Problem(QStringLiteral("cannot open ") + path, db.lastError());

    // WAL with NORMAL sync: a commit is in the log before it returns, and a killed process
    // loses nothing the system has already been given. Readers never wait for a writer.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next() ||
        query.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0)
        return Problem(QStringLiteral("cannot use ") + path + QStringLiteral(" as a database"),
                       query.lastError());
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return Problem(QStringLiteral("cannot set up ") + path, query.lastError());
    for (const char* statement : Schema) {
        if (!query.exec(QString::fromLatin1(statement)))
            return Problem(QStringLiteral("cannot create the tables in ") + path,
                           query.lastError());
    }
    Sql = std::make_unique<Statements>(db);
    return QString();
}

QString QORScoreStore::Migrate() {
    QSqlDatabase& db = Sql->Db;
    const QString what = QStringLiteral("cannot bring the file up to date");
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return Problem(what, query.lastError());
    if (query.value(0).toInt() >= Layout)
        return Sql->Prepare() ? QString() : what;
    query.finish();
    if (!db.transaction())
        return Problem(what, db.lastError());
    // The whole change is one transaction: a file is either of the old layout or the new one.
    const auto fail = [&](const QSqlQuery& failed) {
        const QSqlError error = failed.lastError();
        db.rollback();
        return Problem(what, error);
    };
    if (!query.exec(QStringLiteral(
            "SELECT COUNT(*) FROM pragma_table_info('users') WHERE name = 'salt'")) ||
        !query.next())
        return fail(query);
    if (query.value(0).toInt() > 0) {
        query.finish();
        QSqlQuery copy(db);
        if (!query.exec(QStringLiteral("ALTER TABLE users RENAME TO users_pbkdf2")) ||
            !query.exec(QString::fromLatin1(Schema[0])) ||
            !query.exec(QStringLiteral(
                "SELECT id, name, salt, digest, iterations FROM users_pbkdf2 ORDER BY id")) ||
            !copy.prepare(QStringLiteral(
                "INSERT INTO users (id, name, name_key, password) VALUES (?, ?, ?, ?)")))
            return fail(query.lastError().isValid() ? query : copy);
        // The first account of a name keeps it regardless of case; later ones keep theirs.
        QSet<QString> keys;
        while (query.next()) {
            const QString name = query.value(1).toString();
            const QString key = NameKey(name);
            copy.bindValue(0, query.value(0));
            copy.bindValue(1, name);
            copy.bindValue(2, keys.contains(key) ? QVariant() : QVariant(key));
            copy.bindValue(3,
                           LegacyPasswordHash(query.value(4).toInt(), query.value(2).toByteArray(),
                                              query.value(3).toByteArray()));
            if (!copy.exec())
                return fail(copy);
            keys.insert(key);
        }
        query.finish();
        if (!query.exec(QStringLiteral("DROP TABLE users_pbkdf2")))
            return fail(query);
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version=%1").arg(Layout)))
        return fail(query);
    if (!db.commit())
        return Problem(what, db.lastError());
    return Sql->Prepare() ? QString() : what;
}

QString QORScoreStore::RebuildBest() {
    // The ranking rule may have changed since the last run, so the best rows are derived
    // again from every result rather than trusted.
    QSqlQuery clear(Sql->Db);
    QSqlQuery rebuild(Sql->Db);
    rebuild.prepare(QStringLiteral(
        "INSERT INTO best (user_id, seconds, shuffles, date, result_id) "
        "SELECT user_id, seconds, shuffles, date, id FROM (SELECT user_id, seconds, shuffles, "
        "date, id, ROW_NUMBER() OVER (PARTITION BY user_id ORDER BY seconds, id) AS place "
        "FROM results WHERE shuffles >= ?) WHERE place = 1"));
    rebuild.bindValue(0, MinimumShuffles);
    const QString what = QStringLiteral("cannot rank the results");
    if (!Sql->Db.transaction())
        return Problem(what, Sql->Db.lastError());
    if (!clear.exec(QStringLiteral("DELETE FROM best")) || !rebuild.exec()) {
        const QSqlError error =
            clear.lastError().isValid() ? clear.lastError() : rebuild.lastError();
        Sql->Db.rollback();
        return Problem(what, error);
    }
    if (!Sql->Db.commit())
        return Problem(what, Sql->Db.lastError());
    return QString();
}

std::optional<QORAccount> QORScoreStore::Account(const QString& name) {
    if (!Sql)
        return std::nullopt;
    QSqlQuery& find = Sql->FindAccount;
    const QString trimmed = TrimmedName(name);
    const QString values[] = {name, trimmed, NameKey(name), name, trimmed};
    for (int i = 0; i < 5; ++i)
        find.bindValue(i, values[i]);
    if (!find.exec() || !find.next())
        return std::nullopt;
    QORAccount account;
    account.Id = find.value(0).toLongLong();
    account.Name = find.value(1).toString();
    account.Password = find.value(2).toByteArray();
    find.finish();
    return account;
}

std::optional<qint64> QORScoreStore::AddAccount(const QString& name, const QByteArray& password) {
    if (!Sql)
        return std::nullopt;
    QSqlQuery& insert = Sql->InsertAccount;
    insert.bindValue(0, TrimmedName(name));
    insert.bindValue(1, NameKey(name));
    insert.bindValue(2, password);
    if (!insert.exec())
        return std::nullopt;
    const qint64 id = insert.lastInsertId().toLongLong();
    insert.finish();
    return id;
}

bool QORScoreStore::SetPassword(qint64 account, const QByteArray& password) {
    if (!Sql)
        return false;
    Sql->UpdatePassword.bindValue(0, password);
    Sql->UpdatePassword.bindValue(1, account);
    return Sql->UpdatePassword.exec();
}

bool QORScoreStore::AddResult(qint64 player, int seconds, int shuffles, const QDate& date) {
    if (!Sql || !Sql->Db.transaction())
        return false;
    const QString day = date.toString(Qt::ISODate);
    QSqlQuery& insert = Sql->InsertResult;
    insert.bindValue(0, player);
    insert.bindValue(1, seconds);
    insert.bindValue(2, shuffles);
    insert.bindValue(3, day);
    bool stored = insert.exec();
    bool ranked = false;
    if (stored && shuffles >= MinimumShuffles) {
        QSqlQuery& upsert = Sql->UpsertBest;
        upsert.bindValue(0, player);
        upsert.bindValue(1, seconds);
        upsert.bindValue(2, shuffles);
        upsert.bindValue(3, day);
        upsert.bindValue(4, insert.lastInsertId());
        stored = upsert.exec();
        ranked = upsert.numRowsAffected() > 0;
    }
    insert.finish();
    if (!stored || !Sql->Db.commit()) {
        Sql->Db.rollback();
        return false;
    }
    if (ranked)
        ++Ranking;
    return true;
}

QList<QORTopRow> QORScoreStore::Top(int rows) {
    QList<QORTopRow> top;
    if (!Sql)
        return top;
    QSqlQuery& query = Sql->Top;
    query.bindValue(0, rows);
    if (!query.exec())
        return top;
    while (query.next()) {
        QORTopRow row;
        row.Name = query.value(0).toString();
        row.Seconds = query.value(1).toInt();
        row.Shuffles = query.value(2).toInt();
        row.Date = QDate::fromString(query.value(3).toString(), Qt::ISODate);
        top << row;
    }
    query.finish();
    return top;
}

qint64 QORScoreStore::ResultCount() {
    if (!Sql)
        return 0;
    QSqlQuery count(Sql->Db);
    if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM results")) || !count.next())
        return 0;
    return count.value(0).toLongLong();
}
