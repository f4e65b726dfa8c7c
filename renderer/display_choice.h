#pragma once
// Which kind of window the renderer opens and where, decided from what the
// display granted. Window-free so it can be tested without a display.

#include "screen_rect.h"

enum class WindowKind {
    ShowMode,      // the display switched to the show's mode: a popup of the show's size
    DesktopCover,  // the show's mode refused: a popup over the primary display at its own size
    Framed,        // a framed window whose client area is the show's size
};

struct WindowPlan {
    WindowKind kind;
    // Popups: the window's rectangle. Framed: the client rectangle, before the
    // frame is added around it. Either way the size the picture is drawn at.
    ScreenRect area;

    bool fullScreen() const { return kind != WindowKind::Framed; }
};

// fullScreen: the kind wanted. showModeGranted: whether the display took the
// show's mode (asked only when full screen is wanted). desktopWidth and
// desktopHeight: the primary display's current size, 0 when unknown.
WindowPlan chooseWindowPlan(bool fullScreen, bool showModeGranted, int width, int height, int desktopWidth,
                            int desktopHeight);
