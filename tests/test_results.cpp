// Won games on the main window: each kept in the solve history before its congratulation,
// sent when it can be and otherwise after the next login, oldest first; and a new record.
#include "app/qorresults.h"

#include "support/fakescoreserver.h"
#include "support/game.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// With no shuffle the cube is solved, so the release wins the game.
void Win(Game& g, int seconds) {
    g.form.N4->trigger();
    for (int i = 0; i < seconds; ++i)
        g.form.GameTimerTimer();
    g.Release();
}

QORSolve Stored(double seconds, int shuffles) {
    QORSolve s;
    s.FinishedAt = QDateTime::currentDateTimeUtc();
    s.Seconds = seconds;
    s.Shuffles = shuffles;
    return s;
}

} // namespace

TEST(Results, aWinIsKeptBeforeItsCongratulationAndWhatCouldNotGoLeavesAfterTheNextLogin) {
    FakeScoreServer server;
    Game g(ScoreServerSettings(server.Port(), "anna", "secret1"));
    g.form.Settings.ShuffleCount = 0;
    QList<qsizetype> keptWhenCongratulated;
    g.form.MessageBox = [&](QMessageBox::Icon, const QString&, const QString& text) {
        g.messages << text;
        keptWhenCongratulated << g.form.Results->History.All().size();
    };
    g.form.show();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    Win(g, 4);
    EXPECT_EQ(keptWhenCongratulated, QList<qsizetype>{1});
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_TIMERESULT;anna;secret1;4;0"));
    server.connections[0]->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.Status() == "OFFLINE"; }));
    Win(g, 5);
    EXPECT_EQ(g.Status(), "РЕЗУЛЬТАТ НЕ ОТПРАВЛЕН");
    Win(g, 6);
    QList<QORSolve> kept = g.form.Results->History.All();
    ASSERT_EQ(kept.size(), 3);
    EXPECT_EQ((QList<bool>{kept[0].Sent, kept[1].Sent, kept[2].Sent}),
              (QList<bool>{true, false, false}));
    EXPECT_EQ(g.form.Results->History.Unsent()[0].ClockSeconds, 5);
    g.form.N20Click();
    ASSERT_TRUE(server.WaitFor(1, "CUBE_LOGIN;anna;secret1"));
    server.Reply(1, "ZKSERVER_LOGIN_OK");
    EXPECT_TRUE(server.WaitFor(1, "CUBE_LOGIN;anna;secret1CUBE_TIMERESULT;anna;secret1;5;0"
                                  "CUBE_TIMERESULT;anna;secret1;6;0"));
    EXPECT_TRUE(g.form.Results->History.Unsent().isEmpty());
}

TEST(Results, onlyAWinFasterThanEveryEarlierOneOfItsShuffleLengthIsANewRecord) {
    Game g;
    g.form.Settings.ShuffleCount = 0;
    // What was stored before each win: the first solve of a length beats nothing; a slower
    // solve is beaten, a faster one of another length does not count, a faster one of its own
    // length is not beaten.
    const QList<QORSolve> before[] = {
        {}, {Stored(1000, 0), Stored(0, 5)}, {Stored(0, 0)}};
    const bool record[] = {false, true, false};
    QORSolveHistory& history = g.form.Results->History;
    for (int i = 0; i < 3; ++i) {
        for (const QORSolve& s : history.All())
            history.Remove(s.Id);
        for (const QORSolve& s : before[i])
            ASSERT_TRUE(history.Add(s));
        Win(g, 1);
        EXPECT_EQ(g.form.StatusPanels[0]->text().endsWith(". Новый рекорд!"), record[i]) << i;
    }
}

TEST(Results, aHistoryThatCannotBeOpenedIsToldAtStartAndAtEachWin) {
    QTemporaryDir home;
    WriteAll(home.filePath("data"), "not a folder");
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    TMainForm form(home.filePath("quelmora"));
    qputenv("XDG_DATA_HOME", data);
    QStringList told;
    form.MessageBox = [&](QMessageBox::Icon, const QString&, const QString& t) { told << t; };
    form.AskLogin = [] {};
    form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }));
    EXPECT_TRUE(told[0].startsWith("Не удалось открыть историю сборок")) << told[0].toStdString();
    form.Settings.ShuffleCount = 0;
    form.N4->trigger();
    form.DrawPanelMouseUp(0, 0, 0);
    EXPECT_EQ(told.mid(1), (QStringList{"История сборок недоступна: эта сборка не сохранена.",
                                        "Поздравляю! Ты сделал это!"}));
}
