#pragma once
// When the player leaves the drawing panel alone long enough, the view turns slowly about its
// up axis until the next press or move. This keeps only the timing; times are milliseconds of
// any steady clock.

#include <cstdint>

class QORIdleRotation {
public:
    static constexpr float DegreesPerSecond = 20.0f;
    // A stalled timer must not make the view jump.
    static constexpr int64_t LongestStepMs = 100;
    // About 30 steps a second are smooth at this speed and cost a third of the frames.
    static constexpr int64_t StepMs = 33;

    // A press, move or key on the panel: stops the rotation and restarts the wait.
    void Input(int64_t nowMs);
    // The degrees to turn the view by now; 0 while waiting, while blocked (a turn runs or a
    // button is held: the wait restarts) and always when timeoutMs is 0.
    float Tick(int64_t nowMs, int timeoutMs, bool blocked);
    bool Active() const { return Rotating; }
    // How long from now until the rotation would begin; -1 when it never would.
    int64_t MsUntilStart(int64_t nowMs, int timeoutMs) const;

private:
    int64_t LastInputMs = 0;
    int64_t LastTickMs = 0;
    bool Rotating = false;
};
