#pragma once
// The turns the cube has made, shown one after another on the draw timer: each layer goes
// from its old angle to its new one by elapsed time, at the settings' speed whatever the
// display does. The cube itself turns at once; this keeps a picture of it that follows.

#include "model/qorbigcube.h"
#include "render/qorcubedraw.h"
#include "settings/qorsettings.h"

#include <QElapsedTimer>
#include <QObject>

#include <deque>

class QORTurnAnimation : public QObject {
    Q_OBJECT
public:
    QORTurnAnimation(const QORBigCube& model, const QORSettings& settings,
                     QObject* parent = nullptr);

    // How far the picture may fall behind the player's turns while they wait: each waiting
    // turn is hurried so that all of them are shown within about this time.
    static constexpr double MaxLagMs = 150;
    // A turn lasts 90 / RotateStep frames of a 60 Hz display; a step the settings do not
    // accept counts as the default.
    static double TurnMs(int rotateStep);

    // The cube as the turn being shown leaves it; the model's position when none is.
    const QORBigCube& Picture() const { return Shown; }
    bool Active() const { return !Queue.empty(); }
    // The turns not yet shown to their end, the one under way included.
    size_t Waiting() const { return Queue.size(); }

    // Queues a turn the cube has just made, shown after those before it. Paced turns (a
    // shuffle's, a replay's) keep the full duration; the player's may be hurried.
    void AnimateTurn(const QORMove& move, bool paced);
    // The cube took a new position without turns: the picture jumps to it.
    void Replace();
    // The colours changed.
    void ApplyColors() { Shown.ApplyColors(); }
    // Moves the picture on to the present and returns the pose to draw it in: a layer
    // part-way, or none when the turn under way has reached its end. At least one frame of each
    // turn shows it part-way, however late the frames come.
    const QORTurnPose* Frame();
    // The frame Frame prepared is on the screen.
    void Drawn();

signals:
    // A turn's end is on the screen, after frames showing it part-way.
    void TurnShown(const QORMove& move, int framesPartWay);
    // Every turn queued has been shown.
    void Idle();

private:
    struct Turn {
        QORMove Move;
        bool Paced;
    };
    double DurationMs() const;
    void Begin();

    const QORBigCube& Model;
    const QORSettings& Settings;
    QORBigCube Shown;
    std::deque<Turn> Queue;
    QElapsedTimer Clock;
    QORTurnPose Pose;
    // Of the turn at the queue's front: begun, how far (0 to 1), when last moved on, how many
    // frames showed it part-way, and whether the last frame prepared showed its end.
    bool Begun = false;
    double Progress = 0;
    double LastMs = 0;
    int PartWay = 0;
    bool Ended = false;
};
