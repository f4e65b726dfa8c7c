#include "render_window_x11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <ctime>

#include "projection.h"
#include "shell_services.h"

namespace {

// NOTE: Xlib reports a failed request to a process-wide handler that has no
// user data, and its default handler ends the program. The shell checks
// results itself, so the handler only keeps the error for the next check.
int lastXError = 0;

int keepXError(Display*, XErrorEvent* event)
{
    lastXError = event->error_code;
    return 0;
}

// Sends what is queued and tells whether a request since the last check failed.
bool requestsFailed(Display* display)
{
    XSync(display, False);
    const bool failed = lastXError != 0;
    lastXError = 0;
    return failed;
}

int glConfig(Display* display, XVisualInfo* visual, int attribute)
{
    int value = 0;
    return glXGetConfig(display, visual, attribute, &value) == 0 ? value : 0;
}

// What the scene needs: RGBA, double buffered, a depth buffer of 16 bits or more.
bool suitsTheScene(Display* display, XVisualInfo* visual)
{
    return glConfig(display, visual, GLX_USE_GL) && glConfig(display, visual, GLX_RGBA) &&
           glConfig(display, visual, GLX_DOUBLEBUFFER) && glConfig(display, visual, GLX_DEPTH_SIZE) >= 16;
}

XVisualInfo* chooseOwnVisual(Display* display)
{
    int wanted[] = {GLX_RGBA,      GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1,
                    GLX_DEPTH_SIZE, 16,              None};
    return glXChooseVisual(display, DefaultScreen(display), wanted);
}

// Another program's window keeps its own visual: it must suit the scene as it is.
OpenResult adoptWindow(RenderWindow& window, Window id)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(window.display, id, &attributes) || requestsFailed(window.display))
        return OpenResult::NoSuchWindow;

    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    wanted.screen = XScreenNumberOfScreen(attributes.screen);
    int count = 0;
    window.visual = XGetVisualInfo(window.display, VisualIDMask | VisualScreenMask, &wanted, &count);
    if (window.visual == nullptr) return OpenResult::NoGlVisual;
    if (!suitsTheScene(window.display, window.visual)) return OpenResult::NoGlVisual;

    // Its size changes, mapping and end reach us; its keys stay with its owner.
    XSelectInput(window.display, id, StructureNotifyMask);
    if (requestsFailed(window.display)) return OpenResult::NoSuchWindow;
    window.window = id;
    window.width = attributes.width;
    window.height = attributes.height;
    window.visible = attributes.map_state != IsUnmapped ? 1 : 0;
    return OpenResult::Opened;
}

void nameOwnWindow(Display* display, Window window)
{
    XStoreName(display, window, "Sorvelin");
    const char title[] = "Sorvelin";
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), sizeof(title) - 1);
    char name[] = "sorvelin";
    char className[] = "Sorvelin";
    XClassHint hint = {name, className};
    XSetClassHint(display, window, &hint);
}

// A window manager covers its panels too; without one the window's own place and size do.
void askForFullScreen(Display* display, Window window, int width, int height)
{
    Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&fullScreen), 1);
    XSizeHints hints = {};
    hints.flags = USPosition | USSize;
    hints.width = width;
    hints.height = height;
    XSetWMNormalHints(display, window, &hints);
}

Cursor makeHiddenCursor(Display* display, Window window)
{
    const Pixmap empty = XCreatePixmap(display, window, 1, 1, 1);
    if (empty == None) return None;
    XColor black = {};
    const Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(display, empty);
    return cursor;
}

// A window of our own over the whole screen at the screen's size; the display mode stays.
OpenResult makeOwnWindow(RenderWindow& window)
{
    Display* display = window.display;
    window.visual = chooseOwnVisual(display);
    if (window.visual == nullptr) return OpenResult::NoGlVisual;

    const int screen = window.visual->screen;
    const Window root = RootWindow(display, screen);
    window.colormap = XCreateColormap(display, root, window.visual->visual, AllocNone);

    XSetWindowAttributes attributes = {};
    attributes.colormap = window.colormap;
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | KeyReleaseMask | StructureNotifyMask;
    window.width = DisplayWidth(display, screen);
    window.height = DisplayHeight(display, screen);
    window.window = XCreateWindow(display, root, 0, 0, window.width, window.height, 0, window.visual->depth,
                                  InputOutput, window.visual->visual,
                                  CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    if (requestsFailed(display) || window.window == None) {
        window.window = None;
        return OpenResult::NoGlVisual;
    }
    window.ownsWindow = 1;

    nameOwnWindow(display, window.window);
    window.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window.window, &window.deleteWindow, 1);
    askForFullScreen(display, window.window, window.width, window.height);
    window.hiddenCursor = makeHiddenCursor(display, window.window);
    if (window.hiddenCursor != None) XDefineCursor(display, window.window, window.hiddenCursor);

    XMapRaised(display, window.window);
    window.visible = 1;
    return OpenResult::Opened;
}

OpenResult attachGlContext(RenderWindow& window)
{
    window.glContext = glXCreateContext(window.display, window.visual, nullptr, True);
    if (window.glContext == nullptr || requestsFailed(window.display)) return OpenResult::NoContext;
    if (!glXMakeCurrent(window.display, window.window, window.glContext) || requestsFailed(window.display))
        return OpenResult::NoContext;
    return OpenResult::Opened;
}

} // namespace

std::uint32_t clockMs()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Unsigned 32 bits, as the animation step takes it: the wrap is harmless.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u + now.tv_nsec / 1000000);
}

OpenResult openRenderWindow(RenderWindow& window)
{
    XSetErrorHandler(keepXError);
    lastXError = 0;
    // Before the window exists, so no key pressed once it has appeared is dropped.
    forgetHeldKeys(*window.keyState);

    OpenResult failure = OpenResult::Opened;
    switch (window.target.kind) {
    case TargetKind::OwnWindow:
        failure = makeOwnWindow(window);
        break;
    case TargetKind::RootWindow:
        failure = adoptWindow(window, DefaultRootWindow(window.display));
        break;
    case TargetKind::Existing:
        failure = adoptWindow(window, window.target.windowId);
        break;
    }
    if (failure == OpenResult::Opened) failure = attachGlContext(window);
    if (failure != OpenResult::Opened) {
        closeRenderWindow(window);
        return failure;
    }

    setProjection(window.width, window.height);
    window.lastTickMs = clockMs();
    return OpenResult::Opened;
}

// The one release path, for a failed opening and a close alike, newest first.
void closeRenderWindow(RenderWindow& window)
{
    Display* display = window.display;
    if (window.glContext != nullptr) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, window.glContext);
        window.glContext = nullptr;
    }
    if (window.hiddenCursor != None) {
        XFreeCursor(display, window.hiddenCursor);
        window.hiddenCursor = None;
    }
    // Another program's window stays as it was: only what we made goes.
    if (window.ownsWindow && window.window != None) XDestroyWindow(display, window.window);
    window.window = None;
    window.ownsWindow = 0;
    if (window.colormap != None) {
        XFreeColormap(display, window.colormap);
        window.colormap = None;
    }
    if (window.visual != nullptr) {
        XFree(window.visual);
        window.visual = nullptr;
    }
    window.visible = 0;
    XSync(display, False);
    lastXError = 0;
}

void postQuit(RenderWindow& window)
{
    window.keepRunning = 0;
}
