#include "gdi_drawing.h"

#include <cmath>

bool PersistentSurface::make(HWND window, int width, int height)
{
    release();
    HDC screen = GetDC(window);
    if (screen == nullptr) return false;
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(window, screen);
    if (dc_ == nullptr || bitmap_ == nullptr) {
        release();
        return false;
    }
    old_ = SelectObject(dc_, bitmap_);
    return true;
}

void PersistentSurface::release()
{
    if (dc_ != nullptr) {
        if (old_ != nullptr) SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    old_ = nullptr;
}

void PersistentSurface::copyTo(HDC target, int width, int height) const
{
    if (dc_ != nullptr) BitBlt(target, 0, 0, width, height, dc_, 0, 0, SRCCOPY);
}

HFONT MakeFont(const FontSpec& spec, double twipsPerPixel)
{
    const int height = -static_cast<int>(std::lround(spec.points * 20.0 / twipsPerPixel));
    return CreateFontW(height, 0, 0, 0, spec.weight, spec.italic, spec.underline, spec.strikethrough,
                       static_cast<BYTE>(spec.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, spec.face.c_str());
}

void CopyPicture(HDC target, HBITMAP picture, int x, int y, int width, int height)
{
    BITMAP info = {};
    if (picture == nullptr || GetObjectW(picture, sizeof(info), &info) == 0) return;
    HDC source = CreateCompatibleDC(target);
    if (source == nullptr) return;
    HGDIOBJ previous = SelectObject(source, picture);
    if (width <= 0 || height <= 0 || (width == info.bmWidth && height == info.bmHeight)) {
        BitBlt(target, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    } else {
        // Plain scaling keeps the pictures' hard edges.
        const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, x, y, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        if (oldMode != 0) SetStretchBltMode(target, oldMode);
    }
    SelectObject(source, previous);
    DeleteDC(source);
}
