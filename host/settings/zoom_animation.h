#pragma once
#include <windows.h>

#include <cstdint>

// Where the pointer was when the settings dialog opened: the dialog zooms
// out of this point and back into it, wherever the pointer is at closing.
extern std::int16_t ZoomPointX;
extern std::int16_t ZoomPointY;

// Reads the pointer into ZoomPointX / ZoomPointY; (0, 0) when it cannot be read.
void RememberZoomPoint();
void AnimateOpen(HWND window);
void AnimateClose(HWND window);
