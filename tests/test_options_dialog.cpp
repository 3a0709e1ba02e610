// The options dialog on a plain settings value: what it shows, what each control writes at
// once, and what OK asks of the cubies.
#include "dialogs/options.h"
#include "dialogs/qorcolorbox.h"
#include "dialogs/qorcolourschemes.h"
#include "dialogs/qorplayerchoices.h"

#include "settings/qorsettingsfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Chooses an item as the player does: the item, then the box's own signal.
void Choose(QORColorBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

} // namespace

TEST(OptionsDialog, controlsShowTheSettingsTheyAreGivenAndUnmappedValuesStayUntilMoved) {
    QORSettings s;
    s.ShuffleCount = 77;
    s.RotateStep = 30;
    s.IdleTimeout = 180000;
    s.UpdateTopList = false;
    s.ColorTable[1] = RGBFromColorValue(0x000000FF);
    s.ColorTable[2] = RGBFromColorValue(0x00123456);
    s.DrawQuality = 7; // no slider position stands for it
    QTemporaryDir dir;
    QORPlayerChoices(dir.filePath("state.ini")).Set(QORPlayerChoices::RandomState, true);
    QORPlayerChoices choice(dir.filePath("state.ini"));
    TOptionsForm f(s, choice);
    EXPECT_EQ(std::tuple(f.EditShuffle->value(), f.TrackBarRSpeed->value(),
                         f.ComboBoxIdle->currentText(), f.CheckBoxUpdateTop->isChecked(),
                         f.ColorBoxFront->currentText(), f.CheckBoxRandomState->isChecked(),
                         f.EditShuffle->isEnabled(), f.ComboBoxScheme->currentText(),
                         f.CheckBoxSymbols->isChecked()),
              std::tuple(77, 8, QString("Через 3 минуты"), false, QString("Красный"), true, false,
                         QString("Своя"), false));
    EXPECT_EQ(f.ColorBoxBack->currentIndex(), 0) << "an unnamed colour shows in the first entry";
    EXPECT_EQ(f.ColorBoxBack->Selected(), 0x00123456u);
    EXPECT_EQ(f.TrackBarQuality->value(), 1);
    EXPECT_EQ(s.DrawQuality, 7) << "showing the form changes nothing";
}

TEST(OptionsDialog, everyControlWritesItsValueAtOnceAndTheFirstColourEntryAsksForAnyColour) {
    QORSettings s;
    QTemporaryDir dir;
    QORPlayerChoices choice(dir.filePath("state.ini"));
    TOptionsForm f(s, choice);
    // The first colour entry asks for any colour, and a cancel keeps the old one.
    QORColorBox* box = f.ColorBoxSpace;
    QList<QColor> asked;
    std::optional<QColor> answer = QColor(1, 2, 3);
    box->AskColor = [&](const QColor& initial) {
        asked << initial;
        return answer;
    };
    Choose(box, 0);
    EXPECT_EQ(asked, QList<QColor>{QColor(0x35, 0x35, 0x48)}) << "starting from the body colour";
    EXPECT_EQ(ColorValueFromRGB(s.ColorTable[0]), 0x00030201u);
    Choose(box, box->findText("Белый"));
    answer.reset();
    Choose(box, 0);
    EXPECT_EQ(box->currentText(), "Белый");
    EXPECT_EQ(ColorValueFromRGB(s.ColorTable[0]), 0x00FFFFFFu);
    answer = QColor(255, 255, 0);
    Choose(box, 0);
    EXPECT_EQ(box->currentText(), "Жёлтый") << "a chosen colour that has a name shows by name";
    const std::tuple<QSlider*, int, int QORSettings::*, int> sliders[] = {
        {f.TrackBarQuality, 7, &QORSettings::DrawQuality, 8},
        {f.TrackBarQuality, 10, &QORSettings::DrawQuality, 16},
        {f.TrackBarRSpeed, 4, &QORSettings::RotateStep, 5},
        {f.TrackBarRSpeed, 9, &QORSettings::RotateStep, 45}};
    for (const auto& [slider, position, field, value] : sliders) {
        slider->setValue(position);
        EXPECT_EQ(s.*field, value) << position;
    }
    f.EditShuffle->setValue(5000);
    EXPECT_EQ(s.ShuffleCount, 1000) << "the up-down keeps to its range";
    f.ComboBoxIdle->setCurrentIndex(13);
    EXPECT_EQ(s.IdleTimeout, 1800000);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    // A click anywhere on the wrapped caption ticks the box.
    QTest::mouseClick(f.CheckBoxUpdateTop, Qt::LeftButton, {}, QPoint(150, 30));
    EXPECT_FALSE(s.UpdateTopList);
    QTest::mouseClick(f.CheckBoxRandomState, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(QORPlayerChoices(dir.filePath("state.ini")).On(QORPlayerChoices::RandomState))
        << "kept at once";
    EXPECT_FALSE(f.EditShuffle->isEnabled());
    QTest::mouseClick(f.CheckBoxInspection, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(QORPlayerChoices(dir.filePath("state.ini")).On(QORPlayerChoices::Inspection));
    EXPECT_EQ(QSettings(dir.filePath("state.ini"), QSettings::IniFormat).allKeys().size(), 2);
    const std::tuple<QORColorBox*, int> boxes[] = {
        {f.ColorBoxFront, 1}, {f.ColorBoxBottom, 6}, {f.ColorBoxSpace, 0}, {f.ColorBoxBG, 7}};
    for (const auto& [box, slot] : boxes) {
        Choose(box, 5 + slot);
        EXPECT_EQ(ColorValueFromRGB(s.ColorTable[slot]), box->itemData(5 + slot).toUInt()) << slot;
    }
    // OK asks the cubies for the new colours; the close button does not.
    QSignalSpy apply(&f, &TOptionsForm::ApplyColors);
    f.close();
    EXPECT_EQ(apply.count(), 0);
    f.show();
    f.ButtonOK->click();
    EXPECT_EQ(apply.count(), 1);
}

TEST(OptionsDialog, aSchemeSetsTheSixFaceBoxesWhichStayEditableAndTheFileKeepsItsForm) {
    QORSettings s;
    QTemporaryDir dir;
    QORPlayerChoices choice(dir.filePath("state.ini"));
    TOptionsForm f(s, choice);
    EXPECT_EQ(f.ComboBoxScheme->currentText(), "Обычная");
    QSignalSpy changed(&f, &TOptionsForm::Changed);
    f.ComboBoxScheme->setCurrentIndex(2);
    emit f.ComboBoxScheme->activated(2);
    EXPECT_EQ(std::pair(f.ColorBoxBack->currentText(), int(changed.count())),
              std::pair(QString("Синий"), 1));
    EXPECT_EQ(ColorValueFromRGB(s.ColorTable[0]), DefaultColorValues[0]) << "the body is no face";
    // An edit after the scheme works as ever, and the box tells the colours are the player's.
    Choose(f.ColorBoxTop, f.ColorBoxTop->findText("Белый"));
    EXPECT_EQ(std::pair(ColorValueFromRGB(s.ColorTable[5]), f.ComboBoxScheme->currentText()),
              std::pair(0x00FFFFFFu, QString("Своя")));
    Choose(f.ColorBoxTop, f.ColorBoxTop->findText("Жёлтый"));
    EXPECT_EQ(f.ComboBoxScheme->currentText(), "Контрастная");
    f.CheckBoxSymbols->click();
    EXPECT_TRUE(QORPlayerChoices(dir.filePath("state.ini")).On(QORPlayerChoices::StickerSymbols));
    EXPECT_EQ(changed.count(), 4) << "the picture follows the symbols at once";
    // The file holds the scheme's colours and keeps its bytes but for their values.
    QORSettingsFile file(dir.filePath("quelmora"), dir.filePath("user.ini"));
    const auto written = [&file](const QORSettings& settings) {
        QFile bytes(file.WritePath());
        EXPECT_TRUE(file.Write(settings) && bytes.open(QIODevice::ReadOnly));
        return QString::fromLatin1(bytes.readAll());
    };
    QString expected = written(QORSettings());
    for (const QString line : {"BackColor=clBlue", "LeftColor=clLime", "RightColor=clFuchsia",
                               "TopColor=clYellow", "BottomColor=clRed"})
        expected.replace(QRegularExpression(line.section('=', 0, 0) + "=[^\\r]*"), line);
    EXPECT_EQ(written(s), expected);
}
