#pragma once
// Decides, at each watch tick, whether the show is still on. The show ends
// when the renderer's window is gone, but not while a renderer that is alive
// is still opening its first window or re-creating it after a mode toggle.

#include <cstdint>

class RendererWatch {
public:
    // How long a live renderer may be without its window before the show ends anyway.
    static constexpr std::uint32_t kStartGraceMs = 5000;
    static constexpr std::uint32_t kGapGraceMs = 5000;

    // One tick: is there a renderer window, is its process alive, and the
    // millisecond clock now. True while the show goes on.
    bool keepShowing(bool windowPresent, bool processAlive, std::uint32_t nowMs);

    void started(std::uint32_t nowMs);

private:
    bool seen_ = false;
    bool missing_ = false;
    std::uint32_t missingSinceMs_ = 0;
    std::uint32_t startedMs_ = 0;
};
