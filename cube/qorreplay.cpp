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
    // Shown, the next turn may follow.
    connect(&game, &QORGame::Shown, this, [this] {
        if (Playing && Active())
            Timer.start();
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
    if (!Active())
        return;
    Turning = true;
    Game.ShowTurn(Turns[Done]);
    Turning = false;
    ++Done;
    Playing = Playing && Active();
    // With a view, the next turn waits until this one has been shown.
    if (Playing && !Game.ShowsTurns)
        Timer.start();
    emit Progress();
}
