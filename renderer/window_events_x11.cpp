#include "render_window_x11.h"

#include <X11/keysym.h>

#include "projection.h"
#include "shell_services.h"

namespace {

// The key table is indexed by virtual-key code, as the scene reads it.
int virtualKeyFor(KeySym key)
{
    return key == XK_Escape ? kEscapeKey : -1;
}

void onKey(RenderWindow& window, XKeyEvent& event)
{
    if (!window.target.readsKeys()) return;
    const int virtualKey = virtualKeyFor(XLookupKeysym(&event, 0));
    if (virtualKey < 0) return;
    if (event.type == KeyPress) {
        recordKeyDown(*window.keyState, static_cast<std::uintptr_t>(virtualKey));
    } else {
        recordKeyUp(*window.keyState, static_cast<std::uintptr_t>(virtualKey));
    }
}

void onConfigure(RenderWindow& window, const XConfigureEvent& event)
{
    if (event.window != window.window || (event.width == window.width && event.height == window.height)) return;
    window.width = event.width;
    window.height = event.height;
    setProjection(window.width, window.height);
}

void onClientMessage(RenderWindow& window, const XClientMessageEvent& event)
{
    // The window manager's close request: the window is destroyed by the shell afterwards.
    if (event.format == 32 && window.deleteWindow != None &&
        static_cast<Atom>(event.data.l[0]) == window.deleteWindow)
        postQuit(window);
}

// The window went from under us (its owner destroyed it): nothing is left to draw into.
void onDestroy(RenderWindow& window, const XDestroyWindowEvent& event)
{
    if (event.window != window.window) return;
    window.window = None;
    window.ownsWindow = 0;
    window.visible = 0;
    postQuit(window);
}

void handleEvent(RenderWindow& window, XEvent& event)
{
    switch (event.type) {
    case KeyPress:
    case KeyRelease:
        onKey(window, event.xkey);
        break;
    case ConfigureNotify:
        onConfigure(window, event.xconfigure);
        break;
    case MapNotify:
        if (event.xmap.window == window.window) window.visible = 1;
        break;
    case UnmapNotify:
        // Hidden: no frames and no processor time until it is shown again.
        if (event.xunmap.window == window.window) window.visible = 0;
        break;
    case ClientMessage:
        onClientMessage(window, event.xclient);
        break;
    case DestroyNotify:
        onDestroy(window, event.xdestroywindow);
        break;
    default:
        break;
    }
}

} // namespace

void handlePendingEvents(RenderWindow& window)
{
    // XPending sends what is queued first, so every reply and event so far is in.
    while (XPending(window.display) > 0) {
        XEvent event;
        XNextEvent(window.display, &event);
        handleEvent(window, event);
    }
}
