#pragma once
// The main window: menu and button tool bars, the drawing panel with the game clock, and the
// status bar. It shows what the game, the view and the score-server client report, forwards
// the player's commands to them, and shows the dialogs.

#include "settings/qorsettings.h"
#include "settings/qorsettingsfile.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QORDrawPanel;
class QORGame;
class QORAnalysis;
class QORDailyChallenge;
class QORHelp;
class QORHint;
class QORKeyboard;
class QORPlayerChoices;
class QORReplay;
class QORResults;
class QORScoreClient;
class QORSolverService;
class QORVerifiedGame;
class QORViewController;
class QToolBar;
class TAboutForm;
class TLoginForm;
class TPlayersForm;
class TStatsForm;
class TOptionsForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // exePath decides where the settings file lies; empty means this executable.
    explicit TMainForm(const QString& exePath = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    // This executable, or the one a test names: it decides where the settings file and an
    // installed help page lie.
    const QString ExePath;
    QORSettingsFile SettingsFile;
    // The live settings: read once at start, shared by everything below, written at exit.
    QORSettings Settings;
    QORGame* Game = nullptr;
    QORViewController* View = nullptr;
    QORKeyboard* Keyboard = nullptr;
    QORScoreClient* Client = nullptr;
    QORHelp* Help = nullptr;
    QORResults* Results = nullptr;
    QORReplay* Replay = nullptr;
    QORVerifiedGame* Verified = nullptr;
    // The game's one solver, for everyone here that needs one: its tables are built once. And
    // whether a new game deals a random state, which the options dialog changes.
    QORSolverService* Solver = nullptr;
    std::unique_ptr<QORPlayerChoices> Choices;
    QORHint* Hint = nullptr;
    QORDailyChallenge* Daily = nullptr;
    QORAnalysis* Analysis = nullptr;

    QToolBar* ToolBarMenu = nullptr;
    QToolBar* ToolBarButton = nullptr;
    QFrame* DrawPanelFrame = nullptr;
    QORDrawPanel* DrawPanel = nullptr;
    QLabel* TimerPanel = nullptr;
    std::array<QLabel*, 3> StatusPanels{};
    // The clock panel's width for its seconds; a verified win's hundredths widen it.
    static constexpr int ClockWidth = 90;
    // The clock's own colour; its warnings are red.
    static constexpr QRgb ClockColour = 0xA6CAF0;
    TOptionsForm* OptionsForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TLoginForm* LoginForm = nullptr;
    TPlayersForm* PlayersForm = nullptr;
    TStatsForm* StatsForm = nullptr;
    QAction *N4 = nullptr, *N5 = nullptr, *N7 = nullptr, *N8 = nullptr, *N9 = nullptr,
            *N11 = nullptr, *N13 = nullptr, *N14 = nullptr, *N15 = nullptr, *N16 = nullptr,
            *N18 = nullptr, *N20 = nullptr, *N21 = nullptr, *N22 = nullptr, *N23 = nullptr, *N24 = nullptr,
            *N25 = nullptr, *URL = nullptr;

    // What reaches the player through the desktop; tests replace them so nothing blocks.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>
        MessageBox;
    std::function<QString()> AskOpenFileName;
    std::function<QString(const QString& proposed)> AskSaveFileName;
    // Shows the login dialog modally.
    std::function<void()> AskLogin;

    void DrawTimerTimer();
    void DrawPanelResize(int width, int height);
    void DrawPanelMouseDown(int x, int y, int shift);
    void DrawPanelMouseMove(int x, int y, int shift);
    void DrawPanelMouseUp(int x, int y, int shift);
    void DrawPanelExpose();
    // A key on the main window or its panel: a move, or the end of the idle rotation.
    void DrawPanelKeyDown(QKeyEvent* event);
    void GameTimerTimer();

    void N4Click();
    void N5Click();
    void N7Click();
    void N8Click();
    void N9Click();
    void N11Click();
    void N13Click();
    void N14Click();
    void N15Click();
    void N16Click();
    void N18Click();
    void N20Click();
    void N21Click();
    void N22Click();
    void N23Click();
    void N24Click();
    void N25Click();
    void URLClick();
    void ToolButton1Click() { N4Click(); }
    void ToolButton2Click() { N7Click(); }
    void ToolButton3Click() { N8Click(); }
    void ToolButton4Click() { N5Click(); }
    void ToolButton6Click() { N11Click(); }
    void ToolButton7Click() { N16Click(); }
    void ToolButton9Click() { N13Click(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void CreateMenu();
    void CreateButtons();
    void CreateDrawPanel();
    void CreateStatusBar();
    void ConnectParts();
    void PlaceTimerPanel();
    void GameWon();
    // The inspection ran out: the DNF is kept, and a daily try is given up.
    void GameDidNotFinish();
    // The first panel: the move count while a game runs, with the time and the pace once it is
    // won; the third: what is worth knowing about the solve just won.
    void ShowMoves();
    void FitStatusPanels();
    void Tell(const QString& text);

    bool Shown = false;
    // What went wrong while starting (the settings file, the solve history), told once the
    // window is up.
    QStringList StartProblems;
};
