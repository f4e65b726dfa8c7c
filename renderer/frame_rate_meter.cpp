#include "frame_rate_meter.h"

bool FrameRateMeter::frameDone(std::uint32_t nowMs, double& rate)
{
    if (!started_) {
        // The first frame only marks the start: the time before it was not spent on frames.
        started_ = true;
        startMs_ = nowMs;
        frames_ = 0;
        return false;
    }
    ++frames_;
    // Unsigned difference: the clock's wrap is harmless.
    const std::uint32_t elapsed = nowMs - startMs_;
    if (elapsed < periodMs_ || elapsed == 0) return false;
    rate = frames_ * 1000.0 / elapsed;
    startMs_ = nowMs;
    frames_ = 0;
    return true;
}
