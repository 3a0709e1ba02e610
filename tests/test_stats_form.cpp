// The statistics window over a real history: the rows and figures of the chosen shuffle
// length and their chart, damaged records, a table read a page at a time, where the window
// opens, deleting after a question, exporting, and watching a solve again.
#include "dialogs/stats.h"

#include "history/qorhistory.h"
#include "game/qorreplay.h"

#include "support/framecounter.h"
#include "support/outsideconnection.h"
#include "support/testutil.h"

#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct Stats : CountedGame {
    QTemporaryDir dir;
    QORSolveHistory history;
    QORReplay replay{game};
    QWidget main;
    TStatsForm form{history, replay, &main};
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
    QString Cell(int row, int column) const {
        return form.Table->model()->index(row, column).data().toString();
    }
};

// 1, 2 or 5 times a power of ten.
bool Round(double step) {
    const double m = step / std::pow(10.0, std::floor(std::log10(step)));
    return std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9;
}

} // namespace

TEST(StatsForm, rowsFiguresAndChartAreOfTheChosenShuffleLengthWhichAReloadKeeps) {
    Stats s;
    for (double t : {10, 12, 8, 20, 11, 9})
        s.Add(t, 20);
    ASSERT_TRUE(OutsideConnection(s.dir.filePath("h.sqlite"))
                    .Run("UPDATE solves SET hinted = 1, solver_moves = 1 WHERE seconds = 9"));
    s.Add(99, 30);
    s.Add(42, 30);
    ASSERT_TRUE(OutsideConnection(s.dir.filePath("h.sqlite"))
                    .Run("UPDATE solves SET daily_day = '2026-12-07' WHERE seconds = 42"));
    s.Add(-5, 20);
    s.form.ShowStats();
    EXPECT_EQ(s.form.Table->model()->rowCount(), 9);
    ASSERT_EQ(s.form.ComboBoxShuffles->count(), 4);
    EXPECT_EQ(s.form.ComboBoxShuffles->itemText(2) + s.form.ComboBoxShuffles->itemText(3),
              "30 поворотовзадача дня");
    s.form.ComboBoxShuffles->setCurrentIndex(3);
    emit s.form.ComboBoxShuffles->activated(3);
    EXPECT_EQ(s.Cell(0, 1), "42.00, задача дня") << "a length of its own, and marked";
    s.form.ComboBoxShuffles->setCurrentIndex(1);
    emit s.form.ComboBoxShuffles->activated(1);
    EXPECT_EQ(s.form.Table->model()->rowCount(), 7);
    // Newest first: the damaged one, then the last sound solve, which a hint helped.
    const QStringList rows[] = {{"повреждена", "", "", "", "", ""},
                                {"9.00 с подсказкой", "20", "2", "1", "50 %", "0.2"}};
    for (int column = 1; column <= 6; ++column)
        for (int row : {0, 1})
            EXPECT_EQ(s.Cell(row, column), rows[row][column - 1]) << row << column;
    // The mean of 3 now and at best, the average of 5 now; none of 12 yet; no -5 in any.
    for (const char* figure : {"13.33", "10.00", "10.67", "—", "Повреждённых записей: 1"})
        EXPECT_TRUE(s.form.LabelFigures->text().contains(figure)) << figure;
    EXPECT_EQ(s.Points(0), 6);
    EXPECT_EQ(s.Points(1), 2) << "the average of 5 begins at the fifth solve";
    // Ticks at round seconds and solve numbers; whole headers.
    const auto* y = qobject_cast<QValueAxis*>(s.form.Chart->chart()->axes(Qt::Vertical)[0]);
    const double step = (y->max() - y->min()) / (y->tickCount() - 1);
    EXPECT_TRUE(Round(step) && std::fmod(y->min(), step) == 0) << y->min() << " " << step;
    EXPECT_TRUE(Round(qobject_cast<QValueAxis*>(s.form.Chart->chart()->axes()[0])->tickInterval()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s.form));
    const QHeaderView* header = s.form.Table->horizontalHeader();
    for (int c = 0; c < 7; ++c) {
        const QString text = s.form.Table->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(header->sectionSize(c), header->fontMetrics().horizontalAdvance(text)) << c;
    }
    // A penalised time is marked; a DNF is written so, and has no point on the chart.
    QORSolve late = MadeSolve(7, 20), dnf = MadeSolve(0, 20);
    late.PlusTwo = dnf.Dnf = true;
    ASSERT_TRUE(s.history.Add(late) && s.history.Add(dnf));
    s.form.Reload();
    EXPECT_EQ(s.form.ComboBoxShuffles->currentText(), "20 поворотов");
    EXPECT_EQ(std::tuple(s.Points(0), s.Cell(0, 1), s.Cell(1, 1)),
              std::tuple(7, QString("DNF"), QString("7.00 +2")));
    EXPECT_TRUE(s.form.LabelFigures->text().contains("DNF"));
    // Many solves: a page is read now, the rest as the player scrolls.
    ASSERT_TRUE(OutsideConnection(s.dir.filePath("h.sqlite"))
                    .Run("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                         "WHERE i < 300) INSERT INTO solves (finished_at, seconds, "
                         "clock_seconds, shuffles, moves, scramble, solution) SELECT '', 50, 50, "
                         "30, 2, '', '' FROM n"));
    s.form.ComboBoxShuffles->setCurrentIndex(2);
    s.form.Reload();
    QAbstractItemModel* model = s.form.Table->model();
    EXPECT_TRUE(model->rowCount() < 301 && model->canFetchMore({})) << model->rowCount();
    EXPECT_EQ(model->headerData(0, Qt::Vertical).toInt(), 301) << "numbered from the first";
    while (model->canFetchMore({}))
        model->fetchMore({});
    EXPECT_EQ(model->rowCount(), 301);
}

TEST(StatsForm, opensBesideTheMainWindowWhereThereIsRoomAndOverItWhereThereIsNone) {
    Stats s;
    const QRect room = s.main.screen()->availableGeometry();
    // A main window at the top left, at the bottom right, and one too central for either side.
    const std::pair<QRect, bool> rows[] = {
        {{20, 20, 478, 399}, true},
        {{room.right() - 500, room.bottom() - 420, 478, 399}, true},
        {{room.center().x() - 239, room.center().y() - 200, 478, 399}, false}};
    for (const auto& [main, beside] : rows) {
        s.main.setGeometry(main);
        TStatsForm form(s.history, s.replay, &s.main);
        form.ShowStats();
        const QRect placed = form.frameGeometry();
        EXPECT_TRUE(room.contains(placed)) << placed.x() << "," << placed.y();
        EXPECT_EQ(placed.intersects(main), !beside) << main.x();
        EXPECT_TRUE(beside || (placed.center() - main.center()).manhattanLength() <= 2);
    }
}

TEST(StatsForm, aSolveIsDeletedOnlyWhenThePlayerSaysYesAndAllCanBeExported) {
    Stats s;
    s.Add(10, 20);
    s.Add(12, 20);
    s.form.ShowStats();
    s.Choose(0);
    s.form.ButtonDelete->click();
    EXPECT_EQ(s.asked.size(), 1);
    EXPECT_EQ(s.history.All().size(), 2) << "the player said no";
    s.answer = true;
    s.form.ButtonDelete->click();
    ASSERT_EQ(s.history.All().size(), 1);
    EXPECT_EQ(std::pair(s.history.All()[0].Seconds, s.form.Table->model()->rowCount()),
              std::pair(10.0, 1));
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
    s.Choose(0);
    s.form.ButtonReplay->click();
    EXPECT_EQ(s.told.size(), 2) << "nothing chosen, then a broken record";
    EXPECT_FALSE(s.form.ButtonStep->isEnabled());
    s.Choose(1);
    s.form.ComboBoxSpeed->setCurrentIndex(2);
    emit s.form.ComboBoxSpeed->activated(2);
    s.form.ButtonReplay->click();
    EXPECT_EQ(s.replay.PaceMs(), 625) << "5 s over two turns, four times as fast";
    s.form.ButtonPause->click();
    EXPECT_EQ(s.form.ButtonPause->text(), "Дальше");
    s.form.ButtonStep->click();
    EXPECT_EQ(s.replay.TurnsDone(), 1);
    s.form.ButtonPause->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.replay.Active(); }));
    EXPECT_EQ(s.form.ButtonPause->text(), "Пауза");
    EXPECT_FALSE(s.form.ButtonPause->isEnabled());
}
