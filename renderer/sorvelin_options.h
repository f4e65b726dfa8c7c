#pragma once
// The Linux program's command line, read without any window: where to draw,
// how long to sleep between frames, whether to print the frame rate. Every
// option may be written with one dash or two, since the screensaver daemon
// passes them on with two.

#include <cstdint>
#include <string>
#include <vector>

// The sleep between frames when none is given: about 50 frames a second, so
// an idle machine does not run a core flat out.
constexpr std::uint32_t kDefaultDelayUs = 20000;
// Longer sleeps are no animation at all.
constexpr std::uint32_t kLongestDelayUs = 10000000;

enum class DrawInto {
    OwnWindow,   // no option: a window of its own over the whole screen
    Root,        // -root: the daemon's window, else the root window
    GivenWindow, // -window-id ID
};

struct SorvelinOptions {
    DrawInto into = DrawInto::OwnWindow;
    std::uint32_t windowId = 0;          // with GivenWindow
    std::uint32_t delayUs = kDefaultDelayUs;
    bool showFps = false;
};

struct OptionsResult {
    bool ok = false;
    bool helpWanted = false;   // -help: the usage on standard output, nothing else
    SorvelinOptions options;
    std::string error;         // when not ok: what was wrong, for the usage message
};

// args: the arguments after the program name.
OptionsResult parseSorvelinOptions(const std::vector<std::string>& args);

// The usage message, several lines ending in a newline.
std::string sorvelinUsage();

// A window id in decimal or, after 0x, in hexadecimal; never 0 (no window).
bool parseWindowId(const std::string& text, std::uint32_t& id);
