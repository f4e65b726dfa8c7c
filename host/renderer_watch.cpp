#include "renderer_watch.h"

void RendererWatch::started()
{
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

    // Still starting: a slow start is no reason to leave the show without its host.
    if (!seen_) return true;
    if (!missing_) {
        missing_ = true;
        missingSinceMs_ = nowMs;
    }
    return nowMs - missingSinceMs_ < kGapGraceMs;
}
