#pragma once
// Which parts of the virtual screen the black covers take while the show is
// full screen on the primary monitor. Window-free so it can be tested with
// any monitor arrangement.

#include <vector>

#include "screen_rect.h"

struct MonitorArea {
    ScreenRect rect;   // virtual-screen coordinates; other monitors may lie left of or above the primary
    bool primary;
};

// Every monitor but the primary, each once. A monitor that mirrors the
// primary shows the show itself and gets no cover. When no monitor is marked
// primary, the one holding the virtual screen's origin is.
std::vector<ScreenRect> coverRects(const std::vector<MonitorArea>& monitors);
