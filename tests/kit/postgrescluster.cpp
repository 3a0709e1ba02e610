#include "postgrescluster.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QTcpServer>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString Role = QStringLiteral("quelmora");
const QString Password = QStringLiteral("p@ss:w/rd;50%");

// The newest Debian PostgreSQL's programs.
QString FindBin() {
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& version :
         versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
        if (QFile::exists(versions.filePath(version + QStringLiteral("/bin/initdb"))))
            return versions.filePath(version + QStringLiteral("/bin"));
    }
    return QString();
}

quint16 FreePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

QORPostgresCluster& QORPostgresCluster::Shared(const QStringList& settings) {
    static QORPostgresCluster cluster(settings);
    return cluster;
}

QORPostgresCluster::QORPostgresCluster(const QStringList& settings) : Bin(FindBin()) {
    if (Bin.isEmpty()) {
        Problem = QStringLiteral("PostgreSQL is not installed (Debian: postgresql)");
        Absent = true;
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        Problem = QStringLiteral("Qt's PostgreSQL driver is missing (Debian: libqt6sql6-psql)");
        Absent = true;
        return;
    }
    // PostgreSQL refuses to run as root; its own user must own the folder.
    if (geteuid() == 0) {
        const passwd* user = getpwnam("postgres");
        if (!user || chown(QFile::encodeName(Dir.path()).constData(), user->pw_uid, user->pw_gid)) {
            Problem = QStringLiteral("no postgres user to run PostgreSQL as");
            return;
        }
    }
    const QString passwordFile = Dir.filePath(QStringLiteral("password"));
    QFile file(passwordFile);
    file.open(QIODevice::WriteOnly);
    file.write(Password.toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::ReadOther);
    const quint16 port = FreePort();
    QStringList options = {QStringLiteral("-p %1").arg(port), "-k " + Dir.path(),
                           "-c listen_addresses=127.0.0.1"};
    for (const QString& setting : settings)
        options << "-c " + setting;
    if (!Run("initdb", {"-D", Dir.filePath("data"), "-U", Role, "--auth-host=scram-sha-256",
                        "--auth-local=trust", "--pwfile=" + passwordFile, "-E", "UTF8",
                        "--locale=C.UTF-8"}) ||
        !Run("pg_ctl", {"-D", Dir.filePath("data"), "-l", Dir.filePath("log"), "-w", "-o",
                        options.join(' '), "start"})) {
        Problem = QStringLiteral("PostgreSQL did not start");
        return;
    }
    Port = port;
}

QORPostgresCluster::~QORPostgresCluster() {
    // The application object may be gone by now, so no QProcess.
    if (Running()) {
        const QString stop = Bin + "/pg_ctl -D " + Dir.filePath("data") + " -m immediate -w stop";
        const QString command = geteuid() == 0 ? "runuser -u postgres -- " + stop : stop;
        if (std::system(QFile::encodeName(command + " >/dev/null").constData()) != 0)
            std::fputs("PostgreSQL did not stop\n", stderr);
    }
}

bool QORPostgresCluster::Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString path = Bin + '/' + program;
    if (geteuid() == 0)
        process.start("runuser", QStringList{"-u", "postgres", "--", path} + arguments);
    else
        process.start(path, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString QORPostgresCluster::NewDatabase() {
    // Over the folder's socket the role needs no password; over TCP, as the server connects,
    // it does.
    const QString name = QStringLiteral("scores_%1").arg(++Databases);
    if (!Running() ||
        !Run("createdb", {"-h", Dir.path(), "-p", QString::number(Port), "-U", Role, name})) {
        Problem = QStringLiteral("no database could be made");
        return QString();
    }
    return QStringLiteral("postgresql://%1:%2@127.0.0.1:%3/%4")
        .arg(Role, QUrl::toPercentEncoding(Password), QString::number(Port), name);
}
