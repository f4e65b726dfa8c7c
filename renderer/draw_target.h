#pragma once
// Which X window the Linux program draws into, decided from its options and
// the screensaver daemon's environment, without any window.

#include <cstdint>
#include <string>

#include "sorvelin_options.h"

enum class TargetKind {
    OwnWindow,   // a window of the program's own, over the whole screen
    RootWindow,  // the screen's root window
    Existing,    // a window another program made (the daemon's, a preview)
};

struct DrawTarget {
    TargetKind kind = TargetKind::OwnWindow;
    std::uint32_t windowId = 0;   // with Existing
    std::string error;            // not empty: there is nothing sound to draw into

    bool ok() const { return error.empty(); }
    // Only a window of its own takes keys: in another program's window the
    // keyboard belongs to that program (the daemon ends a show on any key).
    bool readsKeys() const { return kind == TargetKind::OwnWindow; }
};

// saverWindow: the XSCREENSAVER_WINDOW variable, hex with or without 0x, or
// nullptr when it is not set. Only -root reads it.
DrawTarget chooseDrawTarget(const SorvelinOptions& options, const char* saverWindow);
