// The game's client against the real score server on loopback: register, log in, a wrong
// password, a result and the top list, end to end inside one process.
#include "app/mainform.h"
#include "dialogs/login.h"
#include "dialogs/players.h"
#include "render/qorgl.h"
#include "server/qorscoreserver.h"
#include "server/qorscorestore.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "support/fakescoreserver.h"
#include "support/game.h"

#include <gtest/gtest.h>

namespace {

struct RealServer {
    QTemporaryDir dir;
    QORScoreStore store;
    QORServerOptions options;
    std::unique_ptr<QORScoreServer> server;
    RealServer() {
        options.Port = 0;
        options.MinShuffles = 0;
        EXPECT_TRUE(store.Open(dir.filePath("scores.sqlite"), options.MinShuffles));
        server = std::make_unique<QORScoreServer>(store, options);
        EXPECT_TRUE(server->Listen()) << server->ErrorString().toStdString();
    }
    QByteArray Settings(const char* user, const char* password) const {
        return ScoreServerSettings(server->Port(), user, password);
    }
};

bool WaitStatus(const Game& g, const char* text) {
    const QString wanted = QString::fromUtf8(text);
    return QTest::qWaitFor([&] { return g.form.StatusPanels[1]->text() == wanted; }, 10000);
}

} // namespace

TEST(TopListServer, registerLoginAndAWrongPasswordAsTheServerAnswersThem) {
    RealServer s;
    {
        Game first(s.Settings("anna", "secret1"));
        first.form.LoginForm->CheckBoxFirst->setChecked(true);
        first.form.ConnectToServer();
        ASSERT_TRUE(WaitStatus(first, "ZKSERVER IS ONLINE!"));
    }
    Game wrong(s.Settings("anna", "secret2"));
    wrong.form.ConnectToServer();
    ASSERT_TRUE(WaitStatus(wrong, "OFFLINE"));
    EXPECT_EQ(wrong.messages,
              QStringList({"Ошибка: неверный логин или пароль! Зарегистрируйтесь..."}));
    Game again(s.Settings("anna", "secret1"));
    again.form.ConnectToServer();
    EXPECT_TRUE(WaitStatus(again, "ZKSERVER IS ONLINE!"));
}

TEST(TopListServer, aWonGameShowsUpInTheTopList) {
    RealServer s;
    Game g(s.Settings("x", "y"));
    g.form.UserName = QStringLiteral("Иван");
    g.form.Password = QStringLiteral("пароль1");
    g.form.LoginForm->CheckBoxFirst->setChecked(true);
    g.form.ConnectToServer();
    ASSERT_TRUE(WaitStatus(g, "ZKSERVER IS ONLINE!"));
    g.Cube().ShuffleCount = 0;
    g.form.N4Click();
    g.form.GameSeconds = 3725;
    g.Release();
    ASSERT_EQ(g.wins.size(), 1);
    g.form.N21Click();
    QTreeWidget* list = g.form.PlayersForm->ListView;
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->topLevelItemCount() == 1; }, 10000));
    const QTreeWidgetItem* row = list->topLevelItem(0);
    EXPECT_EQ(row->text(0), "Иван");
    EXPECT_EQ(row->text(1), "01:02:05");
    EXPECT_EQ(row->text(2), "0");
    EXPECT_EQ(row->text(3), QDate::currentDate().toString("dd.MM.yyyy"));
}
