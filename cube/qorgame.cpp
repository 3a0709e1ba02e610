#include "cube/qorgame.h"

#include "net/qorclocktext.h"

#include <QFileInfo>

QORGame::QORGame(const QORSettings& settings, QObject* parent)
    : QObject(parent), Cube(&settings), Settings(settings) {
    GameTimer.setInterval(1000);
    Cube.Reset();
}

void QORGame::NewGame() {
    ForgetGameFile();
    GameSeconds = 0;
    // A copy: changing the setting during the game does not change what it reports.
    GameShuffles = Settings.ShuffleCount;
    emit ClockChanged(ClockText(0));
    Cube.Reset();
    Cube.Shuffle(GameShuffles);
    // Restarting a running timer would restart its period too.
    if (!GameTimer.isActive())
        GameTimer.start();
}

void QORGame::Stop() {
    ForgetGameFile();
    Cube.Reset();
    StopClock();
}

void QORGame::ForgetGameFile() {
    // A new position is no longer the file's: a later save must ask for a name, not silently
    // replace the saved game.
    if (CurrentGameFile.isEmpty())
        return;
    CurrentGameFile.clear();
    emit GameFileForgotten();
}

void QORGame::StopClock() {
    GameTimer.stop();
    GameSeconds = 0;
    emit ClockChanged(ClockText(0));
}

void QORGame::GameTimerTimer() {
    ++GameSeconds;
    emit ClockChanged(ClockText(GameSeconds));
}

void QORGame::ButtonReleased() {
    if (!Running() || !Cube.IsSolved())
        return;
    GameTimer.stop();
    emit Won(GameSeconds, GameShuffles);
    // The final time stays in GameSeconds until the next game.
    emit ClockChanged(ClockText(0));
}

bool QORGame::Open(const QString& path, QString* error) {
    const bool loaded = !path.isEmpty() && Cube.Load(path, error);
    if (loaded)
        CurrentGameFile = path;
    StopClock();
    emit GameFileChanged(CurrentGameFile);
    return loaded || path.isEmpty();
}

bool QORGame::HasGameFile() const {
    return !CurrentGameFile.isEmpty() && QFileInfo(CurrentGameFile).isFile();
}

bool QORGame::Save(QString* error) {
    return Cube.Save(CurrentGameFile, error);
}

bool QORGame::SaveAs(const QString& path, QString* error) {
    if (!Cube.Save(path, error))
        return false;
    CurrentGameFile = path;
    emit GameFileChanged(CurrentGameFile);
    return true;
}
