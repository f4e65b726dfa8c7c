#pragma once
// Decides, at each watch tick, whether the show is still on. The show ends
// when the renderer's process has ended, or when its window has gone. A live
// renderer that has not shown its first window yet is waited for however
// long it takes (a busy machine), and one re-creating its window after a
// mode toggle is given a short gap.

#include <cstdint>

class RendererWatch {
public:
    // How long a live renderer may be without the window it had before the show ends anyway.
    static constexpr std::uint32_t kGapGraceMs = 5000;

    // One tick: is there a renderer window, is its process alive, and the
    // millisecond clock now. True while the show goes on.
    bool keepShowing(bool windowPresent, bool processAlive, std::uint32_t nowMs);

    // The renderer has just been started: its first window is still to come.
    void started();

private:
    bool seen_ = false;
    bool missing_ = false;
    std::uint32_t missingSinceMs_ = 0;
};
