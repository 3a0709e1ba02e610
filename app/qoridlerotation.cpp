#include "app/qoridlerotation.h"

#include <algorithm>

void QORIdleRotation::Input(int64_t nowMs) {
    LastInputMs = nowMs;
    Rotating = false;
}

float QORIdleRotation::Tick(int64_t nowMs, int timeoutMs, bool blocked) {
    if (blocked)
        LastInputMs = nowMs;
    if (blocked || timeoutMs <= 0 || nowMs - LastInputMs < timeoutMs) {
        Rotating = false;
        return 0.0f;
    }
    if (Rotating && nowMs - LastTickMs < StepMs)
        return 0.0f;
    // The first step starts where the wait ended.
    const int64_t from = Rotating ? LastTickMs : LastInputMs + timeoutMs;
    Rotating = true;
    LastTickMs = nowMs;
    const int64_t step = std::clamp<int64_t>(nowMs - from, 0, LongestStepMs);
    return DegreesPerSecond * float(step) / 1000.0f;
}

int64_t QORIdleRotation::MsUntilStart(int64_t nowMs, int timeoutMs) const {
    if (timeoutMs <= 0)
        return -1;
    return std::max<int64_t>(0, LastInputMs + timeoutMs - nowMs);
}
