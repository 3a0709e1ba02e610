#pragma once
// The operator's commands: an account's results, the solves held for review, and the changes
// that keep the lists honest (removing a result, banning an account, approving a held solve).
// They work on a store that servers are using at the same time: each change is one short
// transaction that also writes its audit row and, on PostgreSQL, tells every server that its
// kept top lists are stale. A server on an SQLite file notices the commit by itself.

#include <QString>

struct QORModeration {
    enum Command { ListResults, RemoveResult, Ban, Unban, Held, Approve };
    Command What = Held;
    // The account of ListResults, Ban and Unban, written as a player would log in with it.
    QString Name;
    // The results row of RemoveResult and Approve.
    qint64 Result = 0;
};

struct QORModerationOutcome {
    // 0 when done; 1 for an unknown name or id, a result that is not held, or a store that
    // cannot be used.
    int ExitCode = 0;
    // The table read, or the line that tells what was changed.
    QString Output;
    // Why nothing was done.
    QString Error;
};

// The command's name on the command line and in the audit table ("ban", "remove-result" …).
QString ModerationName(QORModeration::Command command);

// location is an SQLite file or a postgresql:// address, as --db takes it. minShuffles must be
// the one the servers run with: a player's best row is derived again from their remaining
// results under that rule.
QORModerationOutcome Moderate(const QString& location, int minShuffles,
                              const QORModeration& command);
