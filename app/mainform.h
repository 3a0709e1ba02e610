#pragma once
// The main window: menu and button tool bars, the drawing panel with the game clock, the
// status bar, the settings, and the game's state.

#include "app/qorprogram.h"
#include "render/qoridlerotation.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QORDrawPanel;
class QORGL;
class QTimer;
class QToolBar;
class QUrl;
class QTcpSocket;
class TAboutForm;
class TLoginForm;
class TPlayersForm;
class TOptionsForm;
struct QORSettings;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // exePath decides where the settings file lies; empty means this executable.
    explicit TMainForm(const QString& exePath = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    QORGL* Renderer = nullptr;
    int GameSeconds = 0;
    int GameShuffles = 0;
    QString UserName;
    QString Password;
    QString HostName;
    int HostPort = 0;
    bool ShowLogin = true;
    bool UpdateTopList = true;
    bool SavePassword = false;
    QString CurrentGameFile;

    QToolBar* ToolBarMenu = nullptr;
    QToolBar* ToolBarButton = nullptr;
    QFrame* DrawPanelFrame = nullptr;
    QORDrawPanel* DrawPanel = nullptr;
    QWidget* DrawPanelHost = nullptr;
    QLabel* TimerPanel = nullptr;
    std::array<QLabel*, 3> StatusPanels{};
    QTimer* DrawTimer = nullptr;
    QTimer* GameTimer = nullptr;
    TOptionsForm* OptionsForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TLoginForm* LoginForm = nullptr;
    TPlayersForm* PlayersForm = nullptr;
    QTcpSocket* ClientSocket = nullptr;
    QAction *N4 = nullptr, *N5 = nullptr, *N7 = nullptr, *N8 = nullptr, *N9 = nullptr,
            *N11 = nullptr, *N13 = nullptr, *N14 = nullptr, *N15 = nullptr, *N16 = nullptr,
            *N18 = nullptr, *N20 = nullptr, *N21 = nullptr, *URL = nullptr;

    // What reaches the player through the desktop; tests replace them so nothing blocks.
    std::function<void(QMessageBox::Icon icon, const QString& caption, const QString& text)>
        MessageBox;
    std::function<QString()> AskOpenFileName;
    std::function<QString(const QString& proposed)> AskSaveFileName;
    std::function<void(const QUrl&)> OpenUrl;
    // Told of each won game, after its result went to the score server.
    std::function<void(int seconds, int shuffles)> GameWon;
    // Shows the login dialog modally.
    std::function<void()> AskLogin;
    // Milliseconds of a steady clock for the idle rotation; tests drive it.
    std::function<int64_t()> IdleClock;
    QORIdleRotation IdleRotation;

    QString SettingsReadPath() const { return ReadPath; }
    QString SettingsWritePath() const { return WritePath; }
    // Writes every setting; tells the player and returns false when the file cannot be written.
    bool WriteSettingsFile();

    void DrawTimerTimer();
    void DrawPanelResize(int width, int height);
    void DrawPanelMouseDown(int x, int y, int shift);
    void DrawPanelMouseMove(int x, int y, int shift);
    void DrawPanelMouseUp(int x, int y, int shift);
    void DrawPanelExpose();
    void DrawPanelKeyDown();
    void GameTimerTimer();

    // The score-server client: one connection, its state shown in the status bar.
    void ConnectToServer();
    void ClientSocketConnect();
    void ClientSocketRead();
    void ClientSocketError();
    void ClientSocketDisconnect();
    // Sends a solved game's time and shuffle length while connected; nothing is kept for later.
    void SubmitResult(int seconds, int shuffles);

    void N4Click();
    void N5Click();
    void N7Click();
    void N8Click();
    void N9Click();
    void N11Click();
    void N20Click();
    void N21Click();
    void N13Click();
    void N14Click();
    void N15Click();
    void N16Click();
    void N18Click();
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
    void PlaceTimerPanel();
    void ApplySettings(const QORSettings& s);
    QORSettings CollectSettings() const;
    void StopClock();
    void CreateClient();
    void SetStatus(const QString& text);
    void Send(const QString& message);
    void Tell(const QString& text);
    // Tells the player when it fails; the old file, if any, is left whole.
    bool SaveGame(const QString& path);

    QString ExePath;
    QString ReadPath;
    QString WritePath;
    bool Shown = false;
    bool PanelPressed = false;
    // A press that stopped the idle rotation turns no layer until its release.
    bool PressStoppedRotation = false;
};
