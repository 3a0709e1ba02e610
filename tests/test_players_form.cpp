// The top-list window: rows as the server sent them, kept while the window is hidden.
#include "dialogs/players.h"

#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(PlayersForm, rowsKeepTheServersOrderAndTextsAndStayWhenEscapeHidesTheWindow) {
    TPlayersForm f(nullptr);
    f.ShowList();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QTreeWidget* list = f.ListView;
    f.AddRow("only", {});
    f.Clear();
    f.AddRow("zed", {"00:00:09", "30", "01.12.2026"});
    f.AddRow("anna", {"00:00:10", "30", "02.12.2026", "extra"});
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "zed") << "no sorting";
    EXPECT_EQ(list->topLevelItem(1)->text(3), "02.12.2026");
    EXPECT_EQ(list->topLevelItem(1)->data(0, TPlayersForm::ExtraTextsRole).toStringList(),
              QStringList({"extra"}));
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    // The verified tab: place, nick, time to the hundredth, moves, shuffle length, date.
    f.SetVerified({{"anna", 41237, 52, 20, QDate(2026, 12, 7)}, {"zed", 3600010, 9, 5, {}}});
    ASSERT_EQ(f.VerifiedView->topLevelItemCount(), 2);
    QStringList texts;
    for (int c = 0; c < 6; ++c)
        texts << f.VerifiedView->topLevelItem(0)->text(c);
    EXPECT_EQ(texts, QStringList({"1", "anna", "00:00:41,23", "52", "20", "07.12.2026"}));
    EXPECT_EQ(f.VerifiedView->topLevelItem(1)->text(2), "01:00:00,01");
    EXPECT_EQ(f.Tabs->tabText(1), "Проверенные");
    f.SetVerified({{"bob", 20000, 30, 26, {}}}, QORProtocol::RandomKind); // a tab of its own
    EXPECT_EQ(f.Tabs->tabText(2) + f.RandomStateView->topLevelItem(0)->text(4) +
                  f.VerifiedView->topLevelItem(1)->text(1),
              "Случайное состояние26zed");
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_EQ(list->topLevelItemCount(), 2) << "closing only hides";
}
