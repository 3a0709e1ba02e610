#include "server/qorservercommandline.h"

#include "server/qorservermessage.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

#include <optional>

namespace {

std::optional<int> ParseCount(const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

QORServerCommandLine Failure(const QString& text) {
    QORServerCommandLine line;
    line.What = QORServerCommandLine::Fail;
    line.Text = text;
    return line;
}

} // namespace

QString DefaultDatabasePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("scores.sqlite"));
}

QORServerCommandLine ParseServerCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The Quelmora score server."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                    QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP port, 0 for any free one (default %1).")
                                      .arg(QORProtocol::DefaultPort),
                                  QStringLiteral("n"), QString::number(QORProtocol::DefaultPort));
    const QCommandLineOption db(
        QStringLiteral("db"),
        QStringLiteral("SQLite file (default scores.sqlite in the per-user data folder)."),
        QStringLiteral("file"));
    const QCommandLineOption minShuffles(
        QStringLiteral("min-shuffles"),
        QStringLiteral("Shuffle turns a result needs to be ranked (default 20)."),
        QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption rows(QStringLiteral("rows"),
                                  QStringLiteral("Rows of the top list (default 100)."),
                                  QStringLiteral("n"), QStringLiteral("100"));
    parser.addOptions({listen, port, db, minShuffles, rows});

    if (!parser.parse(arguments))
        return Failure(parser.errorText());
    if (parser.isSet(help)) {
        QORServerCommandLine line;
        line.What = QORServerCommandLine::ShowHelp;
        line.Text = parser.helpText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty())
        return Failure(QStringLiteral("unexpected argument: ") + parser.positionalArguments()[0]);

    QORServerCommandLine line;
    QORServerOptions& options = line.Options;
    const QString address = parser.value(listen);
    if (address == QStringLiteral("localhost"))
        options.Address = QHostAddress(QHostAddress::LocalHost);
    else if (!options.Address.setAddress(address))
        return Failure(QStringLiteral("--listen needs an IP address, not ") + address);
    const std::optional<int> portNumber = ParseCount(parser.value(port), 0, 65535);
    if (!portNumber)
        return Failure(QStringLiteral("--port needs a number from 0 to 65535"));
    options.Port = quint16(*portNumber);
    const std::optional<int> minimum = ParseCount(parser.value(minShuffles), 0, MaxShuffles);
    if (!minimum)
        return Failure(
            QStringLiteral("--min-shuffles needs a number from 0 to %1").arg(MaxShuffles));
    options.MinShuffles = *minimum;
    const std::optional<int> rowCount = ParseCount(parser.value(rows), 1, 10000);
    if (!rowCount)
        return Failure(QStringLiteral("--rows needs a number from 1 to 10000"));
    options.Rows = *rowCount;
    options.DatabasePath = parser.isSet(db) ? parser.value(db) : DefaultDatabasePath();
    if (options.DatabasePath.isEmpty())
        return Failure(QStringLiteral("--db needs a file name"));
    return line;
}
