#include "game/qorinspection.h"

#include "net/qorverified.h"

namespace QORInspection {

namespace {

// Whole seconds left, rounded up: the clock shows 15 until the first second has passed.
qint64 SecondsLeft(qint64 ms) {
    return (QORProtocol::InspectionMs - ms + 999) / 1000;
}

} // namespace

Verdict At(qint64 ms) {
    if (ms >= QORProtocol::InspectionEndMs)
        return Verdict::Dnf;
    return ms >= QORProtocol::InspectionMs ? Verdict::PlusTwo : Verdict::InTime;
}

QString Text(qint64 ms) {
    const qint64 left = SecondsLeft(ms);
    return left > 0 ? QString::number(left) : QORProtocol::PlusTwo;
}

bool Warns(qint64 ms) {
    return SecondsLeft(ms) <= 8;
}

qint64 NextChangeIn(qint64 ms) {
    return 1000 - ms % 1000;
}

} // namespace QORInspection
