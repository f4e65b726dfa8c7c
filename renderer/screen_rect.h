#pragma once
// A rectangle on the virtual screen, in pixels: left and top inside, right
// and bottom just outside, as the platform gives them.

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return width() <= 0 || height() <= 0; }
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline bool operator!=(const ScreenRect& a, const ScreenRect& b)
{
    return !(a == b);
}
