// The player's keys on a live main window: moves relative to the view, the queue, undo and
// redo with their menu items and shortcuts, and the move count in the status bar.
#include "app/qordrawpanel.h"
#include "app/qorkeyboard.h"

#include "support/facelets.h"
#include "support/game.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct ShownGame : Game {
    ShownGame() {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    bool Settled() {
        return QTest::qWaitFor([&] { return form.Keyboard->Waiting() == 0 && !form.View->Animation.Active(); });
    }
};

} // namespace

TEST(Keyboard, keysTurnAsTheViewShowsWaitUpToEightUndoAndRedoByShortcutAndTheCountShowsPace) {
    ShownGame g;
    g.form.View->Renderer.Orbit(90);     // the eye goes round to the left side
    QTest::keyClick(&g.form, Qt::Key_F); // the face towards the eye: L
    QTest::keyClick(g.form.DrawPanel, Qt::Key_U, Qt::ShiftModifier); // U'
    ASSERT_TRUE(g.Settled());
    Facelets model;
    model.Apply("L U'");
    EXPECT_EQ(Facelets::Of(g.Cube()), model.Now);
    for (int i = 0; i < 10; ++i) // all before the first has run: two find the queue full
        QTest::keyClick(&g.form, Qt::Key_R);
    EXPECT_EQ(g.form.Keyboard->Waiting(), QORKeyboard::MaxWaiting);
    ASSERT_TRUE(g.Settled());
    EXPECT_EQ(g.form.Game->Moves, 2 + 8);
    // The Russian layout's К lies where the US R does: it turns R, which Shift+R turns back.
    const auto before = Facelets::Of(g.Cube());
    QKeyEvent ka(QEvent::KeyPress, 0x041A, Qt::NoModifier, 27, 0, 0, QStringLiteral("к"));
    QCoreApplication::sendEvent(&g.form, &ka);
    QTest::keyClick(&g.form, Qt::Key_R, Qt::ShiftModifier);
    ASSERT_TRUE(g.Settled());
    EXPECT_EQ(Facelets::Of(g.Cube()), before);
    EXPECT_EQ(g.form.Game->Moves, 2 + 8 + 2);
    QTest::keyClick(&g.form, Qt::Key_N, Qt::ControlModifier); // new game
    EXPECT_EQ(g.form.StatusPanels[0]->text(), "Ходов: 0");
    EXPECT_FALSE(g.form.N22->isEnabled() || g.form.N23->isEnabled());
    QTest::keyClick(&g.form, Qt::Key_R);
    ASSERT_TRUE(g.Settled());
    EXPECT_TRUE(g.form.N22->isEnabled() && !g.form.N23->isEnabled());
    QTest::keyClick(&g.form, Qt::Key_Z, Qt::ControlModifier); // undo: solved again, and won
    ASSERT_TRUE(g.Settled());
    EXPECT_EQ(g.messages, QStringList{"Поздравляю! Ты сделал это!"});
    const QString pace = g.form.StatusPanels[0]->text();
    EXPECT_TRUE(QRegularExpression("^Время: \\d+,\\d\\d с, ходов: 2, \\d+,\\d ход/с$")
                    .match(pace)
                    .hasMatch())
        << pace.toStdString();
    EXPECT_TRUE(g.form.N23->isEnabled());
    QTest::keyClick(&g.form, Qt::Key_Y, Qt::ControlModifier);
    ASSERT_TRUE(g.Settled());
    EXPECT_FALSE(g.Cube().IsSolved());
    QTest::keyClick(&g.form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // nothing left
    ASSERT_TRUE(g.Settled());
    EXPECT_FALSE(g.Cube().IsSolved());
    g.form.N5Click();
    EXPECT_TRUE(g.form.StatusPanels[0]->text().isEmpty());
    // The tool buttons say what their menu items say.
    QStringList tips;
    for (const QToolButton* b : g.form.ToolBarButton->findChildren<QToolButton*>())
        if (!b->toolTip().isEmpty()) // the bar's own overflow button has none
            tips << b->toolTip();
    EXPECT_EQ(tips, QStringList({"Начать заново", "Открыть...", "Сохранить", "Стоп!",
                                 "Параметры...", "Справка", "Выход"}));
}
