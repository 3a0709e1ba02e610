#pragma once
// The server's command line.

#include "server/qormoderation.h"
#include "server/qorserveroptions.h"

#include <QString>
#include <QStringList>

struct QORServerCommandLine {
    enum Action { Run, Copy, Moderate, ShowHelp, Fail };
    Action What = Run;
    QORServerOptions Options;
    // The stores of --copy-db.
    QString CopyFrom;
    QString CopyTo;
    // The operator's command, run on Options.DatabasePath.
    QORModeration Moderation;
    // The help text, or the error of a command line that cannot be run.
    QString Text;
};

// The arguments start with the program's name, as QCoreApplication::arguments() gives them.
// Without --db, the default file's folder is created.
QORServerCommandLine ParseServerCommandLine(const QStringList& arguments);
// scores.sqlite in the per-user data folder of the application name set at start-up.
QString DefaultDatabasePath();
