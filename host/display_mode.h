#pragma once
// Whether the desktop must be put back after a show. The renderer restores
// the display mode itself when it ends normally; a renderer that was killed
// or crashed leaves its own mode behind.

#include <cstdint>
#include <optional>

struct DisplayMode {
    std::uint32_t width = 0;    // pixels
    std::uint32_t height = 0;   // pixels
    std::uint32_t bits = 0;     // per pixel
    std::uint32_t frequency = 0;   // hertz; 0 or 1 is the hardware's default
};

// current is the display's mode now, stored the mode the system keeps in its
// registry; either is empty when it could not be read. True when they differ
// in size, depth or a known frequency: nothing is restored on a guess.
bool DisplayModeNeedsRestore(const std::optional<DisplayMode>& current, const std::optional<DisplayMode>& stored);
