#pragma once
// The players and their results, in an SQLite file or a PostgreSQL database that several
// servers share. Every change is committed before the call returns, so whatever the server
// has answered after it survives a killed process. A write that another process holds up
// fails after a short wait instead of stalling the server; the caller keeps what could not be
// written. The database does the ranking: one row per ranked player, kept as results come.

#include <QByteArray>
#include <QDate>
#include <QElapsedTimer>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

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
    // Stores a result of the player; false when the file refused it.
    bool AddResult(qint64 player, int seconds, int shuffles, const QDate& date);
    // Each player's best ranked result, fastest first, at most rows of them.
    QList<QORTopRow> Top(int rows);
    // Changes whenever the ranking may have changed, here or through another server on the
    // same database, so that a top list can be kept till then.
    quint64 RankVersion() const { return Ranking; }

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
    bool Ran = true;
    std::unique_ptr<Statements> Sql;
};
