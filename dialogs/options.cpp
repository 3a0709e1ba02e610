#include "dialogs/options.h"

#include "dialogs/qorcolorbox.h"
#include "dialogs/qorcolourschemes.h"
#include "dialogs/qorfont.h"
#include "dialogs/qoroptionmaps.h"
#include "dialogs/qorplayerchoices.h"
#include "dialogs/qorwrappedcheckbox.h"
#include "settings/qorsettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

namespace {

QSlider* TrackBar(QWidget* parent, int last) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(1, last);
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    return slider;
}

} // namespace

TOptionsForm::TOptionsForm(QORSettings& settings, QORPlayerChoices& choices, QWidget* parent)
    : QDialog(parent), Settings(settings), Choices(choices) {
    setWindowTitle(tr("Параметры..."));
    setFont(FittingFont(Tahoma(FormFontPixels), {{tr("Перемешивать на"), 100}}));
    setFixedSize(287, 277);
    PageControl1 = new QTabWidget(this);
    PageControl1->setGeometry(4, 4, 277, 237);
    CreateGamePage();
    CreateColorPage();
    CreateRotationPage();
    PageControl1->setCurrentIndex(0);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setGeometry(204, 247, 75, 25);
    ButtonOK->setDefault(true);
    AddInspectionChoice();
    FormCreate();
    Connect();
}

void TOptionsForm::CreateGamePage() {
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, tr("Игра"));
    Label1 = new QLabel(tr("Перемешивать на"), TabSheet1);
    Label1->setGeometry(0, 9, 101, 21);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EditShuffle = new QSpinBox(TabSheet1);
    EditShuffle->setGeometry(104, 9, 57, 21);
    EditShuffle->setRange(QORSettingTable::ShuffleRotateCount.Min,
                          QORSettingTable::ShuffleRotateCount.Max);
    EditShuffle->setValue(25);
    Label2 = new QLabel(tr("поворотов"), TabSheet1);
    Label2->move(167, 12);
    CheckBoxRandomState = new QCheckBox(tr("Случайное состояние"), TabSheet1);
    CheckBoxRandomState->setGeometry(104, 33, 160, 21);

    GroupBox3 = new QGroupBox(tr(" Качество отображения (сглаживание): "), TabSheet1);
    GroupBox3->setGeometry(3, 57, 263, 89);
    Label11 = new QLabel(tr("Без сглаживания"), GroupBox3);
    Label11->move(11, 17);
    Label11->adjustSize();
    Label12 = new QLabel(tr("Выское качество"), GroupBox3);
    Label12->adjustSize();
    // The caption ends over the slider's right end, whatever width the font gives it.
    Label12->move(std::max(Label11->geometry().right() + 8, 255 - Label12->width()), 17);
    TrackBarQuality = TrackBar(GroupBox3, 10);
    TrackBarQuality->setGeometry(3, 36, 257, 45);
    TrackBarQuality->setValue(1);

    CheckBoxUpdateTop = new QORWrappedCheckBox(
        tr("Отправлять результат игры и обновлять топ-лист (требуется подключение к "
           "интернету)"),
        TabSheet1);
    CheckBoxUpdateTop->setGeometry(14, 152, 240, 46);
    CheckBoxUpdateTop->setChecked(true);
}

void TOptionsForm::AddInspectionChoice() {
    // A row of its own under the game page's last control: the dialog grows by it.
    const int row = 22;
    CheckBoxInspection = new QCheckBox(tr("Осмотр 15 секунд"), TabSheet1);
    CheckBoxInspection->setGeometry(14, CheckBoxUpdateTop->geometry().bottom() + 2, 240, row);
    CheckBoxInspection->setChecked(Choices.On(QORPlayerChoices::Inspection));
    setFixedSize(width(), height() + row);
    PageControl1->resize(PageControl1->width(), PageControl1->height() + row);
    ButtonOK->move(ButtonOK->x(), ButtonOK->y() + row);
    connect(CheckBoxInspection, &QCheckBox::clicked, this,
            [this](bool on) { Choices.Set(QORPlayerChoices::Inspection, on); });
}

void TOptionsForm::CreateColorPage() {
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet2, tr("Цвета"));
    const char* const captions[8] = {QT_TR_NOOP("Передняя грань:"), QT_TR_NOOP("Задняя грань:"),
                                     QT_TR_NOOP("Левая грань:"),    QT_TR_NOOP("Правая грань:"),
                                     QT_TR_NOOP("Верхняя грань:"),  QT_TR_NOOP("Нижняя грань:"),
                                     QT_TR_NOOP("Корпус:"),         QT_TR_NOOP("Фон:")};
    QORColorBox** boxes[8] = {&ColorBoxFront, &ColorBoxBack,   &ColorBoxLeft,  &ColorBoxRight,
                              &ColorBoxTop,   &ColorBoxBottom, &ColorBoxSpace, &ColorBoxBG};
    // The scheme above the boxes it sets, the symbols below them.
    ComboBoxScheme = new QORSchemeBox(TabSheet2);
    QWidget* rows[9] = {ComboBoxScheme};
    for (int i = 0; i < 8; ++i)
        rows[i + 1] = *boxes[i] = new QORColorBox(TabSheet2);
    for (int i = 0; i < 9; ++i) {
        const int top = 3 + 20 * i;
        auto* label = new QLabel(i ? tr(captions[i - 1]) : tr("Схема цветов:"), TabSheet2);
        label->setGeometry(4, top, 113, 20);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rows[i]->setGeometry(121, top, 145, 20);
        label->setBuddy(rows[i]);
    }
    CheckBoxSymbols = new QCheckBox(tr("Значки на наклейках"), TabSheet2);
    CheckBoxSymbols->setGeometry(121, 183, 145, 20);
}

void TOptionsForm::CreateRotationPage() {
    TabSheet3 = new QWidget;
    PageControl1->addTab(TabSheet3, tr("Вращение"));
    GroupBox1 = new QGroupBox(tr(" Свободное вращение при простое: "), TabSheet3);
    GroupBox1->setGeometry(3, 3, 263, 54);
    ComboBoxIdle = new QComboBox(GroupBox1);
    ComboBoxIdle->setGeometry(8, 20, 249, 24);
    for (const QORIdleChoice& choice : QORSettingTable::IdleChoices)
        ComboBoxIdle->addItem(QCoreApplication::translate("QORSettingTable", choice.Text),
                              choice.Milliseconds);
    ComboBoxIdle->setMaxVisibleItems(ComboBoxIdle->count());
    ComboBoxIdle->setCurrentIndex(6);
    GroupBox2 = new QGroupBox(tr(" Скорость вращения граней: "), TabSheet3);
    GroupBox2->setGeometry(3, 63, 263, 70);
    TrackBarRSpeed = TrackBar(GroupBox2, 9);
    TrackBarRSpeed->setGeometry(8, 16, 249, 45);
    TrackBarRSpeed->setValue(5);
}

std::array<std::pair<QORColorBox*, int>, 8> TOptionsForm::ColorBoxes() const {
    return {{{ColorBoxFront, 1},
             {ColorBoxBack, 2},
             {ColorBoxLeft, 3},
             {ColorBoxRight, 4},
             {ColorBoxTop, 5},
             {ColorBoxBottom, 6},
             {ColorBoxSpace, 0},
             {ColorBoxBG, 7}}};
}

void TOptionsForm::FormCreate() {
    EditShuffle->setValue(Settings.ShuffleCount);
    for (const auto& [box, slot] : ColorBoxes())
        box->Select(ColorValueFromRGB(Settings.ColorTable[std::size_t(slot)]));
    // Values no control stands for leave it at its default and stay as they are.
    const int idle = ComboBoxIdle->findData(Settings.IdleTimeout);
    if (idle >= 0)
        ComboBoxIdle->setCurrentIndex(idle);
    if (const std::optional<int> position = PositionForStep(Settings.RotateStep))
        TrackBarRSpeed->setValue(*position);
    if (const std::optional<int> position = PositionForQuality(Settings.DrawQuality))
        TrackBarQuality->setValue(*position);
    CheckBoxUpdateTop->setChecked(Settings.UpdateTopList);
    CheckBoxRandomState->setChecked(Choices.On(QORPlayerChoices::RandomState));
    EditShuffle->setEnabled(!Choices.On(QORPlayerChoices::RandomState));
    ComboBoxScheme->Show(Settings.ColorTable);
    CheckBoxSymbols->setChecked(Choices.On(QORPlayerChoices::StickerSymbols));
}

void TOptionsForm::Connect() {
    connect(EditShuffle, &QSpinBox::valueChanged, this, &TOptionsForm::EditShuffleChange);
    connect(ColorBoxFront, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxFrontChange);
    connect(ColorBoxBack, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxBackChange);
    connect(ColorBoxLeft, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxLeftChange);
    connect(ColorBoxRight, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxRightChange);
    connect(ColorBoxTop, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxTopChange);
    connect(ColorBoxBottom, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxBottomChange);
    connect(ColorBoxSpace, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxSpaceChange);
    connect(ColorBoxBG, &QORColorBox::Changed, this, &TOptionsForm::ColorBoxBGChange);
    connect(TrackBarQuality, &QSlider::valueChanged, this, &TOptionsForm::TrackBarQualityChange);
    connect(TrackBarRSpeed, &QSlider::valueChanged, this, &TOptionsForm::TrackBarRSpeedChange);
    connect(ComboBoxIdle, &QComboBox::currentIndexChanged, this, &TOptionsForm::ComboBoxIdleChange);
    connect(CheckBoxUpdateTop, &QCheckBox::clicked, this, &TOptionsForm::CheckBoxUpdateTopClick);
    connect(CheckBoxRandomState, &QCheckBox::clicked, this,
            &TOptionsForm::CheckBoxRandomStateClick);
    connect(ComboBoxScheme, &QORSchemeBox::Picked, this, &TOptionsForm::ComboBoxSchemePick);
    connect(CheckBoxSymbols, &QCheckBox::clicked, this, &TOptionsForm::CheckBoxSymbolsClick);
    connect(ButtonOK, &QPushButton::clicked, this, &TOptionsForm::ButtonOKClick);
}

void TOptionsForm::EditShuffleChange() {
    Settings.ShuffleCount = EditShuffle->value();
}

void TOptionsForm::StoreColor(const QORColorBox* box) {
    for (const auto& [each, slot] : ColorBoxes())
        if (each == box)
            Settings.ColorTable[std::size_t(slot)] = RGBFromColorValue(box->Selected());
    ComboBoxScheme->Show(Settings.ColorTable);
    emit Changed();
}

void TOptionsForm::ComboBoxSchemePick(int scheme) {
    // The face boxes come first, in slot order.
    const auto boxes = ColorBoxes();
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& [box, slot] = boxes[i];
        box->Select(QORColourSchemes::All[std::size_t(scheme)].Faces[i]);
        Settings.ColorTable[std::size_t(slot)] = RGBFromColorValue(box->Selected());
    }
    emit Changed();
}

void TOptionsForm::CheckBoxSymbolsClick() {
    Choices.Set(QORPlayerChoices::StickerSymbols, CheckBoxSymbols->isChecked());
    emit Changed();
}

void TOptionsForm::TrackBarQualityChange() {
    Settings.DrawQuality = QualityForPosition(TrackBarQuality->value());
    emit Changed();
}

void TOptionsForm::TrackBarRSpeedChange() {
    Settings.RotateStep = StepForPosition(TrackBarRSpeed->value());
}

void TOptionsForm::ComboBoxIdleChange() {
    Settings.IdleTimeout = ComboBoxIdle->currentData().toInt();
    emit Changed();
}

void TOptionsForm::CheckBoxUpdateTopClick() {
    Settings.UpdateTopList = CheckBoxUpdateTop->isChecked();
}

void TOptionsForm::CheckBoxRandomStateClick() {
    Choices.Set(QORPlayerChoices::RandomState, CheckBoxRandomState->isChecked());
    // A random state has no length: the up-down says so by standing aside.
    EditShuffle->setEnabled(!Choices.On(QORPlayerChoices::RandomState));
}

void TOptionsForm::ButtonOKClick() {
    emit ApplyColors();
    accept();
}
