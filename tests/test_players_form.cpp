// The top-list window: four equal columns, alternate row colours, rows as they were added.
#include "dialogs/players.h"

#include <QHeaderView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

TEST(PlayersForm, theColumnsShareTheWidthEquallyWithTheRemainderFirst) {
    TPlayersForm f(nullptr);
    f.ShowList();
    QHeaderView* header = f.ListView->header();
    for (int width : {510, 703, 900}) {
        f.resize(width, 239);
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.width() == width; }));
        const int w = f.ListView->viewport()->width();
        EXPECT_TRUE(QTest::qWaitFor([&] { return header->sectionSize(1) == w / 4; })) << width;
        EXPECT_EQ(header->sectionSize(3), w / 4);
        EXPECT_EQ(header->sectionSize(0), w - 3 * (w / 4));
    }
}

TEST(PlayersForm, rowsKeepTheServersOrderAndTextsAndOddRowsAreGreyBlueWhateverWasBefore) {
    TPlayersForm f(nullptr);
    f.ShowList();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QTreeWidget* list = f.ListView;
    auto colour = [list](int row) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        return list->viewport()->grab().toImage().pixel(r.right() - 3, r.center().y());
    };
    f.AddRow("only", {});
    f.Clear();
    f.AddRow("zed", {"00:00:09", "30", "01.12.2026"});
    f.AddRow("anna", {"00:00:10", "30", "02.12.2026", "extra"});
    f.AddRow("bob", {});
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "zed") << "no sorting";
    EXPECT_EQ(list->topLevelItem(1)->text(3), "02.12.2026");
    EXPECT_EQ(list->topLevelItem(1)->data(0, TPlayersForm::ExtraTextsRole).toStringList(),
              QStringList({"extra"}));
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    list->setCurrentItem(nullptr);
    list->clearSelection();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(colour(row), row % 2 ? qRgb(0xE8, 0xEB, 0xF0) : qRgb(255, 255, 255)) << row;
    f.close();
    EXPECT_EQ(list->topLevelItemCount(), 3) << "closing only hides";
}
