// The Linux program: the scene in a window of its own, or in the window a
// screensaver daemon made for it, until Escape, a close request, SIGTERM or
// SIGINT. The options are read first; anything wrong is told in one line.

// The scene's headers come before Xlib's, whose None macro would clash with
// the scene's own names.
#include "frame_draw.h"
#include "frame_rate_meter.h"
#include "scene.h"
#include "shell_services.h"

#include "render_window_x11.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kFpsPeriodMs = 3000;

void say(const std::string& message)
{
    std::fprintf(stderr, "sorvelin: %s\n", message.c_str());
}

std::string hexId(unsigned long id)
{
    char text[24];
    std::snprintf(text, sizeof(text), "0x%lx", id);
    return text;
}

std::string describe(OpenResult failure, const DrawTarget& target)
{
    const std::string which = target.kind == TargetKind::Existing ? "window " + hexId(target.windowId)
                              : target.kind == TargetKind::RootWindow ? std::string("the root window")
                                                                       : std::string("a window");
    switch (failure) {
    case OpenResult::NoSuchWindow:
        return "there is no " + which + " on this display";
    case OpenResult::NoGlVisual:
        return "no double-buffered OpenGL visual with a depth buffer for " + which;
    case OpenResult::NoContext:
        return "cannot make an OpenGL context for " + which;
    case OpenResult::Opened:
        break;
    }
    return "cannot draw into " + which;
}

// SIGTERM and SIGINT arrive through a descriptor the loop waits on: one that
// comes during the sleep between frames ends it at once, and none is lost
// between a check and the wait. Blocked before any thread exists, so the
// rasteriser's threads never take them.
int watchEndingSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return -1;
    return signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
}

bool endingSignalArrived(int signalFd)
{
    signalfd_siginfo info;
    return read(signalFd, &info, sizeof(info)) == static_cast<ssize_t>(sizeof(info));
}

timespec monotonicNow()
{
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

timespec later(timespec from, std::uint32_t us)
{
    from.tv_sec += us / 1000000;
    from.tv_nsec += static_cast<long>(us % 1000000) * 1000;
    if (from.tv_nsec >= 1000000000L) {
        from.tv_sec += 1;
        from.tv_nsec -= 1000000000L;
    }
    return from;
}

// Time left until `until`; false once it has come.
bool timeLeft(const timespec& until, timespec& left)
{
    const timespec now = monotonicNow();
    long long ns = (static_cast<long long>(until.tv_sec) - now.tv_sec) * 1000000000LL + (until.tv_nsec - now.tv_nsec);
    if (ns <= 0) return false;
    left.tv_sec = static_cast<time_t>(ns / 1000000000LL);
    left.tv_nsec = static_cast<long>(ns % 1000000000LL);
    return true;
}

// Handles every pending event, then sleeps until `until` while handling the
// events that come meanwhile. With no `until` it waits until the window is
// shown again. Returns at once when the program is to end.
void waitForNextFrame(RenderWindow& window, int signalFd, const timespec* until)
{
    for (;;) {
        if (endingSignalArrived(signalFd)) postQuit(window);
        handlePendingEvents(window);
        if (!window.keepRunning) return;

        timespec left = {};
        if (until == nullptr ? window.visible != 0 : !timeLeft(*until, left)) return;
        pollfd watched[2] = {{ConnectionNumber(window.display), POLLIN, 0}, {signalFd, POLLIN, 0}};
        ppoll(watched, 2, until == nullptr ? nullptr : &left, nullptr);
    }
}

void runFrameLoop(RenderWindow& window, int signalFd, const SorvelinOptions& options)
{
    FrameRateMeter meter(kFpsPeriodMs);
    timespec nextFrame = monotonicNow();
    for (;;) {
        waitForNextFrame(window, signalFd, window.visible ? &nextFrame : nullptr);
        if (!window.keepRunning) return;
        if (!window.visible) continue;

        const std::uint32_t now = clockMs();
        // Unsigned difference: the clock's wrap after 2^32 ms is harmless.
        advanceOrbits(now - window.lastTickMs);
        window.lastTickMs = now;
        drawFrame();
        glXSwapBuffers(window.display, window.window);

        double rate = 0;
        if (options.showFps && meter.frameDone(clockMs(), rate)) std::fprintf(stderr, "sorvelin: %.1f frames/s\n", rate);
        nextFrame = later(monotonicNow(), options.delayUs);
    }
}

int runShow(const DrawTarget& target, const SorvelinOptions& options, int signalFd)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        say(std::string("cannot open the X display \"") + XDisplayName(nullptr) + "\"");
        return 1;
    }
    int errorBase = 0, eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase)) {
        say(std::string("the X display \"") + DisplayString(display) + "\" has no OpenGL (GLX)");
        XCloseDisplay(display);
        return 1;
    }

    KeyState keys;
    clearKeyState(keys);
    RenderWindow window = {};
    window.keyState = &keys;
    window.display = display;
    window.target = target;
    window.keepRunning = 1;

    const OpenResult failure = openRenderWindow(window);
    if (failure != OpenResult::Opened) {
        say(describe(failure, target));
        XCloseDisplay(display);
        return 1;
    }
    if (sceneInit(window, keys)) runFrameLoop(window, signalFd, options);
    sceneRelease();
    closeRenderWindow(window);
    XCloseDisplay(display);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const OptionsResult parsed = parseSorvelinOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        say(parsed.error);
        std::fputs(sorvelinUsage().c_str(), stderr);
        return 2;
    }
    if (parsed.helpWanted) {
        std::fputs(sorvelinUsage().c_str(), stdout);
        return 0;
    }
    const DrawTarget target = chooseDrawTarget(parsed.options, std::getenv("XSCREENSAVER_WINDOW"));
    if (!target.ok()) {
        say(target.error);
        return 1;
    }
    const int signalFd = watchEndingSignals();
    if (signalFd < 0) {
        say("cannot watch for SIGTERM");
        return 1;
    }
    const int status = runShow(target, parsed.options, signalFd);
    close(signalFd);
    return status;
}
