#pragma once
// The main window: the drawing panel, the draw timer, the settings and the game's fields.

#include "app/qorprogram.h"

#include <QMainWindow>
#include <QString>

#include <functional>

class QORDrawPanel;
class QORGL;
class QTimer;
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

    QORDrawPanel* DrawPanel = nullptr;
    QWidget* DrawPanelHost = nullptr;
    QTimer* DrawTimer = nullptr;

    // How messages reach the player; tests replace it to keep boxes from blocking.
    std::function<void(const QString& text, const QString& caption)> MessageBox;

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

private:
    void FormCreate();
    void FormDestroy();
    void ApplySettings(const QORSettings& s);
    QORSettings CollectSettings() const;

    QString ExePath;
    QString ReadPath;
    QString WritePath;
    bool Destroyed = false;
};
