// The server executable itself, started as a separate process.
#include "serverharness.h"

#include "app/qorcp1251.h"
#include "net/qorprotocol.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ServerProcess : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureCoreApplication();
        ASSERT_TRUE(Dir.isValid());
        DatabasePath = Dir.filePath(QStringLiteral("scores.sqlite"));
    }
    void TearDown() override {
        if (Process.state() != QProcess::NotRunning) {
            Process.kill();
            Process.waitForFinished(10000);
        }
    }

    // Starts the server and gives the port of its "listening on" line, 0 when none came.
    quint16 Launch(QStringList arguments = {}) {
        if (arguments.isEmpty())
            arguments = {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"),
                         DatabasePath};
        Process.setProgram(QStringLiteral(QUELMORA_SERVER_PATH));
        Process.setArguments(arguments);
        Process.start();
        if (!WaitUntil(
                [&] { return Process.canReadLine() || Process.state() == QProcess::NotRunning; }))
            return 0;
        const QString line = QString::fromLocal8Bit(Process.readLine()).trimmed();
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)$")).match(line);
        return match.hasMatch() ? quint16(match.captured(1).toUInt()) : 0;
    }

    bool WaitForExit() {
        return WaitUntil([&] { return Process.state() == QProcess::NotRunning; });
    }

    QTemporaryDir Dir;
    QString DatabasePath;
    QProcess Process;
};

} // namespace

TEST_F(ServerProcess, resultsAnsweredBeforeAKillSurviveTheRestart) {
    const quint16 port = Launch();
    ASSERT_NE(port, 0);
    QList<QStringList> rows;
    {
        QORTestClient client;
        ASSERT_TRUE(client.Connect(port));
        QByteArray messages;
        for (int p = 0; p < 5; ++p) {
            const QString name = QStringLiteral("player %1").arg(p);
            messages += RegisterBytes(name, "pw");
            for (int r = 0; r < 20; ++r)
                messages += ResultBytes(name, "pw", 300 + p * 10 - r, 25);
            rows << TopRow(name, 300 + p * 10 - 19, 25);
        }
        std::sort(rows.begin(), rows.end(),
                  [](const QStringList& a, const QStringList& b) { return a[1] < b[1]; });
        const QByteArray registered = OkBytes().repeated(5);
        const QByteArray top = TopListBytes(rows);
        client.Send(messages + GetTopBytes("player 0", "pw"));
        ASSERT_TRUE(client.WaitForBytes(registered.size() + top.size()));
        ASSERT_EQ(client.Take(), registered + top);
    }
    Process.kill();
    ASSERT_TRUE(WaitForExit());
    EXPECT_EQ(Process.exitStatus(), QProcess::CrashExit);

    const quint16 again = Launch();
    ASSERT_NE(again, 0);
    QORTestClient client;
    ASSERT_TRUE(client.Connect(again));
    const QByteArray top = TopListBytes(rows);
    EXPECT_EQ(client.Ask(GetTopBytes("player 3", "pw"), top.size()), top);
    EXPECT_EQ(CountResultsInFile(DatabasePath), 100);
}

TEST_F(ServerProcess, aPortInUseIsReportedAndTheServerExitsWithAnError) {
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress(QHostAddress::LocalHost), 0));
    EXPECT_EQ(Launch({QStringLiteral("--port"), QString::number(occupant.serverPort()),
                      QStringLiteral("--db"), DatabasePath}),
              0);
    ASSERT_TRUE(WaitForExit());
    EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(Process.exitCode(), 0);
    const QString error = QString::fromLocal8Bit(Process.readAllStandardError());
    EXPECT_TRUE(
        error.contains(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(occupant.serverPort())))
        << error.toStdString();
}

TEST_F(ServerProcess, anUnusableDatabaseIsReportedAndTheServerExitsWithAnError) {
    QFile junk(DatabasePath);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'j'));
    junk.close();
    EXPECT_EQ(Launch(), 0);
    ASSERT_TRUE(WaitForExit());
    EXPECT_NE(Process.exitCode(), 0);
    const QString error = QString::fromLocal8Bit(Process.readAllStandardError());
    EXPECT_TRUE(error.contains(DatabasePath)) << error.toStdString();
}

TEST_F(ServerProcess, terminateEndsTheServerAndClosesTheDatabase) {
    const quint16 port = Launch();
    ASSERT_NE(port, 0);
    {
        QORTestClient client;
        ASSERT_TRUE(client.Connect(port));
        ASSERT_EQ(client.Ask(RegisterBytes("alice", "pw"), OkBytes().size()), OkBytes());
    }
    ASSERT_TRUE(QFile::exists(DatabasePath + QStringLiteral("-wal")));
    Process.terminate();
    ASSERT_TRUE(WaitForExit());
    EXPECT_EQ(Process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Process.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(DatabasePath + QStringLiteral("-wal")))
        << "the last connection's close folds the log into the file";
}

TEST_F(ServerProcess, badCommandLinesAreRefused) {
    for (const QStringList& arguments :
         {QStringList{"--port", "70000"}, QStringList{"--rows", "0"},
          QStringList{"--min-shuffles", "x"}, QStringList{"--listen", "nowhere"},
          QStringList{"--bogus"}}) {
        EXPECT_EQ(Launch(arguments + QStringList{"--db", DatabasePath}), 0);
        ASSERT_TRUE(WaitForExit());
        EXPECT_NE(Process.exitCode(), 0) << arguments.join(' ').toStdString();
    }
}
