// The server executable itself, started as a separate process.
#include "serverharness.h"
#include <QFile>
#include <QProcess>
#include <QTcpServer>

class ServerProcess : public ServerTest {
protected:
    // Starts the server and gives the port of its "listening on" line, 0 when none comes.
    quint16 Launch(const QStringList& arguments = {"--port", "0"}) {
        Process.start(QStringLiteral(QUELMORA_SERVER_PATH),
                      QStringList{"--db", Path, "--argon2-ops", "1", "--argon2-memory", "8"} +
                          arguments);
        Process.waitForReadyRead();
        const QByteArray line = Process.readLine();
        return line.startsWith("listening on 127.0.0.1:") ? line.mid(23).trimmed().toUShort() : 0;
    }

    // Its destructor kills a server still running.
    QProcess Process;
};

// What the server has answered survives a kill; a terminate ends it cleanly.
TEST_F(ServerProcess, answeredResultsSurviveAKillAndTerminateClosesTheFile) {
    QByteArray messages = "CUBE_REGISTER;player;pw";
    for (int r = 0; r < 100; ++r)
        messages += ResultBytes("player", 300 - r, 25);
    QORTestClient before, after;
    ASSERT_TRUE(before.Connect(Launch()));
    // The answer to the login comes after every result before it has been stored.
    ASSERT_EQ(before.Ask(messages + "CUBE_LOGIN;player;pw", 2 * Ok.size()), Ok + Ok);
    EXPECT_TRUE(QFile::exists(Path + "-wal")) << "the file is in write-ahead-log mode";
    Process.kill();
    ASSERT_TRUE(Process.waitForFinished() && after.Connect(Launch()));
    EXPECT_EQ(after.Ask("CUBE_LOGIN;player;pw", Ok.size()), Ok);
    Process.terminate();
    ASSERT_TRUE(Process.waitForFinished());
    EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(Path + "-wal")) << "the log is folded into the file";
    ASSERT_TRUE(Store.Open(Path, 20));
    EXPECT_EQ(Store.ResultCount(), 100);
}

// Another process holds the file's write lock: a result waits in memory while others are
// served, is written once the lock has gone, and is named at the end if it never could be.
TEST_F(ServerProcess, aResultTheFileRefusesIsKeptAndWrittenLaterOrReportedAtTheEnd) {
    QORTestClient client, other;
    const quint16 port = Launch();
    ASSERT_TRUE(client.Connect(port) && other.Connect(port, 2));
    ASSERT_EQ(client.Ask("CUBE_REGISTER;player;pw", Ok.size()), Ok);
    const OutsideConnection lock(Path);
    for (const int seconds : {41, 42}) {
        ASSERT_TRUE(lock.Run("BEGIN IMMEDIATE"));
        ASSERT_EQ(
            client.Ask(ResultBytes("player", seconds, 25) + "CUBE_LOGIN;player;pw", Ok.size()), Ok);
        EXPECT_EQ(other.Ask("CUBE_REGISTER;bob;pw", Bad.size()), Bad) << "no account meanwhile";
        if (seconds == 41) {
            ASSERT_TRUE(lock.Run("ROLLBACK") && Store.Open(Path, 20));
            EXPECT_TRUE(WaitUntil([&] { return Store.ResultCount() == 1; }));
        }
    }
    Process.terminate();
    ASSERT_TRUE(Process.waitForFinished());
    EXPECT_EQ(Process.exitCode(), 1);
    EXPECT_EQ(Process.readAllStandardError(),
              "quelmora-server: could not write the result of player: 42 s, 25 shuffles, " +
                  QDate::currentDate().toString(Qt::ISODate).toLatin1() + '\n');
}

TEST_F(ServerProcess, aServerThatCannotServeSaysWhyAndExitsWithAnError) {
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress(QHostAddress::LocalHost), 0));
    const QString busy = QString::number(occupant.serverPort());
    QFile junk(Dir.filePath(QStringLiteral("junk.sqlite")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(4096, 'j')) &&
                junk.flush());
    const QString missing = Dir.filePath(QStringLiteral("missing/scores.sqlite"));
    const std::pair<QStringList, QString> cases[] = {
        {{"--port", busy}, "cannot listen on 127.0.0.1:" + busy},
        {{"--port", "0", "--db", junk.fileName()}, junk.fileName()},
        {{"--port", "0", "--db", missing}, missing},
        {{"--port", "70000"}, "--port"},
        {{"--rows", "0"}, "--rows"},
        {{"--min-shuffles", "x"}, "--min-shuffles"},
        {{"--login-timeout", "0"}, "--login-timeout"},
        {{"--argon2-memory", "7"}, "--argon2-memory"},
        {{"--listen", "nowhere"}, "nowhere"},
        {{"stray"}, "stray"},
    };
    for (const auto& [arguments, says] : cases) {
        EXPECT_EQ(Launch(arguments), 0) << says.toStdString();
        Process.waitForFinished(); // False when it has finished already.
        EXPECT_NE(Process.exitCode(), 0) << says.toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(Process.readAllStandardError()).contains(says))
            << says.toStdString();
    }
}
