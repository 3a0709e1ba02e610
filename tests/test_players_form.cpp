// The top-list window: four equal columns, alternate row colours, rows as they were added.
#include "dialogs/players.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct ShownPlayers {
    QWidget main;
    TPlayersForm f{&main};
    ShownPlayers() {
        main.resize(600, 500);
        main.show();
        f.ShowList();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
    }
    int Column(int c) const { return f.ListView->header()->sectionSize(c); }
};

} // namespace

TEST(PlayersForm, emptyListShowsItsFourHeaders) {
    ShownPlayers p;
    EXPECT_EQ(p.f.windowTitle(), "Топ игроков");
    EXPECT_EQ(p.f.size(), QSize(510, 239));
    const QTreeWidgetItem* header = p.f.ListView->headerItem();
    ASSERT_EQ(p.f.ListView->columnCount(), 4);
    EXPECT_EQ(header->text(0), "Ник");
    EXPECT_EQ(header->text(1), "Время");
    EXPECT_EQ(header->text(2), "Количество оборотов при перемешивании");
    EXPECT_EQ(header->text(3), "Дата");
    EXPECT_EQ(p.f.ListView->topLevelItemCount(), 0);
    EXPECT_FALSE(p.f.isModal());
}

TEST(PlayersForm, columnsShareTheWidthEquallyWithTheRemainderFirst) {
    ShownPlayers p;
    for (int width : {510, 703, 900}) {
        p.f.resize(width, 239);
        QTest::qWait(20);
        const int w = p.f.ListView->viewport()->width();
        EXPECT_EQ(p.Column(1), w / 4) << width;
        EXPECT_EQ(p.Column(2), w / 4);
        EXPECT_EQ(p.Column(3), w / 4);
        EXPECT_EQ(p.Column(0), w - 3 * (w / 4));
    }
}

TEST(PlayersForm, rowsKeepTheirOrderAndTextsAndCannotBeEdited) {
    ShownPlayers p;
    p.f.AddRow("zed", {"00:00:09", "30", "01.12.2026"});
    p.f.AddRow("anna", {"00:00:10", "30", "02.12.2026", "extra"});
    p.f.AddRow("bob", {});
    QTreeWidget* list = p.f.ListView;
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "zed") << "no sorting";
    EXPECT_EQ(list->topLevelItem(1)->text(3), "02.12.2026");
    EXPECT_EQ(list->topLevelItem(1)->data(0, TPlayersForm::ExtraTextsRole).toStringList(),
              QStringList({"extra"}));
    EXPECT_TRUE(list->topLevelItem(2)->text(1).isEmpty());
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    p.f.Clear();
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

TEST(PlayersForm, oddRowsAreLightGreyBlueAndEvenRowsWhite) {
    ShownPlayers p;
    for (int i = 0; i < 3; ++i)
        p.f.AddRow(QStringLiteral("p%1").arg(i), {"00:00:01", "20", "01.12.2026"});
    p.f.ListView->clearSelection();
    p.f.ListView->setCurrentItem(nullptr);
    QTest::qWait(50);
    const QImage image = p.f.ListView->viewport()->grab().toImage();
    for (int row = 0; row < 3; ++row) {
        const QRect r = p.f.ListView->visualItemRect(p.f.ListView->topLevelItem(row));
        // Far right of the last column: background, away from the text.
        const QColor c = image.pixelColor(r.right() - 3, r.center().y());
        const QColor expected = row % 2 ? QColor(0xE8, 0xEB, 0xF0) : QColor(Qt::white);
        EXPECT_EQ(c.rgb(), expected.rgb()) << "row " << row;
    }
    // The colour follows the index after the list is filled anew.
    p.f.Clear();
    p.f.AddRow("only", {});
    QTest::qWait(50);
    const QImage again = p.f.ListView->viewport()->grab().toImage();
    const QRect r = p.f.ListView->visualItemRect(p.f.ListView->topLevelItem(0));
    EXPECT_EQ(again.pixelColor(r.right() - 3, r.center().y()).rgb(), QColor(Qt::white).rgb());
}

TEST(PlayersForm, closingOnlyHides) {
    ShownPlayers p;
    p.f.AddRow("anna", {});
    QPointer<TPlayersForm> alive(&p.f);
    p.f.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(p.f.isVisible());
    ASSERT_TRUE(alive);
    p.f.ShowList();
    EXPECT_TRUE(p.f.isVisible());
    EXPECT_EQ(p.f.ListView->topLevelItemCount(), 1) << "the rows stay until the next list";
}
