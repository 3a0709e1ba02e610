#pragma once
// A PostgreSQL server of the tests' own: a new cluster in a temporary folder on a free
// loopback port, run as the postgres user when the tests run as root, stopped at the end. Its
// one role has a password that needs escaping in an address.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QORPostgresCluster {
public:
    // The one cluster of this process, started on first use with the settings given then.
    static QORPostgresCluster& Shared(const QStringList& settings = {"fsync=off"});
    ~QORPostgresCluster();

    bool Running() const { return Port != 0; }
    // Whether the binaries or the driver are not installed; tests are skipped only then.
    bool Missing() const { return Absent; }
    // Why it is not running, or why the last database could not be made.
    QString Why() const { return Problem; }
    // Stops and starts it again, dropping every connection; whether it is back.
    bool Restart() {
        return Run("pg_ctl", {"-D", Dir.filePath("data"), "-m", "fast", "-w", "restart"});
    }
    // Runs each statement as the superuser in the maintenance database; whether all ran.
    bool Psql(const QStringList& statements) {
        QStringList arguments = {"-h", Dir.path(), "-p", QString::number(Port), "-U", "quelmora",
                                 "-d", "postgres", "-v", "ON_ERROR_STOP=1"};
        for (const QString& statement : statements)
            arguments << "-c" << statement;
        return Run("psql", arguments);
    }
    // A new, empty database; its postgresql:// address, empty when it could not be made.
    QString NewDatabase();

private:
    explicit QORPostgresCluster(const QStringList& settings);
    // Runs a PostgreSQL program as its user; whether it exited with 0.
    bool Run(const QString& program, const QStringList& arguments);

    QTemporaryDir Dir;
    QString Bin;
    QString Problem;
    bool Absent = false;
    quint16 Port = 0;
    int Databases = 0;
};
