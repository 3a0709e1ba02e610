#pragma once
// A main window whose dialogs and message boxes are answered by the test, and whose idle
// clock only moves when the test moves it.

#include "app/mainform.h"
#include "render/qorgl.h"

#include <QFile>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdint>
#include <utility>

struct Game {
    QTemporaryDir dir;
    // The settings file the game starts from, when one is given.
    bool settingsWritten;
    TMainForm form{dir.filePath("quelmora")};
    QStringList messages;
    QList<QUrl> opened;
    QString openAnswer, saveAnswer, proposed;
    QList<std::pair<int, int>> wins;
    int loginsAsked = 0;
    int64_t now = 0;

    explicit Game(const QByteArray& settings = QByteArray())
        : settingsWritten(settings.isEmpty() ||
                          WriteSettings(dir.filePath("quelmora.ini"), settings)) {
        form.MessageBox = [this](QMessageBox::Icon, const QString&, const QString& text) {
            messages << text;
        };
        form.AskOpenFileName = [this] { return openAnswer; };
        form.AskSaveFileName = [this](const QString& p) {
            proposed = p;
            return saveAnswer;
        };
        form.OpenUrl = [this](const QUrl& url) { opened << url; };
        form.GameWon = [this](int seconds, int shuffles) {
            wins << std::make_pair(seconds, shuffles);
        };
        form.IdleClock = [this] { return now; };
        form.AskLogin = [this] { ++loginsAsked; };
        form.DrawPanelKeyDown();
        form.Renderer->Cube->RotateStep = 45;
    }
    QORBigCube& Cube() { return *form.Renderer->Cube; }
    QString Clock() const { return form.TimerPanel->text(); }
    void Release() { form.DrawPanelMouseUp(0, 0, 0); }
    // Moves the idle clock on in timer ticks of 10 ms.
    void Idle(int64_t ms) {
        for (int64_t end = now + ms; now < end;) {
            now += 10;
            form.DrawTimerTimer();
        }
    }

private:
    static bool WriteSettings(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
};
