#pragma once
// Black windows over every monitor but the primary while the show is full
// screen there. They carry a title of their own, so the show's window stays
// the only one titled "Velmorani_VC".

#include <windows.h>

#include <vector>

#include "screen_rect.h"

struct MonitorCovers {
    std::vector<HWND> windows;   // owned by the show's window, newest last
};

// Covers every monitor but the primary as the monitors are arranged now, so
// call it after any display mode change. A cover that cannot be made is
// left out silently.
void openMonitorCovers(MonitorCovers& covers, HWND owner, HINSTANCE instance);

// Destroys the covers, newest first.
void closeMonitorCovers(MonitorCovers& covers);

// The covers' window class is registered on first use; this removes it.
void unregisterCoverClass(HINSTANCE instance);
