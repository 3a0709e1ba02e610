#pragma once
// Moves a community's store: every account and result, with their ids, bans, verified solves,
// dealt scrambles and the operator's audit, from one store into another that holds none yet,
// so that a growing community can go from an SQLite file to PostgreSQL, or back. Passwords
// travel as their stored hashes, so every player logs in as before.

#include <QString>

struct QORStoreCopy {
    qint64 Accounts = 0;
    qint64 Results = 0;
    // Why nothing was copied; empty on success.
    QString Error;
};

// Either store is an SQLite path or a postgresql:// address. The copy is one transaction on
// the target: it holds everything or nothing.
QORStoreCopy CopyStore(const QString& from, const QString& to, int minShuffles);
