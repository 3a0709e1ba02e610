// Won games on the main window: each kept in the solve history before its congratulation,
// sent when it can be and otherwise after the next login, oldest first; and a new record. On
// the way, the clock, the top list and a refused login as the player sees them.
#include "app/qorresults.h"
#include "app/qorscoreclient.h"
#include "app/qorverifiedgame.h"
#include "dialogs/login.h"
#include "dialogs/players.h"
#include "dialogs/qorplayerchoices.h"

#include "support/fakescoreserver.h"
#include "support/game.h"

#include <QCheckBox>
#include <QScopeGuard>
#include <QSignalSpy>
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
    g.form.N4->trigger();
    g.form.Game->HintUsed = true;
    g.Release();
    EXPECT_TRUE(g.form.Results->History.All().last().Hinted);
    EXPECT_EQ(g.form.StatusPanels[2]->text(), "С подсказкой: в «Топ» не идёт.") << "no record";
    g.form.N21Click();
    EXPECT_TRUE(g.form.PlayersForm->isVisible()) << "shown before the list arrives";
    EXPECT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_TIMERESULT;anna;secret1;75;0"
                                  "CUBE_GETTOP2;anna;secret1\nCUBE_GETTOP2;anna;secret1;RANDOM\n"
                                  "CUBE_GETTOP2;anna;secret1;DAILY\nCUBE_GETTOP;anna;secret1"));
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

// Logged in, a new game plays the dealt scramble, and its win goes as a timed solve whose
// verdict the status tells; no deal within its wait shuffles here, unverified; a kept solve
// goes as a solve while its scramble is young and as a time after that. A random state's game
// goes only as a solve.
TEST(Results, aDealtGameGoesAsATimedSolveAndOneDealtTooLateOrTooLongAgoAsATimeUnlessRandom) {
    FakeScoreServer server;
    Game g(ScoreServerSettings(server.Port(), "anna", "secret1"));
    g.form.show();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    server.Reply(0, "ZKSERVER_LOGIN_OK");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.form.Client->LoggedInNow(); }));
    qint64 ms = 0;
    g.form.Game->NowMs = [&] { return ms; };
    g.form.Settings.ShuffleCount = 2;
    QByteArray sent = "CUBE_LOGIN;anna;secret1CUBE_SCRAMBLE;anna;secret1;2\n";
    const QByteArray id(32, 'b');
    g.form.N4->trigger();
    ASSERT_TRUE(server.WaitFor(0, sent));
    server.Reply(0, "ZKSERVER_SCRAMBLE;" + id + ";2;R U\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.form.Game->Running(); }));
    ms = 1000;
    g.form.Game->PlayerTurns({{1, 1, -1}});
    ms = 41237;
    g.form.Game->PlayerTurns({{0, 1, -1}});
    EXPECT_EQ(g.Clock(), "00:00:41,23");
    EXPECT_TRUE(g.form.StatusPanels[0]->text().startsWith("Время: 41,23 с")) << "cut alike";
    sent += "CUBE_SOLVE;anna;secret1;" + id + ";41237;U'@1000 R'@41237\n";
    ASSERT_TRUE(server.WaitFor(0, sent));
    server.Reply(0, "ZKSERVER_SOLVE_OK;" + id + ";1\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.Status() == "РЕЗУЛЬТАТ ПРОВЕРЕН: 1-е место"; }));
    const QORSolve kept = g.form.Results->History.All().last();
    EXPECT_EQ(std::tuple(kept.ScrambleId, kept.TimedMoves, kept.Sent),
              std::tuple(QString(id), QString("U'@1000 R'@41237"), true));
    // No deal: the wait runs out (driven here) and the game shuffles itself.
    g.form.N4->trigger();
    sent += "CUBE_SCRAMBLE;anna;secret1;2\n";
    ASSERT_TRUE(server.WaitFor(0, sent));
    QTimer& wait = g.form.Verified->Wait;
    ASSERT_TRUE(wait.isActive() && wait.interval() == 2000 && !g.form.Game->Running());
    QTimerEvent timeout(wait.timerId());
    QCoreApplication::sendEvent(&wait, &timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.form.Game->Running(); }));
    QSignalSpy late(g.form.Client, &QORScoreClient::ScrambleDealt);
    server.Reply(0, "ZKSERVER_SCRAMBLE;" + id + ";2;F F\n");
    ASSERT_TRUE(late.wait());
    EXPECT_FALSE(g.form.Game->Verified()) << "too late: it changes nothing";
    for (qsizetype i = g.form.Game->Scramble.size() - 1; i >= 0; --i)
        g.form.Game->PlayerTurns({g.form.Game->Scramble[i].Inverse()});
    sent += "CUBE_TIMERESULT;anna;secret1;0;2";
    ASSERT_TRUE(server.WaitFor(0, sent));
    // Kept while offline: dealt 49 and 47 hours ago; solves go first.
    for (int hours : {49, 47}) {
        QORSolve s = MadeSolve(12.5, 20);
        s.ScrambleId = id;
        s.DealtAt = QDateTime::currentDateTimeUtc().addSecs(-hours * 3600);
        s.TimedMoves = "R@1";
        ASSERT_TRUE(g.form.Results->History.Add(s));
    }
    g.form.Results->SendKept();
    sent += "CUBE_SOLVE;anna;secret1;" + id + ";12500;R@1\nCUBE_TIMERESULT;anna;secret1;12;20";
    ASSERT_TRUE(server.WaitFor(0, sent));
    // The solve counts as sent only once judged; a server that could not store it hangs up.
    EXPECT_EQ(g.form.Results->History.Unsent().size(), 1);
    server.Reply(0, "ZKSERVER_SOLVE_BAD;" + id + ";USED\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.form.Results->History.Unsent().isEmpty(); }));
    // With the random state chosen, a RANDOM deal goes only as a replayed solve; without one
    // in time the game's solver deals, and that win goes to no list.
    g.form.Choices->Set(QORPlayerChoices::RandomState, true);
    const auto off = qScopeGuard(
        [&] { g.form.Choices->Set(QORPlayerChoices::RandomState, false); }); // for later tests
    QORGame& game = *g.form.Game;
    ms = 0;
    const QByteArray rid(32, 'c'), asked = "CUBE_SCRAMBLE;anna;secret1;RANDOM\n";
    sent += asked;
    for (const bool dealt : {true, false}) {
        g.form.N4->trigger();
        ASSERT_TRUE(server.WaitFor(0, sent));
        QTimerEvent timeout(g.form.Verified->Wait.timerId());
        dealt ? server.Reply(0, "ZKSERVER_SCRAMBLE;" + rid + ";RANDOM;R U\n")
              : void(QCoreApplication::sendEvent(&g.form.Verified->Wait, &timeout));
        ASSERT_TRUE(QTest::qWaitFor([&] { return game.Running(); }, 30000));
        EXPECT_EQ(std::pair(game.Verified(), game.RandomState), std::pair(dealt, true));
        for (qsizetype i = game.Scramble.size() - 1; i >= 0; --i)
            game.PlayerTurns({game.Scramble[i].Inverse()});
        if (dealt)
            server.Reply(0, "ZKSERVER_SOLVE_OK;" + rid + ";1\n");
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return g.form.Results->History.Unsent().size() == !dealt; }));
        sent += dealt ? "CUBE_SOLVE;anna;secret1;" + rid + ";0;U'@0 R'@0\n" + asked : "";
    }
    EXPECT_TRUE(g.form.StatusPanels[2]->text().contains("без проверки сервером"));
    // Nothing goes as a time, before or after the lists asked for.
    g.form.Results->SendKept();
    g.form.N21Click();
    const QByteArray lists = "CUBE_GETTOP2;anna;secret1\nCUBE_GETTOP2;anna;secret1;RANDOM\n"
                             "CUBE_GETTOP2;anna;secret1;DAILY\nCUBE_GETTOP;anna;secret1";
    ASSERT_TRUE(server.WaitFor(0, sent += lists));
    // With inspection, a first turn after 15 s goes with the penalty, which a server from
    // before it refuses as a broken message: the login stands and the solve counts as judged.
    // No turn by 17 s is a DNF, kept and never sent.
    g.form.Choices->Set(QORPlayerChoices::RandomState, false);
    g.form.Choices->Set(QORPlayerChoices::Inspection, true);
    const auto look = qScopeGuard([&] { g.form.Choices->Set(QORPlayerChoices::Inspection, false); });
    const auto deal = [&](char digit) {
        ms = 0;
        g.form.N4->trigger();
        ASSERT_TRUE(server.WaitFor(0, sent += "CUBE_SCRAMBLE;anna;secret1;2\n"));
        server.Reply(0, "ZKSERVER_SCRAMBLE;" + QByteArray(32, digit) + ";2;R U\n");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return g.form.Game->ScrambleId == QString(32, QChar(digit)) && g.Clock() == "15"; }));
    };
    deal('d');
    deal('e'); // over the inspection of the one before
    ms = 15500;
    g.form.Game->PlayerTurns({{1, 1, -1}});
    ms = 16500;
    g.form.Game->PlayerTurns({{0, 1, -1}});
    EXPECT_EQ(g.Clock(), "00:00:01,00 +2");
    ASSERT_TRUE(server.WaitFor(0, sent += "CUBE_SOLVE;anna;secret1;" + QByteArray(32, 'e') +
                                          ";1000;U'@0 R'@1000;+2\n"));
    server.Reply(0, "ZKSERVER_LOGIN_BAD");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.Status() == "СЕРВЕР НЕ ПРИНИМАЕТ ШТРАФ +2"; }));
    EXPECT_TRUE(g.form.Client->LoggedInNow() && g.form.Results->History.All().last().Sent);
    deal('f');
    ms = 17000;
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.form.Game->Dnf; })) << "the timer's own tick";
    const QList<QORSolve> inspected = g.form.Results->History.All().last(2);
    EXPECT_EQ(std::tuple(g.Clock(), inspected[0].PlusTwo, inspected[1].Dnf),
              std::tuple(QString("DNF"), true, true));
    g.form.Results->SendKept();
    g.form.N21Click();
    EXPECT_TRUE(server.WaitFor(0, sent + lists));
}
