#include "server/qorscorestore.h"

#include "server/qorpassworddigest.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInt StoreCount;

const char* const Schema[] = {
    "CREATE TABLE IF NOT EXISTS users (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, "
    "salt BLOB NOT NULL, digest BLOB NOT NULL, iterations INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS results (id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, "
    "seconds INTEGER NOT NULL, shuffles INTEGER NOT NULL, date TEXT NOT NULL)",
    // One row per ranked player, so that the top list reads the first rows of one index
    // however many results are stored.
    "CREATE TABLE IF NOT EXISTS best (user_id INTEGER PRIMARY KEY, seconds INTEGER NOT NULL, "
    "shuffles INTEGER NOT NULL, date TEXT NOT NULL, result_id INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS best_rank ON best (seconds, result_id)",
};

struct UserRow {
    qint64 Id = 0;
    QByteArray Salt;
    QByteArray Digest;
    int Iterations = 0;
};

std::optional<qint64> IdIfPasswordMatches(const std::optional<UserRow>& user,
                                          const QString& password) {
    if (!user ||
        !DigestsEqual(PasswordDigest(password, user->Salt, user->Iterations), user->Digest))
        return std::nullopt;
    return user->Id;
}

QString Problem(const QString& what, const QSqlError& error) {
    const QString detail = error.text().trimmed();
    return detail.isEmpty() ? what : what + QStringLiteral(": ") + detail;
}

} // namespace

struct QORScoreStore::Statements {
    QSqlDatabase Db;
    QSqlQuery FindUser;
    QSqlQuery InsertUser;
    QSqlQuery InsertResult;
    QSqlQuery UpsertBest;
    QSqlQuery Top;

    explicit Statements(const QSqlDatabase& db)
        : Db(db), FindUser(db), InsertUser(db), InsertResult(db), UpsertBest(db), Top(db) {}

    bool Prepare() {
        return FindUser.prepare("SELECT id, salt, digest, iterations FROM users WHERE name = ?") &&
               InsertUser.prepare(
                   "INSERT INTO users (name, salt, digest, iterations) VALUES (?, ?, ?, ?)") &&
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

    std::optional<UserRow> User(const QString& name) {
        FindUser.bindValue(0, name);
        if (!FindUser.exec() || !FindUser.next())
            return std::nullopt;
        UserRow row;
        row.Id = FindUser.value(0).toLongLong();
        row.Salt = FindUser.value(1).toByteArray();
        row.Digest = FindUser.value(2).toByteArray();
        row.Iterations = FindUser.value(3).toInt();
        FindUser.finish();
        return row;
    }
};

QORScoreStore::QORScoreStore() : Iterations(PasswordIterations) {}

QORScoreStore::~QORScoreStore() {
    Close();
}

bool QORScoreStore::Open(const QString& path, int minShuffles) {
    Close();
    MinimumShuffles = minShuffles;
    ConnectionName = QStringLiteral("quelmora-store-%1").arg(StoreCount.fetchAndAddRelaxed(1));
    // The connection is closed only once every query on it is gone, hence the error text
    // travelling out of Connect.
    Error = Connect(path);
    if (Error.isEmpty())
        Error = RebuildBest();
    if (Error.isEmpty())
        return true;
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
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return Problem(QStringLiteral("cannot open ") + path, db.lastError());

    // WAL with NORMAL sync: a commit is in the log before it returns, and a killed process
    // loses nothing the system has already been given.
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
    if (!Sql->Prepare())
        return QStringLiteral("cannot prepare the statements on ") + path;
    return QString();
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

std::optional<qint64> QORScoreStore::Verify(const QString& name, const QString& password) {
    if (!Sql)
        return std::nullopt;
    return IdIfPasswordMatches(Sql->User(name), password);
}

std::optional<qint64> QORScoreStore::Register(const QString& name, const QString& password) {
    if (!Sql)
        return std::nullopt;
    if (const std::optional<UserRow> user = Sql->User(name))
        return IdIfPasswordMatches(user, password);
    const QByteArray salt = NewPasswordSalt();
    Sql->InsertUser.bindValue(0, name);
    Sql->InsertUser.bindValue(1, salt);
    Sql->InsertUser.bindValue(2, PasswordDigest(password, salt, Iterations));
    Sql->InsertUser.bindValue(3, Iterations);
    if (!Sql->InsertUser.exec())
        return std::nullopt;
    const qint64 id = Sql->InsertUser.lastInsertId().toLongLong();
    Sql->InsertUser.finish();
    return id;
}

bool QORScoreStore::AddResult(qint64 player, int seconds, int shuffles) {
    if (!Sql || !Sql->Db.transaction())
        return false;
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    QSqlQuery& insert = Sql->InsertResult;
    insert.bindValue(0, player);
    insert.bindValue(1, seconds);
    insert.bindValue(2, shuffles);
    insert.bindValue(3, date);
    bool stored = insert.exec();
    if (stored && shuffles >= MinimumShuffles) {
        QSqlQuery& upsert = Sql->UpsertBest;
        upsert.bindValue(0, player);
        upsert.bindValue(1, seconds);
        upsert.bindValue(2, shuffles);
        upsert.bindValue(3, date);
        upsert.bindValue(4, insert.lastInsertId());
        stored = upsert.exec();
    }
    insert.finish();
    if (!stored || !Sql->Db.commit()) {
        Sql->Db.rollback();
        return false;
    }
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
