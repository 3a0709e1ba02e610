// The statistics window over a real history: the rows and figures of the chosen shuffle
// length and their chart, deleting after a question, exporting, and watching a solve again.
#include "dialogs/stats.h"

#include "cube/qorhistory.h"
#include "cube/qorreplay.h"

#include "support/framecounter.h"
#include "support/testutil.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Stats : CountedGame {
    QTemporaryDir dir;
    QORSolveHistory history;
    QORReplay replay{game};
    TStatsForm form{history, replay};
    QStringList asked, told;
    bool answer = false;
    QString exportTo;

    Stats() {
        EXPECT_TRUE(history.Open(dir.filePath("h.sqlite")));
        form.Ask = [this](const QString& q) { return asked << q, answer; };
        form.Tell = [this](const QString& t) { told << t; };
        form.AskExportFile = [this](const QString&) { return exportTo; };
    }
    void Add(double seconds, int shuffles, const QString& scramble = "R") {
        ASSERT_TRUE(history.Add(MadeSolve(seconds, shuffles, scramble)));
    }
    int Points(int series) const {
        return qobject_cast<QLineSeries*>(form.Chart->chart()->series()[series])->count();
    }
    void Choose(int row) { form.Table->setCurrentIndex(form.Table->model()->index(row, 0)); }
};

} // namespace

TEST(StatsForm, rowsFiguresAndChartAreOfTheChosenShuffleLengthWhichAReloadKeeps) {
    Stats s;
    for (double t : {10, 12, 8, 20, 11, 9})
        s.Add(t, 20);
    s.Add(99, 30);
    s.form.ShowStats();
    EXPECT_EQ(s.form.Table->model()->rowCount(), 7);
    ASSERT_EQ(s.form.ComboBoxShuffles->count(), 3);
    EXPECT_EQ(s.form.ComboBoxShuffles->itemText(2), "30 поворотов");
    s.form.ComboBoxShuffles->setCurrentIndex(1);
    emit s.form.ComboBoxShuffles->activated(1);
    EXPECT_EQ(s.form.Table->model()->rowCount(), 6);
    const QStringList first = {"10.00", "20", "2", "0.2"};
    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(s.form.Table->model()->index(0, column).data().toString(), first[column - 1]);
    // The mean of 3 now and at best, the average of 5 now; none of 12 yet.
    for (const char* figure : {"13.33", "10.00", "10.67", "—"})
        EXPECT_TRUE(s.form.LabelFigures->text().contains(figure)) << figure;
    EXPECT_EQ(s.Points(0), 6);
    EXPECT_EQ(s.Points(1), 2) << "the average of 5 begins at the fifth solve";
    s.Add(7, 20);
    s.form.Reload();
    EXPECT_EQ(s.form.ComboBoxShuffles->currentText(), "20 поворотов");
    EXPECT_EQ(s.Points(0), 7);
}

TEST(StatsForm, aSolveIsDeletedOnlyWhenThePlayerSaysYesAndAllCanBeExported) {
    Stats s;
    s.Add(10, 20);
    s.Add(12, 20);
    s.form.ShowStats();
    s.Choose(1);
    s.form.ButtonDelete->click();
    EXPECT_EQ(s.asked.size(), 1);
    EXPECT_EQ(s.history.All().size(), 2) << "the player said no";
    s.answer = true;
    s.form.ButtonDelete->click();
    ASSERT_EQ(s.history.All().size(), 1);
    EXPECT_EQ(s.history.All()[0].Seconds, 10);
    EXPECT_EQ(s.form.Table->model()->rowCount(), 1);
    s.exportTo = s.dir.filePath("out.csv");
    s.form.ButtonExport->click();
    EXPECT_TRUE(QFile::exists(s.exportTo));
    s.exportTo = s.dir.filePath("no/such/folder.csv");
    s.form.ButtonExport->click();
    EXPECT_EQ(s.told.size(), 1);
}

TEST(StatsForm, aChosenSolveIsWatchedWithPauseAndStepAndABrokenOneIsTold) {
    Stats s;
    s.Add(5, 1, "U R");
    s.Add(5, 1, "R Q");
    s.form.ShowStats();
    s.form.ButtonReplay->click();
    s.Choose(1);
    s.form.ButtonReplay->click();
    EXPECT_EQ(s.told.size(), 2) << "nothing chosen, then a broken record";
    EXPECT_FALSE(s.form.ButtonStep->isEnabled());
    s.Choose(0);
    s.form.ButtonReplay->click();
    s.form.ButtonPause->click();
    EXPECT_EQ(s.form.ButtonPause->text(), "Дальше");
    s.form.ButtonStep->click();
    EXPECT_EQ(s.replay.TurnsDone(), 1);
    s.form.ButtonPause->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.replay.Active(); }));
    EXPECT_EQ(s.form.ButtonPause->text(), "Пауза");
    EXPECT_FALSE(s.form.ButtonPause->isEnabled());
}
