// quelmora-server: the score server the game's top list talks to.
#include "net/qorsignals.h"
#include "server/qormoderation.h"
#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"
#include "server/qorservercommandline.h"
#include "server/qorstorecopy.h"
#include "server/qorwebfront.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

void PrintLine(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quelmora-server"));

    const QORServerCommandLine line = ParseServerCommandLine(QCoreApplication::arguments());
    if (line.What == QORServerCommandLine::ShowHelp) {
        PrintLine(stdout, line.Text.trimmed());
        return 0;
    }
    if (line.What == QORServerCommandLine::Fail) {
        PrintLine(stderr, QStringLiteral("quelmora-server: ") + line.Text);
        return 2;
    }
    const QORServerOptions& options = line.Options;
    if (line.What == QORServerCommandLine::Copy) {
        const QORStoreCopy copy = CopyStore(line.CopyFrom, line.CopyTo, options.MinShuffles);
        if (!copy.Error.isEmpty()) {
            PrintLine(stderr, QStringLiteral("quelmora-server: nothing copied: ") + copy.Error);
            return 1;
        }
        PrintLine(stdout, QStringLiteral("copied %1 accounts and %2 results")
                              .arg(copy.Accounts)
                              .arg(copy.Results));
        return 0;
    }
    if (line.What == QORServerCommandLine::Moderate) {
        const QORModerationOutcome outcome =
            Moderate(options.DatabasePath, options.MinShuffles, line.Moderation);
        if (!outcome.Output.isEmpty())
            PrintLine(stdout, outcome.Output);
        if (!outcome.Error.isEmpty())
            PrintLine(stderr, QStringLiteral("quelmora-server: ") + outcome.Error);
        return outcome.ExitCode;
    }
    RaiseDescriptorLimit();

    QORScoreStore store;
    if (!store.Open(options.DatabasePath, options.MinShuffles)) {
        PrintLine(stderr, QStringLiteral("quelmora-server: ") + store.ErrorString());
        return 1;
    }
    // Making the server builds the solver's tables, so that no random-state deal waits for them.
    QORScoreServer server(store, options);
    if (!server.Listen()) {
        PrintLine(stderr, QStringLiteral("quelmora-server: cannot listen on %1:%2: %3")
                              .arg(options.Address.toString())
                              .arg(options.Port)
                              .arg(server.ErrorString()));
        return 1;
    }
    // The web front reads the same store on the same event loop; it stays off unless asked for.
    std::unique_ptr<QORWebFront> web;
    if (options.HttpPort) {
        web = std::make_unique<QORWebFront>(store, options.Rows);
        if (!web->Listen(options.HttpAddress, *options.HttpPort)) {
            PrintLine(stderr, QStringLiteral("quelmora-server: cannot serve web pages on %1:%2")
                                  .arg(options.HttpAddress.toString())
                                  .arg(*options.HttpPort));
            return 1;
        }
    }
    QORSignalWatcher watcher;
    QObject::connect(&watcher, &QORSignalWatcher::Terminate, &app, &QCoreApplication::quit);

    PrintLine(
        stdout,
        QStringLiteral("listening on %1:%2").arg(server.Address().toString()).arg(server.Port()));
    if (web)
        PrintLine(stdout, QStringLiteral("web pages on http://%1:%2/")
                              .arg(options.HttpAddress.toString())
                              .arg(web->Port()));
    const int code = QCoreApplication::exec();
    // Results the file refused so far get one more try; what is still refused is said, as
    // it is lost with the process.
    const QList<QORKeptResult> lost = server.Book().Flush();
    for (const QORKeptResult& result : lost)
        PrintLine(stderr, QStringLiteral("quelmora-server: could not write the result of %1: "
                                         "%2 s, %3 shuffles, %4")
                              .arg(result.Name)
                              .arg(result.Seconds)
                              .arg(result.Shuffles)
                              .arg(result.Date.toString(Qt::ISODate)));
    // The server goes first, then the store closes the database file cleanly.
    return lost.isEmpty() ? code : 1;
}
