#include "renderer_watch.h"

void RendererWatch::started(std::uint32_t nowMs)
{
    startedMs_ = nowMs;
    seen_ = false;
    missing_ = false;
}

bool RendererWatch::keepShowing(bool windowPresent, bool processAlive, std::uint32_t nowMs)
{
    if (windowPresent) {
        seen_ = true;
        missing_ = false;
        return true;
    }
    if (!processAlive) return false;

    if (!seen_) return nowMs - startedMs_ < kStartGraceMs;
    if (!missing_) {
        missing_ = true;
        missingSinceMs_ = nowMs;
    }
    return nowMs - missingSinceMs_ < kGapGraceMs;
}
