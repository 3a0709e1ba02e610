#include "cube/qorreplay.h"

#include "cube/qorgame.h"

QORReplay::QORReplay(QORGame& game, QObject* parent) : QObject(parent), Game(game) {
    Timer.setSingleShot(true);
    Timer.setInterval(0);
    connect(&Timer, &QTimer::timeout, this, &QORReplay::Next);
    connect(&game, &QORGame::MovesChanged, this, [this] {
        if (!Turning)
            Stop();
    });
}

bool QORReplay::Start(const QString& scramble, const QString& solution) {
    const std::optional<QList<QORMove>> s = ParseMoves(scramble), p = ParseMoves(solution);
    if (!s || !p)
        return false;
    Turning = true;
    Game.Stop();
    Turning = false;
    Turns = *s + *p;
    Scrambled = s->size();
    Done = 0;
    Playing = true;
    Timer.start();
    emit Progress();
    return true;
}

void QORReplay::Pause() {
    Playing = false;
    Timer.stop();
    emit Progress();
}

void QORReplay::Resume() {
    Playing = Active();
    if (Playing)
        Timer.start();
    emit Progress();
}

void QORReplay::Step() {
    Playing = false;
    Timer.stop();
    Next();
}

void QORReplay::Stop() {
    Playing = false;
    Timer.stop();
    Turns.clear();
    Done = Scrambled = 0;
    emit Progress();
}

void QORReplay::Next() {
    if (!Active() || Game.Cube.Busy)
        return;
    Turning = true;
    const bool finished = Game.Cube.Turn(Turns[Done]);
    Turning = false;
    // A new game or a closing window may have ended the replay while the turn was shown.
    if (Turns.isEmpty())
        return;
    if (!finished) {
        Stop();
        return;
    }
    ++Done;
    Playing = Playing && Active();
    if (Playing)
        Timer.start();
    emit Progress();
}
