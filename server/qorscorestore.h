#pragma once
// The players and their results, in an SQLite file or a PostgreSQL database that several
// servers share. Every change is committed before the call returns, so whatever the server
// has answered after it survives a killed process. A write that another process holds up
// fails after a short wait instead of stalling the server; the caller keeps what could not be
// written. The database does the ranking: one row per ranked player, kept as results come.

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include "net/qorverified.h"
#include "server/qorstorelocation.h"

#include <memory>
#include <optional>

class QSqlQuery;

struct QORTopRow {
    QString Name;
    int Seconds = 0;
    int Shuffles = 0;
    QDate Date;
};

struct QORAccount {
    qint64 Id = 0;
    QString Name;
    // The stored hash of the password (server/qorpasswordhash.h).
    QByteArray Password;
    // Set by the operator: the account is answered as if its password were wrong.
    bool Banned = false;
};

// A scramble as it was dealt: to whom, its turns as written, and when, in wall-clock
// milliseconds since 1970 UTC. One of a kind, QORProtocol::RandomKind or a daily try's
// DAILY-YYYY-MM-DD, counts its quarter turns as its shuffles; the numbered ones have no kind.
struct QORScramble {
    qint64 Player = 0;
    int Shuffles = 0;
    QString Moves;
    qint64 DealtMs = 0;
    bool Used = false;
    QString Kind;
};

// A verified solve as it is stored: one result row that counts on both lists unless held, or
// with its scramble's kind on that kind's list only.
struct QORSolve {
    qint64 Player = 0;
    QString ScrambleId;
    int Shuffles = 0;
    qint64 Ms = 0;
    // Quarter turns, and the timed moves as sent.
    int Moves = 0;
    QString Solution;
    QDate Date;
    bool Held = false;
    QString Kind;
};

// A row of the verified list and the result it shows.
struct QORVerifiedTopRow {
    QString Name;
    qint64 Ms = 0;
    int Moves = 0;
    int Shuffles = 0;
    QDate Date;
    qint64 ResultId = 0;
};

class QORScoreStore {
public:
    QORScoreStore();
    ~QORScoreStore();
    QORScoreStore(const QORScoreStore&) = delete;
    QORScoreStore& operator=(const QORScoreStore&) = delete;

    // Opens the file or database of that location (qorstorelocation.h), creates what is
    // missing, brings a file of an older layout up to date, and ranks the stored results for
    // minShuffles. False, with ErrorString set, when the store cannot be used.
    bool Open(const QString& location, int minShuffles);
    void Close();
    QString ErrorString() const { return Error; }

    // The account a name sent by a client stands for: the one of exactly that name, else of
    // the name trimmed, else the one that holds the name regardless of letter case. Nothing
    // also when the store could not answer, which Answered() then tells.
    std::optional<QORAccount> Account(const QString& name);
    // Whether the last statement ran: false when the database is down, the file damaged or
    // held by another program, and also when it refused a new account's name.
    bool Answered() const { return Ran; }
    // Creates an account of the trimmed name; nothing when the file refused it, also because
    // the name was taken meanwhile.
    std::optional<qint64> AddAccount(const QString& name, const QByteArray& password);
    bool SetPassword(qint64 account, const QByteArray& password);
    // Whether the account is banned now; nothing when the store could not answer.
    std::optional<bool> Banned(qint64 account);
    // Stores a result of the player; false when the file refused it.
    bool AddResult(qint64 player, int seconds, int shuffles, const QDate& date);
    // Each player's best ranked result, fastest first, at most rows of them.
    QList<QORTopRow> Top(int rows);

    // The verified list (qorscorestoresolves.cpp). A dealt scramble; false when the store
    // refused it.
    bool AddScramble(const QString& id, const QORScramble& scramble);
    // The scramble of that id; nothing when there is none or, as Answered() tells, when the
    // store could not answer.
    std::optional<QORScramble> Scramble(const QString& id);
    enum class SolveStored { Stored, AlreadyUsed, Failed };
    // Stores the solve and takes its scramble in one transaction; a held solve counts on no
    // list. The new result's id goes to resultId.
    SolveStored AddSolve(const QORSolve& solve, qint64& resultId);
    // Whether a solve counts on its list: not held, and of the least shuffles unless it is of
    // a kind, whose scrambles are all alike.
    bool Listed(const QORSolve& solve) const;
    // Each player's fastest verified solve that counts, of scrambles of that kind, fastest
    // first, at most rows of them.
    QList<QORVerifiedTopRow> VerifiedTop(int rows, const QString& kind = {});
    int MinShuffles() const { return MinimumShuffles; }

    // The daily challenge (qorscorestoredaily.cpp). The day's scramble as stored, empty when
    // none has been drawn yet; nothing when the store could not answer.
    std::optional<QString> DailyScramble(const QDate& day);
    // Stores the day's scramble unless one is there already, and gives the one stored, so
    // that every server on the database deals the same; nothing when the store refused.
    std::optional<QString> KeepDailyScramble(const QDate& day, const QString& moves,
                                             const QDateTime& created);
    // The player's try of that DAILY-YYYY-MM-DD kind and its id; nothing when there is none
    // or, as Answered() tells, when the store could not answer.
    std::optional<QORScramble> DailyTry(qint64 player, const QString& kind, QString& id);
    // Takes a scramble without a solve, so that a try given up or failed is finished too.
    SolveStored FinishTry(const QString& id);
    // The day's solved tries, fastest first, then by fewest moves, at most rows of them.
    QList<QORVerifiedTopRow> DailyTop(const QDate& day, int rows);
    // The same, every row, as the web front shows them.
    QList<QORProtocol::VerifiedRow> DailyList(const QDate& day);
    // The days in a row, ending today or yesterday, on which the player of that name solved
    // the day's try; 0 for no such player.
    int DailyStreak(const QString& nick, const QDate& today);

    // Changes whenever the ranking may have changed, here or through another server or
    // process on the same store, so that a top list can be kept till then. On SQLite this asks
    // the file whether another connection has committed since the last call.
    quint64 RankVersion();

    qint64 ResultCount();
    // Whether a PostgreSQL connection is known to be lost, without asking the database.
    bool Lost() const;
    // Opens a lost PostgreSQL connection again and listens anew, at most once a second;
    // whether it did. The ranking counts as changed then, since notices may have been missed.
    bool Reconnect();
    // The open connection, for copying a whole store.
    QSqlDatabase Database() const;
    const QORStoreLocation& Location() const { return Where; }

private:
    struct Statements;

    // Each gives the error text, empty on success.
    QString Connect();
    QString RebuildBest();
    // Tells every server on the database, at commit, that the ranking has changed.
    bool Notify();
    // Binds the values and runs the prepared statement; the statement, or null on failure.
    // With mayReconnect, a lost connection is opened again and the statement run once more.
    QSqlQuery* Run(QSqlQuery Statements::*statement, const QVariantList& values,
                   bool mayReconnect = true);
    // The rows of a verified list's statement, run with the values; none when it fails.
    QList<QORVerifiedTopRow> TopRows(QSqlQuery Statements::*statement, const QVariantList& values);
    // Prepares the statements on the connection Connect opened and sets its lock wait.
    QString Ready();
    // Starts a transaction, connecting again once when the connection was lost.
    bool Begin();

    QString Text;
    QORStoreLocation Where;
    QElapsedTimer LastReconnect;
    QString ConnectionName;
    QString Error;
    int MinimumShuffles = 0;
    quint64 Ranking = 0;
    // The file's PRAGMA data_version last read; -1 before the first read.
    qint64 DataVersion = -1;
    bool Ran = true;
    std::unique_ptr<Statements> Sql;
};
