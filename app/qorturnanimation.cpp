#include "app/qorturnanimation.h"

#include "settings/qorsettings.h"

#include <algorithm>
#include <cmath>

QORTurnAnimation::QORTurnAnimation(const QORBigCube& model, const QORSettings& settings,
                                   QObject* parent)
    : QObject(parent), Model(model), Settings(settings), Shown(model) {
    Clock.start();
}

double QORTurnAnimation::TurnMs(int rotateStep) {
    const int step = QORSettingTable::RotateSpeed.Valid(rotateStep);
    return 1000.0 * (90 / step) / 60.0;
}

void QORTurnAnimation::AnimateTurn(const QORMove& move, bool paced) {
    Queue.push_back({move, paced});
}

void QORTurnAnimation::Replace() {
    Queue.clear();
    Begun = Ended = false;
    Shown = Model;
}

double QORTurnAnimation::DurationMs() const {
    const double full = TurnMs(Settings.RotateStep);
    if (Queue.front().Paced)
        return full;
    // The player's turns waiting behind this one, and this one, share the lag allowed.
    const auto hurried = std::count_if(Queue.begin(), Queue.end(),
                                       [](const Turn& t) { return !t.Paced; });
    return hurried <= 1 ? full : std::min(full, MaxLagMs / double(hurried));
}

void QORTurnAnimation::Begin() {
    const QORMove& move = Queue.front().Move;
    Shown.Turn(move);
    // A quarter turn keeps each cubie's place along its axis: the layer is found after it.
    Pose.Axis = move.Axis;
    for (int i = 0; i < QORBigCube::CubieCount; ++i) {
        const Vec3& o = Shown.Cubies[std::size_t(i)].Points[0];
        const float along = move.Axis == 0 ? o.x : move.Axis == 1 ? o.y : o.z;
        Pose.Turning[std::size_t(i)] = std::lround(along / QORBigCube::Spacing) == move.Layer;
    }
    Begun = true;
    Progress = 0;
    PartWay = 0;
    LastMs = double(Clock.nsecsElapsed()) / 1e6;
}

const QORTurnPose* QORTurnAnimation::Frame() {
    Ended = false;
    if (Queue.empty())
        return nullptr;
    const double now = double(Clock.nsecsElapsed()) / 1e6;
    if (!Begun)
        Begin();
    else
        Progress += (now - LastMs) / DurationMs();
    LastMs = now;
    // A turn due to end before any frame showed it part-way is shown half-way first.
    if (Progress >= 1 && PartWay == 0)
        Progress = 0.5;
    if (Progress >= 1) {
        Ended = true;
        return nullptr;
    }
    if (Progress > 0)
        ++PartWay;
    // The picture holds the turn's end: the layer is drawn turned back by what remains.
    Pose.Degrees = float(-Queue.front().Move.Sense * 90 * (1 - Progress));
    return &Pose;
}

void QORTurnAnimation::Drawn() {
    if (!Ended || Queue.empty())
        return;
    Ended = Begun = false;
    const Turn done = Queue.front();
    Queue.pop_front();
    emit TurnShown(done.Move, PartWay);
    if (Queue.empty())
        emit Idle();
}
