#pragma once
// The options dialog. It has no Cancel: every change goes into the live settings at once, and
// the settings file is written when the game ends.

#include <QDialog>

struct QORSettings;
class QORPlayerChoices;

#include <array>
#include <utility>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QORColorBox;
class QORSchemeBox;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    // Fills the controls from the settings and the random-state choice, once.
    TOptionsForm(QORSettings& settings, QORPlayerChoices& choices,
                 QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr;
    QPushButton* ButtonOK = nullptr;

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    // The spin box's own arrows are the up-down.
    QSpinBox* EditShuffle = nullptr;
    // On, a new game deals a random state and the shuffle length is not used.
    QCheckBox* CheckBoxRandomState = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QSlider* TrackBarQuality = nullptr;
    QCheckBox* CheckBoxUpdateTop = nullptr;
    // On, a new game begins with the competition's inspection; kept at once.
    QCheckBox* CheckBoxInspection = nullptr;

    QORColorBox *ColorBoxFront = nullptr, *ColorBoxBack = nullptr, *ColorBoxLeft = nullptr,
                *ColorBoxRight = nullptr, *ColorBoxTop = nullptr, *ColorBoxBottom = nullptr,
                *ColorBoxSpace = nullptr, *ColorBoxBG = nullptr;
    // Sets the six face colours at once, and shows which set the boxes make.
    QORSchemeBox* ComboBoxScheme = nullptr;
    QCheckBox* CheckBoxSymbols = nullptr;

    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    QComboBox* ComboBoxIdle = nullptr;
    QSlider* TrackBarRSpeed = nullptr;

    void EditShuffleChange();
    void ColorBoxFrontChange() { StoreColor(ColorBoxFront); }
    void ColorBoxBackChange() { StoreColor(ColorBoxBack); }
    void ColorBoxLeftChange() { StoreColor(ColorBoxLeft); }
    void ColorBoxRightChange() { StoreColor(ColorBoxRight); }
    void ColorBoxTopChange() { StoreColor(ColorBoxTop); }
    void ColorBoxBottomChange() { StoreColor(ColorBoxBottom); }
    void ColorBoxSpaceChange() { StoreColor(ColorBoxSpace); }
    void ColorBoxBGChange() { StoreColor(ColorBoxBG); }
    void TrackBarQualityChange();
    void TrackBarRSpeedChange();
    void ComboBoxIdleChange();
    void CheckBoxUpdateTopClick();
    void CheckBoxRandomStateClick();
    void ComboBoxSchemePick(int scheme);
    void CheckBoxSymbolsClick();
    void ButtonOKClick();

signals:
    // OK: the cubies should take the colours now in the settings.
    void ApplyColors();
    // A setting changed, which may change the picture or when the view turns by itself.
    void Changed();

private:
    void CreateGamePage();
    void CreateColorPage();
    void CreateRotationPage();
    void AddInspectionChoice();
    void FormCreate();
    void Connect();
    // Puts the box's colour into its ColorTable slot; the cubies take it at OK or a reset.
    void StoreColor(const QORColorBox* box);
    // The colour boxes with their ColorTable slots, in the order they are filled.
    std::array<std::pair<QORColorBox*, int>, 8> ColorBoxes() const;

    QORSettings& Settings;
    QORPlayerChoices& Choices;
};
