// The daily challenge on the main window: offline it says why; logged in it plays the day's
// dealt try without hints, gives it up only after a question, tells a finished try apart, and after a win
// shows the day's list and copies a short text. A daily result never goes as a time.
#include "app/qordaily.h"
#include "app/qorresults.h"
#include "app/qorscoreclient.h"
#include "dialogs/players.h"
#include "dialogs/qorplayerchoices.h"

#include "support/fakescoreserver.h"
#include "support/game.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(Daily, aTryIsDealtGivenUpAfterAQuestionRefusedOnceFinishedAndItsWinShownAndCopied) {
    FakeScoreServer server;
    Game g(ScoreServerSettings(server.Port(), "anna", "secret1"));
    g.form.show();
    QORDailyChallenge& daily = *g.form.Daily;
    QORGame& game = *g.form.Game;
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    daily.StartAction.trigger();
    EXPECT_TRUE(g.messages.value(0).startsWith("Задача дня доступна только на сервере"));
    server.Reply(0, "ZKSERVER_LOGIN_OK");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.form.Client->LoggedInNow(); }));
    qint64 ms = 0;
    game.NowMs = [&] { return ms; };
    const QByteArray id(32, 'd'), won(32, 'e'), asked = "CUBE_SCRAMBLE;anna;secret1;DAILY\n";
    QByteArray sent = "CUBE_LOGIN;anna;secret1" + asked;
    daily.StartAction.trigger();
    ASSERT_TRUE(server.WaitFor(0, sent));
    server.Reply(0, "ZKSERVER_SCRAMBLE;" + id + ";DAILY-2026-12-07;R U\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.Running(); }));
    EXPECT_EQ(std::tuple(game.DailyDay, game.Verified(), game.RandomState),
              std::tuple(QDate(2026, 12, 7), true, true));
    g.form.N25->trigger();
    EXPECT_EQ(g.messages.last(), "В задаче дня подсказок нет: её решают сами.");
    ms = 500;
    game.PlayerTurns({{1, 1, -1}});
    // "Стоп!" or a new game asks without waiting; only a yes gives the try up, as the solve of
    // its turns.
    for (const auto& [action, answer] : {std::pair(g.form.N4, QMessageBox::No),
                                         std::pair(g.form.N5, QMessageBox::No),
                                         std::pair(g.form.N5, QMessageBox::Yes)}) {
        action->trigger();
        auto* box = g.form.findChild<QMessageBox*>();
        ASSERT_TRUE(box && box->isVisible() && game.Running());
        box->button(answer)->click();
        EXPECT_EQ(game.Running(), answer == QMessageBox::No);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !g.form.findChild<QMessageBox*>(); }));
    }
    sent += "CUBE_SOLVE;anna;secret1;" + id + ";500;U'@500\n" + asked;
    server.Reply(0, "ZKSERVER_SOLVE_BAD;" + id + ";UNSOLVED\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.Status() == "ЗАДАЧА ДНЯ СДАНА"; }));
    daily.StartAction.trigger();
    ASSERT_TRUE(server.WaitFor(0, sent));
    server.Reply(0, "ZKSERVER_SOLVE_BAD;;USED\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.messages.size() == 3; }));
    EXPECT_EQ(g.messages[2], "Задача дня на сегодня уже сыграна. Новая будет завтра.");
    // The next day's try is won; the day before was solved too, kept unsent and too late to
    // go as a solve, and it never goes as a time.
    QORSolve before = MadeSolve(50, 20);
    before.DailyDay = QDate(2026, 12, 7);
    ASSERT_TRUE(g.form.Results->History.Add(before));
    g.form.Results->SendKept();
    ms = 0;
    daily.StartAction.trigger();
    sent += asked;
    ASSERT_TRUE(server.WaitFor(0, sent));
    server.Reply(0, "ZKSERVER_SCRAMBLE;" + won + ";DAILY-2026-12-08;R U\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.Running(); }));
    ms = 1000;
    game.PlayerTurns({{1, 1, -1}});
    ms = 41237;
    game.PlayerTurns({{0, 1, -1}});
    sent += "CUBE_SOLVE;anna;secret1;" + won + ";41237;U'@1000 R'@41237\n";
    ASSERT_TRUE(server.WaitFor(0, sent));
    EXPECT_FALSE(daily.CopyAction.isEnabled()) << "not before the server's place";
    server.Reply(0, "ZKSERVER_SOLVE_OK;" + won + ";3\n");
    sent += "CUBE_GETTOP2;anna;secret1;DAILY\n";
    ASSERT_TRUE(server.WaitFor(0, sent));
    EXPECT_EQ(g.Status(), "РЕЗУЛЬТАТ ПРОВЕРЕН: 3-е место");
    TPlayersForm& lists = *g.form.PlayersForm;
    EXPECT_TRUE(lists.isVisible() && lists.Tabs->currentWidget() == lists.DailyView);
    server.Reply(0, "ZKSERVER_TOPLIST2#\"anna;41237;2;2;08.12.2026\"\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return lists.DailyView->topLevelItemCount() == 1; }));
    daily.CopyAction.trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Quelmora, задача дня 2026-12-08: 41,23 с, 2 хода, 3-е место, серия 2 дня");
    // A try whose inspection runs out is a DNF: kept, and given up as a stop gives it up.
    g.form.Choices->Set(QORPlayerChoices::Inspection, true);
    const auto look = qScopeGuard([&] { g.form.Choices->Set(QORPlayerChoices::Inspection, false); });
    ms = 0;
    daily.StartAction.trigger();
    ASSERT_TRUE(server.WaitFor(0, sent += asked));
    server.Reply(0, "ZKSERVER_SCRAMBLE;" + id + ";DAILY-2026-12-09;R U\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return game.Inspecting() && daily.Playing(); }));
    ms = 17000;
    ASSERT_TRUE(server.WaitFor(0, sent += "CUBE_SOLVE;anna;secret1;" + id + ";0;\n"));
    EXPECT_TRUE(!game.Playing() && game.Cube.IsSolved() && g.form.Results->History.All().last().Dnf);
}
