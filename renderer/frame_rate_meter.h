#pragma once
// Frames per second over a stretch of the millisecond clock, for -fps.

#include <cstdint>

class FrameRateMeter {
public:
    explicit FrameRateMeter(std::uint32_t periodMs) : periodMs_(periodMs) {}

    // Counts a frame finished at nowMs. True once a whole period has passed
    // since the first frame of the stretch: rate then holds its frames per
    // second, and a new stretch begins.
    bool frameDone(std::uint32_t nowMs, double& rate);

private:
    std::uint32_t periodMs_;
    bool started_ = false;
    std::uint32_t startMs_ = 0;
    std::uint32_t frames_ = 0;
};
