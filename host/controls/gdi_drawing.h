#pragma once
// Drawing pieces the Command button and the settings dialog share: the
// persistent surface a window repaints from, fonts sized at the display's
// scale, and copying a whole picture.

#include <windows.h>

#include "property_store.h"

// A picture drawn only when something changes and copied to the window on
// every repaint, so a repaint never renders anything again.
class PersistentSurface {
public:
    PersistentSurface() = default;
    ~PersistentSurface() { release(); }
    PersistentSurface(const PersistentSurface&) = delete;
    PersistentSurface& operator=(const PersistentSurface&) = delete;

    // Compatible with the window's screen, of the given size in pixels.
    // Returns false (and holds nothing) when the platform refuses.
    bool make(HWND window, int width, int height);
    void release();

    HDC dc() const { return dc_; }
    bool ready() const { return dc_ != nullptr; }
    void copyTo(HDC target, int width, int height) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// A font of the given point size at the display's scale (20 twips a point).
HFONT MakeFont(const FontSpec& spec, double twipsPerPixel);

// Copies the whole of a bitmap with its top-left corner at (x, y), scaled
// to width x height pixels when they are given and differ from its own size.
void CopyPicture(HDC target, HBITMAP picture, int x, int y, int width = 0, int height = 0);
