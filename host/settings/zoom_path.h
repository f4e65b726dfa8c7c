#pragma once
// Where the settings dialog's zoom animations start and end, without a window.

#include <cstdint>

// A rectangle in screen pixels, edges as the platform gives them (RECT).
struct ZoomRect {
    int left, top, right, bottom;
};

struct ZoomFrames {
    ZoomRect from, to;
};

// Opening zooms out of the empty rectangle at the remembered pointer position
// to the window's rectangle; closing runs the same path backwards, into the
// point where the pointer was at opening.
ZoomFrames ZoomFramesFor(bool opening, const ZoomRect& window, std::int16_t pointX, std::int16_t pointY);
