#include "history/qorhistory.h"

#include "net/qorprotocol.h"
#include "net/qorverified.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <iterator>
#include <limits>

namespace {

QAtomicInt Connections;

const char* const Schema[] = {
    "CREATE TABLE IF NOT EXISTS solves (id INTEGER PRIMARY KEY, finished_at TEXT NOT NULL, "
    "seconds REAL NOT NULL, clock_seconds INTEGER NOT NULL, shuffles INTEGER NOT NULL, "
    "moves INTEGER NOT NULL, scramble TEXT NOT NULL, solution TEXT NOT NULL, "
    "sent INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS solves_unsent ON solves (id) WHERE sent = 0",
    // The filter by shuffle length and its list read this rather than every solve.
    "CREATE INDEX IF NOT EXISTS solves_shuffles ON solves (shuffles, id)",
};

// Each step brings a file of the version before it up to date; the file's user_version says
// how many it has had. Files written before any step have none, new ones go through them all.
const char* const Upgrades[] = {
    // Verified games: the dealt scramble's id and time, and the timed turns sent.
    "ALTER TABLE solves ADD COLUMN scramble_id TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE solves ADD COLUMN dealt_at TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE solves ADD COLUMN timed_moves TEXT NOT NULL DEFAULT ''",
    // Games helped by a hint, and the game's solver's length for each solve's shuffle.
    "ALTER TABLE solves ADD COLUMN hinted INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE solves ADD COLUMN solver_moves INTEGER",
    // Random-state games, whose shuffle length is their scramble's quarter turns.
    "ALTER TABLE solves ADD COLUMN random_state INTEGER NOT NULL DEFAULT 0",
    // Daily challenges, by their UTC day as YYYY-MM-DD.
    "ALTER TABLE solves ADD COLUMN daily_day TEXT NOT NULL DEFAULT ''",
    // The inspection's penalty and its DNF.
    "ALTER TABLE solves ADD COLUMN plus_two INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE solves ADD COLUMN dnf INTEGER NOT NULL DEFAULT 0",
};

// No more shuffle turns than the game offers, judged before anything is narrowed to an int
// (2^40 would read as 0). None is allowed: a cube can be solved without a shuffle.
const QString SoundShuffles =
    QStringLiteral("(typeof(shuffles) = 'integer' AND shuffles BETWEEN 0 AND %1)")
        .arg(QORProtocol::MaxShuffles);

// What a real solve can store: a time neither negative nor a year long, a shuffle length the
// game can give and counts that fit. SQLite judges every row by this one rule, so a damaged or
// edited file (inf, text, negative times) is told apart wherever the solves are read.
const QString Sound =
    QStringLiteral("(typeof(seconds) IN ('real', 'integer') AND seconds >= 0 AND "
                   "seconds < 31536000 AND typeof(clock_seconds) = 'integer' AND "
                   "clock_seconds BETWEEN 0 AND 2147483647 AND typeof(moves) = 'integer' AND "
                   "moves BETWEEN 0 AND 2147483647 AND %1)")
        .arg(SoundShuffles);

const QString Columns =
    QStringLiteral(
        "id, finished_at, seconds, clock_seconds, shuffles, moves, scramble, solution, sent, ") +
    Sound +
    QStringLiteral(", scramble_id, dealt_at, timed_moves, hinted, CASE WHEN "
                   "typeof(solver_moves) = 'integer' AND solver_moves BETWEEN 0 AND 1000 THEN "
                   "solver_moves END, random_state, daily_day, plus_two, dnf");

// A solve's result in seconds, the penalty included; NULL for a DNF.
const QString ResultSeconds = QStringLiteral("CASE WHEN dnf = 0 THEN seconds + plus_two * %1 END")
                                  .arg(QORProtocol::PenaltyMs / 1000);

// The solves at one shuffle length, of random-state games, or all; a length binds a value.
QString OfLength(int shuffles, QVariantList& values) {
    if (shuffles == QORSolveHistory::DailyLength)
        return QStringLiteral("daily_day <> ''");
    if (shuffles == QORSolveHistory::RandomStateLength)
        return QStringLiteral("random_state = 1 AND daily_day = ''");
    if (shuffles < 0)
        return QStringLiteral("1");
    values << shuffles;
    return QStringLiteral("shuffles = ? AND random_state = 0 AND daily_day = ''");
}

void Say(QString* error, const QString& text) {
    if (error)
        *error = text;
}

// A field as comma-separated values carry it: quoted when it holds a comma, a quote or a
// line break, a quote inside doubled.
QString CsvField(QString text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// No turns are an empty text, which the driver would otherwise bind as NULL.
QString NotNull(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

// Runs a read with its values bound in order, forward only.
bool Read(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

// Runs the steps the file has not had, each in one transaction with its new version.
bool Upgrade(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const int done = query.value(0).toInt();
    query.finish();
    const int steps = int(std::size(Upgrades));
    for (int step = done; step < steps; ++step) {
        bool ok = db.transaction();
        for (const QString& statement : QString::fromLatin1(Upgrades[step]).split(u';'))
            ok = ok && query.exec(statement);
        ok = ok && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(step + 1));
        if (!ok || !db.commit()) {
            db.rollback();
            return false;
        }
    }
    return true;
}

} // namespace

double QORSolve::Result() const {
    if (Dnf)
        return std::numeric_limits<double>::infinity();
    return Seconds + (PlusTwo ? QORProtocol::PenaltyMs / 1000.0 : 0);
}

std::optional<double> QORSolve::Efficiency() const {
    if (!SolverMoves || Moves <= 0 || Damaged)
        return std::nullopt;
    return double(*SolverMoves) / Moves;
}

QORSolveHistory::QORSolveHistory()
    : Connection(QStringLiteral("quelmora-history-%1").arg(Connections.fetchAndAddRelaxed(1))) {}

QORSolveHistory::~QORSolveHistory() {
    if (QSqlDatabase::contains(Connection)) {
        QSqlDatabase::database(Connection, false).close();
        QSqlDatabase::removeDatabase(Connection);
    }
}

QString QORSolveHistory::DefaultPath() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/quelmora/history.sqlite");
}

bool QORSolveHistory::Open(const QString& path, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        Say(error, QStringLiteral("cannot create the folder of %1").arg(path));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    db.setDatabaseName(path);
    QSqlQuery query(db);
    // A solve is committed before the congratulation shows; WAL keeps that cheap.
    bool ok = db.open() && query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    for (const char* statement : Schema)
        ok = ok && query.exec(QString::fromLatin1(statement));
    ok = ok && Upgrade(db);
    if (!ok) {
        Say(error, (db.lastError().isValid() ? db.lastError() : query.lastError()).text());
        query.finish();
        db.close();
    }
    return ok;
}

bool QORSolveHistory::IsOpen() const {
    return QSqlDatabase::database(Connection, false).isOpen();
}

std::optional<qint64> QORSolveHistory::Add(const QORSolve& s, QString* error) {
    QSqlQuery insert(QSqlDatabase::database(Connection, false));
    insert.prepare(QStringLiteral("INSERT INTO solves (finished_at, seconds, clock_seconds, "
                                  "shuffles, moves, scramble, solution, sent, scramble_id, "
                                  "dealt_at, timed_moves, hinted, solver_moves, random_state, "
                                  "daily_day, plus_two, dnf) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& v :
         {QVariant(s.FinishedAt.toUTC().toString(Qt::ISODateWithMs)), QVariant(s.Seconds),
          QVariant(s.ClockSeconds), QVariant(s.Shuffles), QVariant(s.Moves),
          QVariant(NotNull(s.Scramble)), QVariant(NotNull(s.Solution)), QVariant(s.Sent ? 1 : 0),
          QVariant(NotNull(s.ScrambleId)),
          QVariant(NotNull(s.DealtAt.isValid() ? s.DealtAt.toUTC().toString(Qt::ISODateWithMs)
                                               : QString())),
          QVariant(NotNull(s.TimedMoves)), QVariant(s.Hinted ? 1 : 0),
          s.SolverMoves ? QVariant(*s.SolverMoves) : QVariant(QMetaType::fromType<int>()),
          QVariant(s.RandomState ? 1 : 0),
          QVariant(s.DailyDay.isValid() ? s.DailyDay.toString(Qt::ISODate)
                                        : QStringLiteral("")),
          QVariant(s.PlusTwo ? 1 : 0), QVariant(s.Dnf ? 1 : 0)})
        insert.addBindValue(v);
    if (!insert.exec()) {
        Say(error, insert.lastError().text());
        return std::nullopt;
    }
    return insert.lastInsertId().toLongLong();
}

bool QORSolveHistory::MarkSent(qint64 id) {
    QSqlQuery update(QSqlDatabase::database(Connection, false));
    update.prepare(QStringLiteral("UPDATE solves SET sent = 1 WHERE id = ?"));
    update.addBindValue(id);
    return update.exec();
}

bool QORSolveHistory::SetSolverMoves(qint64 id, int quarterTurns) {
    QSqlQuery update(QSqlDatabase::database(Connection, false));
    update.prepare(QStringLiteral("UPDATE solves SET solver_moves = ? WHERE id = ?"));
    update.addBindValue(quarterTurns);
    update.addBindValue(id);
    return update.exec() && update.numRowsAffected() == 1;
}

bool QORSolveHistory::Remove(qint64 id) {
    QSqlQuery remove(QSqlDatabase::database(Connection, false));
    remove.prepare(QStringLiteral("DELETE FROM solves WHERE id = ?"));
    remove.addBindValue(id);
    return remove.exec() && remove.numRowsAffected() == 1;
}

QList<QORSolve> QORSolveHistory::Select(const QString& where, const QVariantList& values) const {
    QList<QORSolve> solves;
    QSqlQuery select(QSqlDatabase::database(Connection, false));
    if (!Read(select, QStringLiteral("SELECT %1 FROM solves %2").arg(Columns, where), values))
        return solves;
    while (select.next()) {
        QORSolve s;
        s.Id = select.value(0).toLongLong();
        s.FinishedAt = QDateTime::fromString(select.value(1).toString(), Qt::ISODateWithMs);
        s.Seconds = select.value(2).toDouble();
        s.ClockSeconds = select.value(3).toInt();
        s.Shuffles = select.value(4).toInt();
        s.Moves = select.value(5).toInt();
        s.Scramble = select.value(6).toString();
        s.Solution = select.value(7).toString();
        s.Sent = select.value(8).toInt() != 0;
        s.Damaged = select.value(9).toInt() == 0;
        s.ScrambleId = select.value(10).toString();
        s.DealtAt = QDateTime::fromString(select.value(11).toString(), Qt::ISODateWithMs);
        s.TimedMoves = select.value(12).toString();
        s.Hinted = select.value(13).toInt() != 0;
        if (!select.value(14).isNull())
            s.SolverMoves = select.value(14).toInt();
        s.RandomState = select.value(15).toInt() != 0;
        s.DailyDay = QDate::fromString(select.value(16).toString(), Qt::ISODate);
        s.PlusTwo = select.value(17).toInt() != 0;
        s.Dnf = select.value(18).toInt() != 0;
        solves << s;
    }
    return solves;
}

QList<QORSolve> QORSolveHistory::All() const {
    return Select(QStringLiteral("ORDER BY id"));
}

QList<QORSolve> QORSolveHistory::Unsent() const {
    return Select(
        QStringLiteral("WHERE sent = 0 AND hinted = 0 AND dnf = 0 AND %1 ORDER BY id").arg(Sound));
}

QList<QORSolve> QORSolveHistory::Page(int shuffles, qint64 before, int count) const {
    QVariantList values;
    const QString length = OfLength(shuffles, values);
    values << before << before << count;
    return Select(QStringLiteral("WHERE %1 AND (? = 0 OR id < ?) ORDER BY id DESC LIMIT ?")
                      .arg(length),
                  values);
}

QList<std::optional<double>> QORSolveHistory::Times(int shuffles) const {
    QList<std::optional<double>> times;
    QVariantList values;
    QSqlQuery select(QSqlDatabase::database(Connection, false));
    const QString length = OfLength(shuffles, values);
    if (!Read(select,
              QStringLiteral("SELECT CASE WHEN %1 THEN %2 END, %1 FROM solves WHERE %3 "
                             "ORDER BY id")
                  .arg(Sound, ResultSeconds, length),
              values))
        return times;
    while (select.next()) {
        const QVariant seconds = select.value(0);
        if (select.value(1).toInt() == 0)
            times << std::nullopt;
        else
            times << (seconds.isNull() ? std::numeric_limits<double>::infinity()
                                       : seconds.toDouble());
    }
    return times;
}

QList<int> QORSolveHistory::Lengths() const {
    QList<int> lengths;
    QSqlQuery select(QSqlDatabase::database(Connection, false));
    if (!Read(select,
              QStringLiteral("SELECT DISTINCT CASE WHEN daily_day <> '' THEN %3 WHEN "
                             "random_state = 1 THEN %2 ELSE shuffles END AS length FROM solves "
                             "WHERE %1 ORDER BY length")
                  .arg(SoundShuffles)
                  .arg(QORProtocol::MaxShuffles + 1)
                  .arg(QORProtocol::MaxShuffles + 2),
              {}))
        return lengths;
    // Random-state games sort after every length the game offers, daily challenges last.
    while (select.next()) {
        const int length = select.value(0).toInt();
        lengths << (length == QORProtocol::MaxShuffles + 2 ? DailyLength
                    : length > QORProtocol::MaxShuffles    ? RandomStateLength
                                                           : length);
    }
    return lengths;
}

std::optional<double> QORSolveHistory::Best(int shuffles, qint64 except, bool randomState) const {
    QSqlQuery best(QSqlDatabase::database(Connection, false));
    best.prepare(QStringLiteral("SELECT MIN(%2) FROM solves WHERE shuffles = ? AND id <> ? "
                                "AND random_state = ? AND hinted = 0 AND %1")
                     .arg(Sound, ResultSeconds));
    best.addBindValue(shuffles);
    best.addBindValue(except);
    best.addBindValue(randomState ? 1 : 0);
    if (!best.exec() || !best.next() || best.value(0).isNull())
        return std::nullopt;
    return best.value(0).toDouble();
}

int QORSolveHistory::DailyStreak(const QDate& day) const {
    QSqlQuery select(QSqlDatabase::database(Connection, false));
    if (!Read(select,
              QStringLiteral("SELECT DISTINCT daily_day FROM solves WHERE daily_day <> '' AND "
                             "daily_day <= ? AND hinted = 0 AND dnf = 0 AND %1 ORDER BY daily_day DESC")
                  .arg(Sound),
              {day.toString(Qt::ISODate)}))
        return 0;
    // Days come newest first; the streak ends at the first day missing.
    int streak = 0;
    while (select.next() &&
           QDate::fromString(select.value(0).toString(), Qt::ISODate) == day.addDays(-streak))
        ++streak;
    return streak;
}

bool QORSolveHistory::ExportCsv(const QString& path, QString* error) const {
    QString text = QStringLiteral(
        "id,finished_at,seconds,shuffles,moves,scramble,solution,sent,hinted,solver_moves,"
        "efficiency,plus_two,dnf\n");
    for (const QORSolve& s : All()) {
        const std::optional<double> efficiency = s.Efficiency();
        text += QStringList{QString::number(s.Id), s.FinishedAt.toString(Qt::ISODateWithMs),
                            QString::number(s.Seconds, 'f', 3), QString::number(s.Shuffles),
                            QString::number(s.Moves), CsvField(s.Scramble),
                            CsvField(s.Solution), QString::number(s.Sent ? 1 : 0),
                            QString::number(s.Hinted ? 1 : 0),
                            s.SolverMoves ? QString::number(*s.SolverMoves) : QString(),
                            efficiency ? QString::number(*efficiency, 'f', 2) : QString(),
                            QString::number(s.PlusTwo ? 1 : 0), QString::number(s.Dnf ? 1 : 0)}
                    .join(QLatin1Char(',')) +
                QLatin1Char('\n');
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        Say(error, file.errorString());
        return false;
    }
    return true;
}
