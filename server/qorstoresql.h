#pragma once
// What the score store's files share: the tables on either engine, the key that makes names
// unique regardless of case, and the upgrade of SQLite files of an older layout.

#include "server/qorstorelocation.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

// The statements that create the tables and indexes where they are missing, for that engine.
QStringList StoreSchema(QORStoreLocation::Kind engine);
// The trimmed, case-folded name.
QString NameKey(const QString& name);
// Every server on one PostgreSQL database hears of a changed ranking on this channel.
QString RankingChannel();
// Finds the account a name logs in to: the exact name, else the trimmed one, else the one that
// holds it regardless of letter case. Binds the name, the trimmed name, its key, the name and
// the trimmed name; gives id, name, password and banned.
QString FindAccountStatement();
// Derives the seed list's best rows, with the minimum shuffles bound first: each player's
// fastest result by whole seconds, the earlier on a tie, among those not held and of no kind,
// of players not banned. With onePlayer, only for the player bound second.
QString DeriveBestStatement(bool onePlayer);
// what, followed by the database's own words when it has any.
QString StoreProblem(const QString& what, const QSqlError& error);
// SQLite's own check of the file's pages; the error text naming path, empty when it is sound.
QString CheckSQLiteFile(QSqlDatabase& db, const QString& path);
// Brings an SQLite file of an older layout up to date in one transaction; the error text,
// empty on success.
QString UpgradeSQLiteLayout(QSqlDatabase& db);
