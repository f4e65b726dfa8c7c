#pragma once
// The Linux program's window record and the shell operations around it.
// Only the *_x11.cpp files include this header.

#include <X11/Xlib.h>
#include <GL/glx.h>

#include <cstdint>

#include "draw_target.h"
#include "key_state.h"

struct RenderWindow {
    KeyState* keyState;
    Display* display;          // opened and closed by the entry function
    DrawTarget target;
    Window window;             // what is drawn into: our own, the root or another program's
    int ownsWindow;            // 1 when the program made `window` and must destroy it
    XVisualInfo* visual;
    Colormap colormap;         // our own window's
    Cursor hiddenCursor;       // our own window's empty cursor
    GLXContext glContext;
    Atom deleteWindow;         // WM_DELETE_WINDOW: the window manager's close request
    int width;
    int height;
    int visible;               // 1 while frames may be drawn
    int keepRunning;           // cleared by postQuit, a signal or the window's end
    std::uint32_t lastTickMs;
};

// What went wrong when a window cannot be opened, for the one message.
enum class OpenResult {
    Opened,
    NoSuchWindow,
    NoGlVisual,
    NoContext,
};

// Window (own or given), visual and context, made current. On failure what
// this attempt made is released newest first and the record is as before.
OpenResult openRenderWindow(RenderWindow& window);
// Releases newest first: context, our window and what it used.
void closeRenderWindow(RenderWindow& window);

// Handles every event already queued: keys, the close request, size and
// mapping changes, the window's end.
void handlePendingEvents(RenderWindow& window);

// The millisecond clock the animation follows.
std::uint32_t clockMs();
