#include "game/qorreplay.h"

#include "game/qorgame.h"

#include <algorithm>
#include <cmath>

QORReplay::QORReplay(QORGame& game, QObject* parent) : QObject(parent), Game(game) {
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &QORReplay::Next);
    connect(&game, &QORGame::MovesChanged, this, [this] {
        if (!Turning)
            Stop();
    });
    // Shown, the next turn may follow.
    connect(&game, &QORGame::Shown, this, [this] {
        if (Playing && Active())
            Timer.start(Wait());
    });
}

bool QORReplay::Start(const QString& scramble, const QString& solution, double seconds) {
    const std::optional<QList<QORMove>> s = ParseMoves(scramble), p = ParseMoves(solution);
    if (!s || !p)
        return false;
    Turning = true;
    Game.Stop();
    Turning = false;
    Turns = *s + *p;
    Scrambled = s->size();
    Seconds = seconds;
    Done = 0;
    Playing = true;
    Timer.start(0);
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
        Timer.start(0);
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
    SinceTurn.start();
    Turning = true;
    Game.ShowTurn(Turns[Done]);
    Turning = false;
    ++Done;
    Playing = Playing && Active();
    // With a view, the next turn waits until this one has been shown.
    if (Playing && !Game.ShowsTurns)
        Timer.start(Wait());
    emit Progress();
}

void QORReplay::SetSpeed(int times) {
    Speed = std::max(0, times);
}

int QORReplay::PaceMs() const {
    const qsizetype solution = Turns.size() - Scrambled;
    if (Speed == 0 || solution == 0 || !(Seconds > 0))
        return 0;
    // A solve left alone for minutes would look like a replay that hangs.
    const double slowest = 10000;
    return int(std::lround(std::min(Seconds * 1000 / double(solution), slowest) / Speed));
}

int QORReplay::Wait() const {
    if (Done < Scrambled)
        return 0;
    return int(std::max<qint64>(0, PaceMs() - SinceTurn.elapsed()));
}
