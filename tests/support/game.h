#pragma once
// A main window over a settings file of the test's, whose dialogs and message boxes are
// answered by the test and whose idle clock only moves when the test moves it.

#include "app/mainform.h"
#include "app/qorviewcontroller.h"
#include "cube/qorgame.h"

#include "support/testutil.h"

#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdint>

struct Game {
    QTemporaryDir dir;
    // The settings file the game starts from, when one is given; written before the window.
    bool written;
    // A solve history of this game's own.
    bool dataHere = (qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()), true);
    TMainForm form{dir.filePath("quelmora")};
    QStringList messages;
    QList<QUrl> opened;
    QString openAnswer, saveAnswer, proposed;
    int loginsAsked = 0;
    int64_t now = 0;

    explicit Game(const QByteArray& settings = QByteArray())
        : written(settings.isEmpty() || (WriteAll(dir.filePath("quelmora.ini"), settings), true)) {
        form.MessageBox = [this](QMessageBox::Icon, const QString&, const QString& text) {
            messages << text;
        };
        form.AskOpenFileName = [this] { return openAnswer; };
        form.AskSaveFileName = [this](const QString& p) {
            proposed = p;
            return saveAnswer;
        };
        form.OpenUrl = [this](const QUrl& url) { opened << url; };
        form.AskLogin = [this] { ++loginsAsked; };
        form.View->IdleClock = [this] { return now; };
        form.View->KeyDown();
        form.Settings.RotateStep = 45;
    }
    QORBigCube& Cube() { return form.Game->Cube; }
    QString Clock() const { return form.TimerPanel->text(); }
    QString Status() const { return form.StatusPanels[1]->text(); }
    void Release() { form.DrawPanelMouseUp(0, 0, 0); }
    // Moves the idle clock on in draw-timer ticks of 10 ms.
    void Idle(int64_t ms) {
        for (int64_t end = now + ms; now < end;) {
            now += 10;
            form.DrawTimerTimer();
        }
    }
};
