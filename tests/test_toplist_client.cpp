// The game's score-server client against a server played by the test on loopback: what goes
// out byte for byte, how each reply is taken, and what the status bar says.
#include "app/mainform.h"
#include "app/qorcp1251.h"
#include "dialogs/login.h"
#include "dialogs/players.h"
#include "render/qorgl.h"

#include <QCheckBox>
#include <QLabel>
#include <QTcpSocket>
#include <QTest>
#include <QTreeWidget>

#include "support/fakescoreserver.h"
#include "support/game.h"

#include <gtest/gtest.h>

namespace {

QString Status(const Game& g) {
    return g.form.StatusPanels[1]->text();
}

bool WaitStatus(const Game& g, const char* text) {
    const QString wanted = QString::fromUtf8(text);
    return QTest::qWaitFor([&] { return Status(g) == wanted; }, 5000);
}

// Starts a game with stored credentials and brings it online on the fake server.
struct OnlineGame {
    FakeScoreServer server;
    Game g{server.Settings()};
    OnlineGame() {
        g.form.ConnectToServer();
        EXPECT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
        server.Reply(0, "ZKSERVER_LOGIN_OK");
        EXPECT_TRUE(WaitStatus(g, "ZKSERVER IS ONLINE!"));
    }
    QTreeWidget* List() const { return g.form.PlayersForm->ListView; }
};

} // namespace

TEST(TopListClient, startUpOffersTheLoginOnlyWhenACredentialIsMissing) {
    Game missing;
    missing.form.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return missing.loginsAsked == 1; }, 5000));
    EXPECT_TRUE(Status(missing).isEmpty()) << "no credentials, no attempt";

    Game offerOff("[QuelmoraSettings]\r\nShowLogin=0\r\n");
    offerOff.form.show();
    QTest::qWait(50);
    EXPECT_EQ(offerOff.loginsAsked, 0);

    Game off("[QuelmoraSettings]\r\nUpdateTopList=0\r\n");
    off.form.show();
    EXPECT_TRUE(WaitStatus(off, "OFFLINE"));
    EXPECT_EQ(off.loginsAsked, 0);
}

TEST(TopListClient, storedCredentialsConnectAtStartAndLogIn) {
    FakeScoreServer server;
    Game g(server.Settings());
    g.form.show();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1")) << "no terminator, no line end";
    EXPECT_EQ(g.loginsAsked, 0);
    EXPECT_EQ(Status(g), "АВТОРИЗАЦИЯ...");
    server.Reply(0, "ZKSERVER_LOGIN_OK\r\n");
    EXPECT_TRUE(WaitStatus(g, "ZKSERVER IS ONLINE!")) << "a trailing line end is fine";
    server.connections[0]->disconnectFromHost();
    EXPECT_TRUE(WaitStatus(g, "OFFLINE"));
}

TEST(TopListClient, russianCredentialsGoOutInCodePage1251) {
    FakeScoreServer server;
    Game g(server.Settings("\xD1\xE0\xF8\xE0", "\xEF\xE0\xF0\xEE\xEB\xFC"));
    EXPECT_EQ(g.form.UserName, "Саша");
    g.form.ConnectToServer();
    EXPECT_EQ(Status(g), "ПОДКЛЮЧЕНИЕ...");
    EXPECT_TRUE(server.WaitFor(0, "CUBE_LOGIN;\xD1\xE0\xF8\xE0;\xEF\xE0\xF0\xEE\xEB\xFC"));
}

TEST(TopListClient, registerBoxRegistersOnEveryConnectionOfTheRun) {
    FakeScoreServer server;
    Game g(server.Settings());
    g.form.LoginForm->CheckBoxFirst->setChecked(true);
    g.form.ConnectToServer();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_REGISTER;anna;secret1"));
    EXPECT_EQ(Status(g), "РЕГИСТРАЦИЯ...");
    server.Reply(0, "ZKSERVER_LOGIN_OK");
    ASSERT_TRUE(WaitStatus(g, "ZKSERVER IS ONLINE!"));
    EXPECT_TRUE(g.form.LoginForm->CheckBoxFirst->isChecked());
    server.connections[0]->disconnectFromHost();
    ASSERT_TRUE(WaitStatus(g, "OFFLINE"));
    g.form.N20Click();
    EXPECT_EQ(g.loginsAsked, 1);
    EXPECT_TRUE(server.WaitFor(1, "CUBE_REGISTER;anna;secret1"));
}

TEST(TopListClient, refusedLoginTellsThePlayerThenCloses) {
    FakeScoreServer server;
    Game g(server.Settings());
    QString statusDuringMessage;
    g.form.MessageBox = [&](QMessageBox::Icon, const QString&, const QString& text) {
        statusDuringMessage = Status(g);
        g.messages << text;
    };
    g.form.ConnectToServer();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    server.Reply(0, "ZKSERVER_LOGIN_BAD");
    ASSERT_TRUE(WaitStatus(g, "OFFLINE"));
    EXPECT_EQ(g.messages, QStringList({"Ошибка: неверный логин или пароль! Зарегистрируйтесь..."}));
    EXPECT_EQ(statusDuringMessage, "ОШИБКА: ЛОГИН/ПАРОЛЬ!");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return server.connections[0]->state() == QAbstractSocket::UnconnectedState; }, 5000));
}

TEST(TopListClient, topCommandAsksAndTheReplyFillsTheWindow) {
    OnlineGame o;
    o.g.form.N21Click();
    EXPECT_TRUE(o.server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_GETTOP;anna;secret1"));
    EXPECT_TRUE(o.g.form.PlayersForm->isVisible()) << "shown before the list arrives";
    o.server.Reply(0,
                   ToCp1251(QStringLiteral(
                       "ZKSERVER_TOPLIST#\"\"\"Иван Петров\"\";00:01:02;30;07.12.2026\"#bob;9")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return o.List()->topLevelItemCount() == 2; }, 5000));
    const QTreeWidgetItem* first = o.List()->topLevelItem(0);
    EXPECT_EQ(first->text(0), "Иван Петров");
    EXPECT_EQ(first->text(1), "00:01:02");
    EXPECT_EQ(first->text(2), "30");
    EXPECT_EQ(first->text(3), "07.12.2026");
    EXPECT_EQ(o.List()->topLevelItem(1)->text(1), "9");
    EXPECT_TRUE(o.List()->topLevelItem(1)->text(2).isEmpty()) << "missing fields stay empty";

    o.server.Reply(0, "ZKSERVER_TOPLIST");
    EXPECT_TRUE(QTest::qWaitFor([&] { return o.List()->topLevelItemCount() == 0; }, 5000))
        << "an empty list empties the window";
    EXPECT_EQ(Status(o.g), "ZKSERVER IS ONLINE!");
}

TEST(TopListClient, aListCutOverTwoReadsKeepsTheFirstPartOnly) {
    OnlineGame o;
    o.server.Reply(0, "ZKSERVER_TOPLIST#anna;00:00:09;20;01.12.2026#bo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return o.List()->topLevelItemCount() == 2; }, 5000));
    EXPECT_EQ(o.List()->topLevelItem(1)->text(0), "bo");
    o.server.Reply(0, "b;00:00:10;20;01.12.2026#carl;00:00:11;20;01.12.2026");
    // A reply that is handled shows up by the next one; this one must change nothing.
    o.server.Reply(0, "");
    QTest::qWait(100);
    EXPECT_EQ(o.List()->topLevelItemCount(), 2);
}

TEST(TopListClient, twoRepliesInOneReadMatchNoKeyword) {
    FakeScoreServer server;
    Game g(server.Settings());
    g.form.ConnectToServer();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    server.Reply(0, "ZKSERVER_LOGIN_OKZKSERVER_TOPLIST#x;1;2;3");
    QTest::qWait(200);
    EXPECT_EQ(Status(g), "АВТОРИЗАЦИЯ...");
    EXPECT_EQ(g.form.PlayersForm->ListView->topLevelItemCount(), 0);
}

TEST(TopListClient, aWinSendsItsSecondsAndShufflesWhileConnected) {
    OnlineGame o;
    o.g.Cube().ShuffleCount = 0;
    o.g.form.N4Click();
    o.g.form.GameSeconds = 75;
    o.g.Release();
    EXPECT_TRUE(o.server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_TIMERESULT;anna;secret1;75;0"));
}

TEST(TopListClient, offlineWinsAndTopAreDroppedForGood) {
    FakeScoreServer server;
    Game g(server.Settings());
    g.Cube().ShuffleCount = 0;
    g.form.N4Click();
    g.Release();
    ASSERT_EQ(g.wins.size(), 1);
    g.form.N21Click();
    EXPECT_FALSE(g.form.PlayersForm->isVisible()) << "no window while not connected";
    g.form.ConnectToServer();
    ASSERT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
    QTest::qWait(100);
    EXPECT_EQ(server.received[0], "CUBE_LOGIN;anna;secret1") << "nothing was kept for later";
}

TEST(TopListClient, newCredentialsWhileConnectedSendNoLoginButGoWithTheNextMessage) {
    OnlineGame o;
    o.g.form.AskLogin = [&] {
        o.g.form.UserName = "bob";
        o.g.form.Password = "hunter2";
    };
    o.g.form.N20Click();
    o.g.form.N21Click();
    EXPECT_TRUE(o.server.WaitFor(0, "CUBE_LOGIN;anna;secret1CUBE_GETTOP;bob;hunter2"));
    EXPECT_EQ(o.server.connections.size(), 1);
}

TEST(TopListClient, unreachableServerSaysSoAndTheNextAttemptReadsThePortAfresh) {
    quint16 closedPort;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    FakeScoreServer server;
    Game g(server.Settings());
    g.form.HostPort = closedPort;
    g.form.ConnectToServer();
    ASSERT_TRUE(WaitStatus(g, "СЕРВЕР НЕДОСТУПЕН!"));
    EXPECT_TRUE(g.messages.isEmpty()) << "no dialog";
    g.form.HostPort = server.Port();
    g.form.N20Click();
    EXPECT_EQ(Status(g), "ПОДКЛЮЧЕНИЕ...");
    EXPECT_TRUE(server.WaitFor(0, "CUBE_LOGIN;anna;secret1"));
}
