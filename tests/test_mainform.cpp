#include "app/mainform.h"
#include "app/qordrawpanel.h"
#include "cube/qorsavefile.h"
#include "render/qorgl.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "support/game.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(MainForm, captionAndStartSizeAreTheGames) {
    QTemporaryDir dir;
    TMainForm form(dir.filePath("quelmora"));
    EXPECT_EQ(form.windowTitle(), "Quelmora 1.10");
    EXPECT_EQ(form.size(), QSize(478, 399));
    EXPECT_TRUE(form.DrawTimer->isActive());
    EXPECT_EQ(form.DrawTimer->interval(), 10);
}

TEST(MainForm, settingsAreReadAtStartAndWrittenAtExitKeepingForeignLines) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("quelmora.ini");
    WriteAll(ini, "; hand notes\r\n[Other]\r\nKeep=me\r\n[QuelmoraSettings]\r\nDrawQuality=4\r\n"
                  "FrontColor=clRed\r\nRotateSpeed=7\r\nHostName=scores.example\r\n"
                  "Custom=stays\r\n");
    {
        TMainForm form(dir.filePath("quelmora"));
        EXPECT_EQ(form.SettingsReadPath(), ini);
        EXPECT_EQ(form.Renderer->DrawQuality, 4);
        EXPECT_EQ(form.Renderer->PassCount, 1) << "one pass until the first release";
        EXPECT_EQ(form.Renderer->Cube->RotateStep, 5) << "7 does not divide 90";
        EXPECT_EQ(form.Renderer->Cube->Cubies[26].Colors[1].r, 255);
        EXPECT_EQ(form.Renderer->Cube->Cubies[26].Colors[1].g, 0);
        EXPECT_EQ(form.HostName, "scores.example");
        form.Renderer->DrawQuality = 9;
    }
    const QByteArray written = ReadAll(ini);
    EXPECT_TRUE(written.startsWith("; hand notes\r\n[Other]\r\nKeep=me\r\n")) << written.data();
    EXPECT_TRUE(written.contains("DrawQuality=9\r\n"));
    EXPECT_TRUE(written.contains("RotateSpeed=5\r\n"));
    EXPECT_TRUE(written.contains("FrontColor=clRed\r\n"));
    EXPECT_TRUE(written.contains("Custom=stays\r\n"));
    EXPECT_TRUE(written.contains("PlayerIdleTimeout=60000\r\n"));
}

TEST(MainForm, unwritableSettingsFileIsReportedToThePlayer) {
    QTemporaryDir dir;
    // A folder where the file should be cannot be replaced, not even by root.
    ASSERT_TRUE(QDir(dir.path()).mkdir("quelmora.ini"));
    QStringList shown;
    {
        TMainForm form(dir.filePath("quelmora"));
        form.MessageBox = [&](QMessageBox::Icon, const QString&, const QString& text) {
            shown << text;
        };
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QString("Unable to write to %1.").arg(dir.filePath("quelmora.ini")));
}

TEST(MainForm, pressUsesOnePassAndReleaseRestoresQuality) {
    QTemporaryDir dir;
    TMainForm form(dir.filePath("quelmora"));
    form.Renderer->DrawQuality = 8;
    form.DrawPanelMouseUp(0, 0, 0);
    EXPECT_EQ(form.Renderer->PassCount, 8);
    form.DrawPanelMouseDown(5, 5, QORGL::ShiftRight);
    EXPECT_EQ(form.Renderer->PassCount, 1);
    form.DrawPanelMouseMove(5, 5, QORGL::ShiftRight);
    form.DrawPanelMouseMove(9, 5, QORGL::ShiftRight);
    EXPECT_LT(form.Renderer->Camera.Eye.x, -1.0f);
    form.DrawPanelMouseUp(9, 5, 0);
    EXPECT_EQ(form.Renderer->PassCount, 8) << "a view drag's release restores the quality too";
}

TEST(MainForm, realRightDragOnThePanelTurnsTheView) {
    Game g;
    TMainForm& form = g.form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWindow* panel = form.DrawPanel;
    QTest::mousePress(panel, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_EQ(form.Renderer->PassCount, 1);
    for (int x = 101; x <= 110; ++x)
        QTest::mouseMove(panel, QPoint(x, 100));
    QTest::mouseRelease(panel, Qt::RightButton, {}, QPoint(110, 100));
    EXPECT_LT(form.Renderer->Camera.Eye.x, -1.0f) << "the cube turns with the pointer";
}

namespace {

const QString Congratulation = QString::fromUtf8("Поздравляю! Ты сделал это!");

} // namespace

TEST(MainForm, viewTogglesTwiceReturnToTheStart) {
    Game g;
    EXPECT_TRUE(g.form.N14->isChecked());
    EXPECT_TRUE(g.form.N15->isChecked());
    g.form.N14->trigger();
    g.form.N15->trigger();
    EXPECT_TRUE(g.form.ToolBarButton->isHidden());
    EXPECT_TRUE(g.form.statusBar()->isHidden());
    g.form.N14->trigger();
    g.form.N15->trigger();
    EXPECT_FALSE(g.form.ToolBarButton->isHidden());
    EXPECT_FALSE(g.form.statusBar()->isHidden());
    EXPECT_TRUE(g.form.N14->isChecked() && g.form.N15->isChecked());
}

TEST(MainForm, helpOpensReadmeOnlyWhenItIsThere) {
    Game g;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(g.dir.path());
    g.form.N16Click();
    EXPECT_TRUE(g.opened.isEmpty()) << "no readme.htm: nothing happens";
    QDir(g.dir.path()).mkdir("readme.htm");
    g.form.N16Click();
    EXPECT_TRUE(g.opened.isEmpty()) << "a folder is not the help file";
    QDir(g.dir.path()).rmdir("readme.htm");
    WriteAll(g.dir.filePath("readme.htm"), "<html></html>");
    g.form.ToolButton7Click();
    QDir::setCurrent(previous);
    ASSERT_EQ(g.opened.size(), 1);
    EXPECT_EQ(g.opened[0], QUrl::fromLocalFile(g.dir.filePath("readme.htm")));
}

TEST(MainForm, gameWithoutShuffleIsWonOnTheFirstRelease) {
    Game g;
    g.Cube().ShuffleCount = 0;
    g.form.N4Click();
    EXPECT_TRUE(g.form.GameTimer->isActive());
    for (int i = 0; i < 75; ++i)
        g.form.GameTimerTimer();
    EXPECT_EQ(g.Clock(), "00:01:15");
    g.Cube().ShuffleCount = 12; // changing the setting mid-game changes nothing reported
    g.Release();
    EXPECT_EQ(g.messages, QStringList{Congratulation});
    ASSERT_EQ(g.wins.size(), 1);
    EXPECT_EQ(g.wins[0], std::make_pair(75, 0));
    EXPECT_FALSE(g.form.GameTimer->isActive());
    EXPECT_EQ(g.Clock(), "00:00:00");
    EXPECT_EQ(g.form.GameSeconds, 75) << "the final time stays until the next game";
    g.Release();
    EXPECT_EQ(g.messages.size(), 1) << "a release while idle never congratulates";
}

TEST(MainForm, shuffledGameReportsItsOwnShuffleCount) {
    Game g;
    g.Cube().ShuffleCount = 4;
    g.form.N4Click();
    EXPECT_EQ(g.form.GameShuffles, 4);
    g.Cube().ShuffleCount = 30;
    g.Cube().Reset(); // solved by hand, as far as the test is concerned
    g.Release();
    ASSERT_EQ(g.wins.size(), 1);
    EXPECT_EQ(g.wins[0].second, 4);
}

TEST(MainForm, releaseOnASolvedCubeWithoutAGameDoesNothing) {
    Game g;
    g.Release();
    EXPECT_TRUE(g.messages.isEmpty());
    EXPECT_TRUE(g.wins.isEmpty());
}

TEST(MainForm, stopShowsTheSolvedCubeAndAZeroClock) {
    Game g;
    g.Cube().ShuffleCount = 5;
    g.form.N4Click();
    g.form.GameTimerTimer();
    EXPECT_EQ(g.Clock(), "00:00:01");
    g.form.ToolButton4Click();
    EXPECT_TRUE(g.Cube().IsSolved());
    EXPECT_EQ(g.Clock(), "00:00:00");
    EXPECT_FALSE(g.form.GameTimer->isActive());
    g.Release();
    EXPECT_TRUE(g.messages.isEmpty());
}

TEST(MainForm, newGameDuringAGameKeepsTheClocksPeriod) {
    Game g;
    g.Cube().ShuffleCount = 0;
    g.form.N4Click();
    QTest::qWait(400);
    const int before = g.form.GameTimer->remainingTime();
    g.form.N4Click();
    EXPECT_LE(g.form.GameTimer->remainingTime(), before + 20) << "the period did not restart";
    EXPECT_LT(before, 900);
}

TEST(MainForm, cancelledOpenStillStopsTheClockAndRewritesTheCaption) {
    Game g;
    g.Cube().ShuffleCount = 2;
    g.form.N4Click();
    g.form.GameTimerTimer();
    g.form.ToolButton2Click();
    EXPECT_FALSE(g.form.GameTimer->isActive());
    EXPECT_EQ(g.Clock(), "00:00:00");
    EXPECT_EQ(g.form.GameSeconds, 0);
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10 >>> ");
    EXPECT_TRUE(g.messages.isEmpty());
}

TEST(MainForm, openedGameIsPlayedWithoutTheClock) {
    Game g;
    QORBigCube scrambled;
    scrambled.RotateStep = 45;
    scrambled.Reset();
    scrambled.Shuffle(6);
    ASSERT_TRUE(scrambled.Save(g.dir.filePath("g.cube")));
    g.openAnswer = g.dir.filePath("g.cube");
    g.form.N7Click();
    EXPECT_EQ(g.form.CurrentGameFile, g.openAnswer);
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10 >>> g.cube");
    EXPECT_EQ(g.Cube().Cubies[7].Points[0].x, scrambled.Cubies[7].Points[0].x);
    g.Cube().Reset();
    g.Release();
    EXPECT_TRUE(g.messages.isEmpty()) << "no congratulation for an opened position";
}

TEST(MainForm, openingABadFileTellsThePlayerAndKeepsCubeAndFile) {
    Game g;
    WriteAll(g.dir.filePath("photo.jpg"), QByteArray(1000, 'x'));
    g.Cube().Cubies[3].Points[0].x = 42;
    g.openAnswer = g.dir.filePath("photo.jpg");
    g.form.N7Click();
    EXPECT_EQ(g.messages.size(), 1);
    EXPECT_EQ(g.Cube().Cubies[3].Points[0].x, 42);
    EXPECT_TRUE(g.form.CurrentGameFile.isEmpty()) << "a later save must not overwrite it";
    EXPECT_EQ(ReadAll(g.dir.filePath("photo.jpg")).size(), 1000);
}

TEST(MainForm, saveAsProposesTheDatedNameAndNamesTheCaption) {
    Game g;
    g.saveAnswer = g.dir.filePath("mine.cube");
    g.form.ToolButton3Click(); // no game file yet: save acts as save as
    EXPECT_TRUE(QRegularExpression("^\\d\\d-\\d\\d-\\d{4}--\\d\\d-\\d\\d-\\d\\d\\.cube$")
                    .match(g.proposed)
                    .hasMatch())
        << g.proposed.toStdString();
    EXPECT_EQ(ReadAll(g.saveAnswer).size(), GameFileSize);
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10 >>> mine.cube");
    // Save now writes the same file without asking.
    g.proposed.clear();
    g.form.N8Click();
    EXPECT_TRUE(g.proposed.isEmpty());
    // Once the file is gone, save asks again.
    QFile::remove(g.saveAnswer);
    g.form.N8Click();
    EXPECT_FALSE(g.proposed.isEmpty());
}

TEST(MainForm, failedSaveTellsThePlayerAndKeepsFileAndCaption) {
    Game g;
    QDir(g.dir.path()).mkdir("taken.cube");
    g.saveAnswer = g.dir.filePath("taken.cube");
    g.form.N9Click();
    EXPECT_EQ(g.messages.size(), 1);
    EXPECT_TRUE(g.form.CurrentGameFile.isEmpty());
    EXPECT_EQ(g.form.windowTitle(), "Quelmora 1.10");
    g.saveAnswer.clear();
    g.form.N9Click();
    EXPECT_EQ(g.messages.size(), 1) << "a cancelled save does nothing";
}

TEST(MainForm, exitDuringAGameAsksNothingAndWritesSettings) {
    QTemporaryDir dir;
    QStringList messages;
    {
        TMainForm form(dir.filePath("quelmora"));
        form.MessageBox = [&](QMessageBox::Icon, const QString&, const QString& text) {
            messages << text;
        };
        form.AskLogin = [] {};
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.Renderer->Cube->ShuffleCount = 0;
        form.N4Click();
        form.ToolButton9Click();
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(ReadAll(dir.filePath("quelmora.ini")).contains("ShuffleRotateCount=0"));
}

TEST(MainForm, clockSitsInThePanelsTopRightCornerOnResize) {
    Game g;
    g.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.form));
    for (QSize size : {QSize(478, 399), QSize(700, 500)}) {
        g.form.resize(size);
        QTest::qWait(50);
        const QRect panel = g.form.DrawPanelFrame->rect();
        const QRect clock = g.form.TimerPanel->geometry();
        EXPECT_EQ(clock.size(), QSize(90, 29));
        EXPECT_EQ(clock.top(), 6);
        EXPECT_EQ(panel.right() - clock.right(), 4);
    }
    EXPECT_EQ(g.form.StatusPanels[0]->width(), 200);
    EXPECT_EQ(g.form.StatusPanels[1]->width(), 150);
    EXPECT_EQ(g.form.StatusPanels[2]->width(), 50);
}
