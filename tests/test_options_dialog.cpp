// The options dialog on a live main window: what it shows at start, what each control
// changes at once, and what OK and the close button do to the cubies.
#include "app/mainform.h"
#include "dialogs/options.h"
#include "dialogs/qorcolorbox.h"
#include "render/qorgl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "support/game.h"
#include "support/pixels.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

namespace {

// Chooses a colour from the box as the player does: the item, then the box's own signal.
void Choose(QORColorBox* box, const char* caption) {
    const int index = box->findText(QString::fromUtf8(caption));
    ASSERT_GT(index, 0) << caption;
    box->setCurrentIndex(index);
    emit box->activated(index);
}

bool SameColor(const RGBTriple& a, const RGBTriple& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

} // namespace

TEST(OptionsDialog, captionTabsAndButtonAreTheGames) {
    Game g;
    TOptionsForm& f = *g.form.OptionsForm;
    EXPECT_EQ(f.windowTitle(), "Параметры...");
    EXPECT_EQ(f.size(), QSize(287, 277));
    ASSERT_EQ(f.PageControl1->count(), 3);
    EXPECT_EQ(f.PageControl1->tabText(0), "Игра");
    EXPECT_EQ(f.PageControl1->tabText(1), "Цвета");
    EXPECT_EQ(f.PageControl1->tabText(2), "Вращение");
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
    EXPECT_EQ(f.ButtonOK->text(), "OK");
    EXPECT_EQ(f.EditShuffle->minimum(), 1);
    EXPECT_EQ(f.EditShuffle->maximum(), 1000);
    EXPECT_EQ(f.ComboBoxIdle->count(), 14);
    EXPECT_FALSE(f.ComboBoxIdle->isEditable());
    EXPECT_EQ(f.CheckBoxUpdateTop->accessibleName(),
              "Отправлять результат игры и обновлять топ-лист (требуется подключение к "
              "интернету)");
}

TEST(OptionsDialog, controlsShowTheSettingsTheGameStartedWith) {
    Game g("[QuelmoraSettings]\r\nShuffleRotateCount=77\r\nDrawQuality=12\r\nRotateSpeed=30\r\n"
           "PlayerIdleTimeout=180000\r\nUpdateTopList=0\r\nFrontColor=clRed\r\n"
           "BackColor=0x00123456\r\nBGColor=clNavy\r\n");
    ASSERT_TRUE(g.settingsWritten);
    const TOptionsForm& f = *g.form.OptionsForm;
    EXPECT_EQ(f.EditShuffle->value(), 77);
    EXPECT_EQ(f.TrackBarQuality->value(), 9);
    EXPECT_EQ(f.TrackBarRSpeed->value(), 8);
    EXPECT_EQ(f.ComboBoxIdle->currentIndex(), 8);
    EXPECT_EQ(f.ComboBoxIdle->currentText(), "Через 3 минуты");
    EXPECT_FALSE(f.CheckBoxUpdateTop->isChecked());
    EXPECT_EQ(f.ColorBoxFront->Selected(), 0x000000FFu);
    EXPECT_EQ(f.ColorBoxFront->currentText(), "Красный");
    EXPECT_EQ(f.ColorBoxBack->Selected(), 0x00123456u);
    EXPECT_EQ(f.ColorBoxBack->currentIndex(), 0) << "an unnamed colour shows in the first entry";
    EXPECT_EQ(f.ColorBoxSpace->Selected(), 0x00483535u);
    EXPECT_EQ(f.ColorBoxBG->Selected(), 0x00800000u);
    EXPECT_EQ(g.Cube().IdleTimeout, 180000);
}

TEST(OptionsDialog, valuesNoPositionStandsForLeaveTheDefaultsAndStayUntilMoved) {
    Game g("[QuelmoraSettings]\r\nDrawQuality=7\r\nRotateSpeed=15\r\nPlayerIdleTimeout=7000\r\n");
    TOptionsForm& f = *g.form.OptionsForm;
    EXPECT_EQ(f.TrackBarQuality->value(), 1);
    EXPECT_EQ(g.form.Renderer->DrawQuality, 7) << "showing the form changes nothing";
    EXPECT_EQ(f.TrackBarRSpeed->value(), 5);
    EXPECT_EQ(f.ComboBoxIdle->currentIndex(), 6) << "7000 is no item: read back as a minute";
    f.TrackBarQuality->setValue(7);
    EXPECT_EQ(g.form.Renderer->DrawQuality, 8);
    f.TrackBarQuality->setValue(10);
    EXPECT_EQ(g.form.Renderer->DrawQuality, 16);
}

TEST(OptionsDialog, everyControlAppliesItsValueAtOnce) {
    Game g;
    TOptionsForm& f = *g.form.OptionsForm;
    f.EditShuffle->setValue(1000);
    EXPECT_EQ(g.Cube().ShuffleCount, 1000);
    f.EditShuffle->setValue(5000);
    EXPECT_EQ(g.Cube().ShuffleCount, 1000) << "the up-down keeps to its range";
    f.TrackBarRSpeed->setValue(2);
    EXPECT_EQ(g.Cube().RotateStep, 2);
    f.TrackBarRSpeed->setValue(4);
    EXPECT_EQ(g.Cube().RotateStep, 5);
    f.TrackBarRSpeed->setValue(8);
    EXPECT_EQ(g.Cube().RotateStep, 30);
    f.ComboBoxIdle->setCurrentIndex(0);
    EXPECT_EQ(g.Cube().IdleTimeout, 0);
    f.ComboBoxIdle->setCurrentIndex(13);
    EXPECT_EQ(g.Cube().IdleTimeout, 1800000);
    f.CheckBoxUpdateTop->click();
    EXPECT_FALSE(g.form.UpdateTopList);
    f.CheckBoxUpdateTop->click();
    EXPECT_TRUE(g.form.UpdateTopList);
}

TEST(OptionsDialog, clickOnTheWrappedCaptionTicksTheBox) {
    Game g;
    TOptionsForm& f = *g.form.OptionsForm;
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QTest::mouseClick(f.CheckBoxUpdateTop, Qt::LeftButton, {}, QPoint(150, 30));
    EXPECT_FALSE(g.form.UpdateTopList);
    f.close();
}

TEST(OptionsDialog, qualityShowsFromTheNextReleaseOnThePanel) {
    Game g;
    g.form.OptionsForm->TrackBarQuality->setValue(8);
    EXPECT_EQ(g.form.Renderer->DrawQuality, 9);
    EXPECT_EQ(g.form.Renderer->PassCount, 1);
    g.Release();
    EXPECT_EQ(g.form.Renderer->PassCount, 9);
}

TEST(OptionsDialog, okRecoloursExactlyTheOuterFrontFacesOfAScrambledCube) {
    Game g;
    g.Cube().SeedSource = [] { return uint64_t(12345); };
    g.Cube().Shuffle(25);
    const auto before = g.Cube().Cubies;
    TOptionsForm& f = *g.form.OptionsForm;
    Choose(f.ColorBoxFront, "Красный");
    const RGBTriple red = RGBFromColorValue(0x000000FF);
    EXPECT_TRUE(SameColor(g.Cube().ColorTable[1], red));
    for (int i = 0; i < QORBigCube::CubieCount; ++i)
        EXPECT_TRUE(SameColor(g.Cube().Cubies[i].Colors[1], before[i].Colors[1]))
            << "nothing changes before OK, cubie " << i;
    f.ButtonOK->click();
    int recoloured = 0;
    for (int i = 0; i < QORBigCube::CubieCount; ++i) {
        const QORSmallCube& now = g.Cube().Cubies[i];
        const QORSmallCube& was = before[i];
        EXPECT_EQ(0, memcmp(now.Points.data(), was.Points.data(), sizeof(now.Points))) << i;
        if (now.Outer[QORSmallCube::Front]) {
            EXPECT_TRUE(SameColor(now.Colors[1], red)) << i;
            ++recoloured;
        } else {
            EXPECT_TRUE(SameColor(now.Colors[1], was.Colors[1])) << i;
        }
        for (int face = 2; face <= 6; ++face)
            EXPECT_TRUE(SameColor(now.Colors[face], was.Colors[face])) << i << "/" << face;
    }
    EXPECT_EQ(recoloured, 9);
    EXPECT_FALSE(g.Cube().IsSolved()) << "the scramble is kept";
}

TEST(OptionsDialog, closeButtonKeepsTheColourButRecoloursOnlyAtTheNextReset) {
    Game g;
    TOptionsForm& f = *g.form.OptionsForm;
    g.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.form));
    g.form.DrawTimerTimer();
    g.form.Renderer->RenderFrame();
    const QImage before = ReadViewport();
    f.show();
    Choose(f.ColorBoxTop, "Фуксия");
    f.close();
    EXPECT_FALSE(f.isVisible());
    g.form.DrawTimerTimer();
    g.form.Renderer->RenderFrame();
    EXPECT_EQ(MaxChannelDifference(before, ReadViewport()), 0) << "the picture stays as it was";
    EXPECT_TRUE(SameColor(g.Cube().ColorTable[5], RGBFromColorValue(0x00FF00FF)));
    EXPECT_TRUE(SameColor(g.Cube().Cubies[26].Colors[5], RGBFromColorValue(0x0055FFFF)));
    g.form.N5Click();
    EXPECT_TRUE(SameColor(g.Cube().Cubies[26].Colors[5], RGBFromColorValue(0x00FF00FF)));
    EXPECT_EQ(f.ColorBoxTop->currentText(), "Фуксия") << "the dialog keeps its state";
}

TEST(OptionsDialog, firstColourEntryAsksForAnyColourAndCancelKeepsTheOldOne) {
    Game g;
    QORColorBox* box = g.form.OptionsForm->ColorBoxSpace;
    QList<QColor> asked;
    std::optional<QColor> answer = QColor(1, 2, 3);
    box->AskColor = [&](const QColor& initial) {
        asked << initial;
        return answer;
    };
    box->setCurrentIndex(0);
    emit box->activated(0);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0], QColor(0x35, 0x35, 0x48)) << "the chooser starts from the body colour";
    EXPECT_EQ(box->Selected(), 0x00030201u);
    EXPECT_TRUE(SameColor(g.Cube().ColorTable[0], RGBFromColorValue(0x00030201)));

    Choose(box, "Белый");
    answer.reset();
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(box->currentText(), "Белый");
    EXPECT_EQ(box->Selected(), 0x00FFFFFFu);
    EXPECT_TRUE(SameColor(g.Cube().ColorTable[0], RGBFromColorValue(0x00FFFFFF)));

    answer = QColor(255, 255, 0);
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(box->currentText(), "Жёлтый") << "a chosen colour that has a name shows by name";
}

TEST(OptionsDialog, menuItemAndToolButtonOpenTheDialogModally) {
    Game g;
    ASSERT_TRUE(g.form.N11->isEnabled());
    bool shownModal = false;
    QTimer::singleShot(0, [&] {
        shownModal = g.form.OptionsForm->isVisible() && g.form.OptionsForm->isModal();
        g.form.OptionsForm->ButtonOK->click();
    });
    g.form.N11->trigger();
    EXPECT_TRUE(shownModal);
    shownModal = false;
    QTimer::singleShot(0, [&] {
        shownModal = g.form.OptionsForm->isVisible();
        g.form.OptionsForm->close();
    });
    g.form.ToolButton6Click();
    EXPECT_TRUE(shownModal);
}

TEST(OptionsDialog, choicesAreKeptAcrossARestart) {
    QTemporaryDir dir;
    {
        TMainForm form(dir.filePath("quelmora"));
        TOptionsForm& f = *form.OptionsForm;
        f.EditShuffle->setValue(12);
        f.TrackBarQuality->setValue(9);
        f.TrackBarRSpeed->setValue(2);
        f.ComboBoxIdle->setCurrentIndex(11);
        f.CheckBoxUpdateTop->click();
        Choose(f.ColorBoxLeft, "Оливковый");
        Choose(f.ColorBoxBG, "Серый");
        f.ButtonOK->click();
    }
    const QByteArray written = ReadAll(dir.filePath("quelmora.ini"));
    EXPECT_TRUE(written.contains("LeftColor=clOlive\r\n")) << written.data();
    EXPECT_TRUE(written.contains("BGColor=clGray\r\n"));
    EXPECT_TRUE(written.contains("PlayerIdleTimeout=600000\r\n"));
    TMainForm form(dir.filePath("quelmora"));
    const TOptionsForm& f = *form.OptionsForm;
    EXPECT_EQ(f.EditShuffle->value(), 12);
    EXPECT_EQ(form.Renderer->DrawQuality, 12);
    EXPECT_EQ(f.TrackBarQuality->value(), 9);
    EXPECT_EQ(f.TrackBarRSpeed->value(), 2);
    EXPECT_EQ(form.Renderer->Cube->RotateStep, 2);
    EXPECT_EQ(f.ComboBoxIdle->currentText(), "Через 10 минут");
    EXPECT_EQ(form.Renderer->Cube->IdleTimeout, 600000);
    EXPECT_FALSE(f.CheckBoxUpdateTop->isChecked());
    EXPECT_EQ(f.ColorBoxLeft->currentText(), "Оливковый");
    EXPECT_EQ(f.ColorBoxBG->currentText(), "Серый");
}

TEST(OptionsDialog, framesClearToTheChosenBackgroundWithAndWithoutAveraging) {
    Game g;
    g.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.form));
    g.form.DrawTimerTimer();
    Choose(g.form.OptionsForm->ColorBoxBG, "Бордовый");
    EXPECT_TRUE(g.form.Renderer->NeedsFrame()) << "a new background needs a frame";
    for (int passes : {1, 4}) {
        g.form.Renderer->PassCount = passes;
        g.form.DrawTimerTimer();
        g.form.Renderer->RenderFrame();
        const QImage frame = ReadViewport();
        ASSERT_FALSE(frame.isNull());
        const QPoint corners[4] = {{0, 0},
                                   {frame.width() - 1, 0},
                                   {0, frame.height() - 1},
                                   {frame.width() - 1, frame.height() - 1}};
        for (const QPoint& p : corners) {
            const QColor c = frame.pixelColor(p);
            EXPECT_NEAR(c.red(), 0x80, 1) << passes << " passes";
            EXPECT_NEAR(c.green(), 0, 1);
            EXPECT_NEAR(c.blue(), 0, 1);
        }
    }
}
