#pragma once
// A main window over a settings file of the test's, whose dialogs and message boxes are
// answered by the test and whose idle clock only moves when the test moves it.

#include "app/mainform.h"
#include "app/qorviewcontroller.h"
#include "game/qorgame.h"

#include "support/testutil.h"

#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

struct Game {
    QTemporaryDir dir;
    // Written before the window: the settings file the game starts from, when one is given,
    // and a file in the way of the solve history's folder, when the history is to fail.
    bool written;
    // A solve history of this game's own.
    bool dataHere = (qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()), true);
    TMainForm form{dir.filePath("quelmora")};
    QStringList messages;
    QString openAnswer, saveAnswer, proposed;
    int loginsAsked = 0;
    int64_t now = 0;

    explicit Game(const QByteArray& settings = QByteArray(), bool historyFails = false)
        : written(
              (settings.isEmpty() || (WriteAll(dir.filePath("quelmora.ini"), settings), true)) &&
              (!historyFails || (WriteAll(dir.filePath("data"), "not a folder"), true))) {
        form.MessageBox = [this](auto, const auto&, const QString& text) { messages << text; };
        form.AskOpenFileName = [this] { return openAnswer; };
        form.AskSaveFileName = [this](const QString& p) {
            proposed = p;
            return saveAnswer;
        };
        form.AskLogin = [this] { ++loginsAsked; };
        form.View->IdleClock = [this] { return now; };
        form.View->KeyDown();
        form.Settings.RotateStep = 45;
        form.Settings.ShuffleCount = 0; // a new game starts solved: its first release wins
    }
    QORBigCube& Cube() { return form.Game->Cube; }
    QString Clock() const { return form.TimerPanel->text(); }
    QString Status() const { return form.StatusPanels[1]->text(); }
    void Release() { form.DrawPanelMouseUp(0, 0, 0); }
    // Starts a game from the menu, lets its clock run and releases: with no shuffle, a win.
    void Win(int seconds) {
        form.N4->trigger();
        for (int i = 0; i < seconds; ++i)
            form.GameTimerTimer();
        Release();
    }
    // Moves the idle clock on in draw-timer ticks of 10 ms.
    void Idle(int64_t ms) {
        for (int64_t end = now + ms; now < end;) {
            now += 10;
            form.DrawTimerTimer();
        }
    }
};
