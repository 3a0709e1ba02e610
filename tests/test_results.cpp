// Won games on the main window: each kept in the solve history before its congratulation,
// sent when it can be and otherwise after the next login, oldest first; and a new record. On
// the way, the clock, the top list and a refused login as the player sees them.
#include "app/qorresults.h"
#include "dialogs/login.h"
#include "dialogs/players.h"

#include "support/fakescoreserver.h"
#include "support/game.h"

#include <QCheckBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(Results, theClockListAndRefusalShowAndEachWinIsKeptBeforeItsCongratulationUntilItCanGo) {
    FakeScoreServer server;
    Game g(ScoreServerSettings(server.Port(), "anna", "secret1"));
    QList<qsizetype> keptWhenCongratulated;
    g.form.MessageBox = [&](auto, const auto&, const QString& text) {
        g.messages << text;
        keptWhenCongratulated << g.form.Results->History.All().size();
    };
    g.form.show();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    g.form.N4->trigger();
    for (int i = 0; i < 75; ++i)
        g.form.GameTimerTimer();
    EXPECT_EQ(g.Clock(), "00:01:15");
    g.Release();
    EXPECT_EQ(g.Clock(), "00:01:15") << "the final time stays until the next game";
    EXPECT_EQ(keptWhenCongratulated, QList<qsizetype>{1});
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_TIMERESULT;anna;secret1;75;0"));
    g.form.N21Click();
    EXPECT_TRUE(g.form.PlayersForm->isVisible()) << "shown before the list arrives";
    server.Reply(0, "ZKSERVER_TOPLIST#anna;00:01:15;0;01.12.2026");
    QTreeWidget* list = g.form.PlayersForm->ListView;
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->topLevelItemCount() == 1; }));
    server.connections[0]->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.Status() == "СЕРВЕР НЕДОСТУПЕН!"; }));
    g.Win(5);
    g.Win(6);
    g.form.LoginForm->CheckBoxFirst->setChecked(true);
    g.form.N20Click();
    EXPECT_EQ(g.loginsAsked, 1);
    ASSERT_TRUE(server.WaitFor(1, "CUBE_REGISTER;anna;secret1"));
    server.Reply(1, "ZKSERVER_LOGIN_OK");
    EXPECT_TRUE(server.WaitFor(1, "CUBE_REGISTER;anna;secret1CUBE_TIMERESULT;anna;secret1;5;0"
                                  "CUBE_TIMERESULT;anna;secret1;6;0"));
    server.Reply(1, "ZKSERVER_LOGIN_BAD");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.Status() == "OFFLINE"; }));
    EXPECT_EQ(g.messages.last(), "Ошибка: неверный логин или пароль! Зарегистрируйтесь...");
}

TEST(Results, aWinKeepsItsMillisecondsAndSaysItsTimeAndOnlyOneFasterThanTheRestIsARecord) {
    Game g;
    g.form.show();
    qint64 ms = 0;
    g.form.Game->NowMs = [&] { return ms; };
    // What was stored before each win: the first solve of a length beats nothing; a slower
    // solve is beaten, a faster one of another length does not count, a faster one of its own
    // length is not beaten.
    const QList<QORSolve> before[] = {{}, {MadeSolve(1000, 0), MadeSolve(0, 5)}, {MadeSolve(0, 0)}};
    const bool record[] = {false, true, false};
    QORSolveHistory& history = g.form.Results->History;
    for (int i = 0; i < 3; ++i) {
        for (const QORSolve& s : history.All())
            history.Remove(s.Id);
        for (const QORSolve& s : before[i])
            ASSERT_TRUE(history.Add(s));
        g.form.N4->trigger();
        ms += 41230;
        g.Release();
        EXPECT_DOUBLE_EQ(*history.Best(0), i < 2 ? 41.23 : 0) << "kept to the millisecond";
        EXPECT_EQ(g.form.StatusPanels[0]->text(), "Время: 41,23 с, ходов: 0, 0,0 ход/с");
        EXPECT_EQ(g.form.StatusPanels[2]->text(),
                  QString(record[i] ? "Новый рекорд! " : "") +
                      "В «Топ» идут сборки от 20 ходов перемешивания.");
        EXPECT_EQ(g.Status(), "РЕЗУЛЬТАТ НЕ ОТПРАВЛЕН");
        QCoreApplication::sendPostedEvents(); // the layout's own requests
        for (const QLabel* panel : g.form.StatusPanels)
            EXPECT_GE(panel->contentsRect().width(),
                      panel->fontMetrics().horizontalAdvance(panel->text()))
                << "cut";
    }
    // A shuffle the server's list takes says nothing of it.
    g.form.Settings.ShuffleCount = 20;
    g.form.N4->trigger();
    g.Cube().Reset();
    g.Release();
    EXPECT_FALSE(g.form.StatusPanels[2]->text().contains("Топ"));
}

TEST(Results, aHistoryThatCannotBeOpenedIsToldAtStartAndAtEachWin) {
    Game g(QByteArray(), true); // the history fails to open
    g.form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !g.messages.isEmpty(); }));
    EXPECT_TRUE(g.messages[0].startsWith("Не удалось открыть историю сборок"))
        << g.messages[0].toStdString();
    g.Win(0);
    EXPECT_EQ(g.messages.mid(1), (QStringList{"История сборок недоступна: эта сборка не сохранена.",
                                              "Поздравляю! Ты сделал это!"}));
}
