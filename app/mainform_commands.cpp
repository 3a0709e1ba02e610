// The main window's commands: the game and its clock, saved games, the view toggles, help.

#include "app/mainform.h"

#include "app/qorgameclock.h"
#include "cube/qorsavefile.h"
#include "dialogs/about.h"
#include "dialogs/options.h"
#include "render/qorgl.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

void TMainForm::Tell(const QString& text) {
    MessageBox(QMessageBox::Warning, QLatin1String(ProgramTitle), text);
}

void TMainForm::N4Click() {
    GameSeconds = 0;
    GameShuffles = Renderer->Cube->ShuffleCount;
    TimerPanel->setText(ClockText(0));
    Renderer->Cube->Reset();
    Renderer->Cube->Shuffle(GameShuffles);
    // Restarting a running timer would restart its period too.
    if (!GameTimer->isActive())
        GameTimer->start();
}

void TMainForm::N5Click() {
    Renderer->Cube->Reset();
    StopClock();
}

void TMainForm::StopClock() {
    GameTimer->stop();
    GameSeconds = 0;
    TimerPanel->setText(ClockText(0));
}

void TMainForm::GameTimerTimer() {
    ++GameSeconds;
    TimerPanel->setText(ClockText(GameSeconds));
}

void TMainForm::DrawPanelMouseUp(int, int, int) {
    PanelPressed = false;
    PressStoppedRotation = false;
    IdleRotation.Input(IdleClock());
    Renderer->MouseUp();
    Renderer->PassCount = Renderer->DrawQuality;
    if (!GameTimer->isActive() || !Renderer->Cube->IsSolved())
        return;
    GameTimer->stop();
    MessageBox(QMessageBox::NoIcon, QLatin1String(ProgramTitle),
               QStringLiteral("Поздравляю! Ты сделал это!"));
    SubmitResult(GameSeconds, GameShuffles);
    if (GameWon)
        GameWon(GameSeconds, GameShuffles);
    TimerPanel->setText(ClockText(0));
}

void TMainForm::N7Click() {
    const QString chosen = AskOpenFileName();
    if (!chosen.isEmpty()) {
        QString error;
        // A file that is no saved game changes nothing, and is not taken as the game file,
        // so a later save cannot overwrite it.
        if (Renderer->Cube->Load(chosen, &error))
            CurrentGameFile = chosen;
        else
            Tell(QStringLiteral("Не удалось открыть игру из файла %1: %2")
                     .arg(QDir::toNativeSeparators(chosen), error));
    }
    setWindowTitle(CaptionWithFile(CurrentGameFile));
    StopClock();
}

void TMainForm::N8Click() {
    if (CurrentGameFile.isEmpty() || !QFileInfo(CurrentGameFile).isFile()) {
        N9Click();
        return;
    }
    SaveGame(CurrentGameFile);
}

bool TMainForm::SaveGame(const QString& path) {
    QString error;
    if (Renderer->Cube->Save(path, &error))
        return true;
    Tell(QStringLiteral("Не удалось сохранить игру в файл %1: %2")
             .arg(QDir::toNativeSeparators(path), error));
    return false;
}

void TMainForm::N9Click() {
    const QString chosen = AskSaveFileName(ProposedGameFileName(QDateTime::currentDateTime()));
    if (chosen.isEmpty())
        return;
    if (!SaveGame(chosen))
        return;
    CurrentGameFile = chosen;
    setWindowTitle(CaptionWithFile(CurrentGameFile));
}

void TMainForm::N11Click() {
    OptionsForm->exec();
}

void TMainForm::N13Click() {
    close();
}

void TMainForm::N14Click() {
    ToolBarButton->setVisible(N14->isChecked());
}

void TMainForm::N15Click() {
    statusBar()->setVisible(N15->isChecked());
}

void TMainForm::N16Click() {
    const QFileInfo help(QStringLiteral("readme.htm"));
    if (help.isFile())
        OpenUrl(QUrl::fromLocalFile(help.absoluteFilePath()));
}

void TMainForm::N18Click() {
    AboutForm->exec();
}

void TMainForm::URLClick() {
    OpenUrl(QUrl(QLatin1String(ProgramWebAddress)));
}
