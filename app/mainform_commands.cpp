// The main window's commands and the drawing panel's events, each handed to the game, the view
// or the score-server client.

#include "app/mainform.h"

#include "app/qordaily.h"
#include "app/qorhelp.h"
#include "app/qorhint.h"
#include "app/qorkeyboard.h"
#include "app/qorresults.h"
#include "app/qorscoreclient.h"
#include "app/qorverifiedgame.h"
#include "app/qorviewcontroller.h"
#include "game/qorgame.h"
#include "model/qorsavefile.h"
#include "dialogs/about.h"
#include "dialogs/options.h"
#include "dialogs/players.h"
#include "dialogs/qorprogram.h"
#include "dialogs/stats.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStatusBar>
#include <QToolBar>

void TMainForm::Tell(const QString& text) {
    MessageBox(QMessageBox::Warning, QLatin1String(ProgramTitle), text);
}

void TMainForm::DrawTimerTimer() {
    View->DrawTimerTimer();
}

void TMainForm::DrawPanelResize(int width, int height) {
    View->Resize(width, height);
}

void TMainForm::DrawPanelExpose() {
    View->Expose();
}

void TMainForm::DrawPanelKeyDown(QKeyEvent* event) {
    View->KeyDown();
    event->setAccepted(Keyboard->KeyPress(*event));
}

void TMainForm::DrawPanelMouseDown(int x, int y, int shift) {
    View->MouseDown(x, y, shift);
}

void TMainForm::DrawPanelMouseMove(int x, int y, int shift) {
    View->MouseMove(x, y, shift);
}

void TMainForm::DrawPanelMouseUp(int, int, int) {
    // The drag ends before the solved test, so it sees the cube after the last turn.
    View->MouseUp();
    Game->ButtonReleased();
}

void TMainForm::GameTimerTimer() {
    Game->GameTimerTimer();
}

void TMainForm::GameWon() {
    // The solve is on disk before the congratulation, which the player may never close.
    QString problem;
    if (Results->Record(&problem))
        Analysis->Analyse(Results->LastId(), Game->Scramble);
    else
        Tell(problem);
    ShowMoves();
    MessageBox(QMessageBox::NoIcon, QLatin1String(ProgramTitle), tr("Поздравляю! Ты сделал это!"));
    Results->Submit();
}

void TMainForm::GameDidNotFinish() {
    QString problem;
    if (!Results->Record(&problem))
        Tell(problem);
    Daily->Forfeit();
}

void TMainForm::N4Click() {
    // Leaving the day's only try, by a new game as by "Стоп!", gives it up, so it asks first:
    // a try left open would be dealt again to be played once more.
    if (Daily->Playing()) {
        Daily->AskGiveUp(this);
        return;
    }
    Keyboard->Clear();
    Daily->Cancel();
    Verified->NewGame();
}

void TMainForm::N5Click() {
    // The daily try is the day's only one: it ends only when the player says so.
    if (Daily->Playing()) {
        Daily->AskGiveUp(this);
        return;
    }
    Keyboard->Clear();
    Daily->Cancel();
    Verified->Cancel();
    Game->Stop();
}

void TMainForm::N22Click() {
    Keyboard->Press(QORKeyboard::Command::Undo);
}

void TMainForm::N23Click() {
    Keyboard->Press(QORKeyboard::Command::Redo);
}

void TMainForm::N25Click() {
    Hint->Request();
}

void TMainForm::N7Click() {
    if (Daily->Playing()) {
        Daily->AskGiveUp(this);
        return;
    }
    // A cancelled or refused open changes nothing: the running game goes on.
    const QString chosen = AskOpenFileName();
    if (chosen.isEmpty())
        return;
    QString error;
    if (Game->Open(chosen, &error)) {
        // A cube from a file is never verified: a shuffle still to come starts nothing.
        Verified->Cancel();
        Daily->Cancel();
        Keyboard->Clear();
    } else {
        Tell(tr("Не удалось открыть игру из файла %1: %2")
                 .arg(QDir::toNativeSeparators(chosen), error));
    }
}

void TMainForm::N8Click() {
    if (!Game->HasGameFile()) {
        N9Click();
        return;
    }
    QString error;
    if (!Game->Save(&error))
        Tell(tr("Не удалось сохранить игру в файл %1: %2")
                 .arg(QDir::toNativeSeparators(Game->CurrentGameFile), error));
}

void TMainForm::N9Click() {
    const QString chosen = AskSaveFileName(ProposedGameFileName(QDateTime::currentDateTime()));
    if (chosen.isEmpty())
        return;
    QString error;
    if (!Game->SaveAs(chosen, &error))
        Tell(tr("Не удалось сохранить игру в файл %1: %2")
                 .arg(QDir::toNativeSeparators(chosen), error));
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
    Help->ShowHelp();
}

void TMainForm::N18Click() {
    AboutForm->exec();
}

void TMainForm::N20Click() {
    AskLogin();
    Client->ConnectToServer();
}

void TMainForm::N21Click() {
    // The verified list's request goes first: an older server takes a message it does not
    // know, sent right after one of its own, as part of that one.
    Client->RequestTopList2();
    Client->RequestTopList2(QORProtocol::RandomKind);
    Client->RequestTopList2(QORProtocol::DailyKind);
    if (Client->RequestTopList())
        PlayersForm->ShowList();
}

void TMainForm::N24Click() {
    StatsForm->ShowStats();
}

void TMainForm::URLClick() {
    // The game has no site of its own yet: its address shows the help page.
    Help->ShowHelp();
}
