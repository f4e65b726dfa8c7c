#include "zoom_animation.h"

std::int16_t ZoomPointX = 0;
std::int16_t ZoomPointY = 0;

void RememberZoomPoint()
{
    POINT pointer;
    if (GetCursorPos(&pointer)) {
        ZoomPointX = static_cast<std::int16_t>(pointer.x);
        ZoomPointY = static_cast<std::int16_t>(pointer.y);
    } else {
        ZoomPointX = 0;
        ZoomPointY = 0;
    }
}

namespace {

RECT zoomPoint()
{
    return {ZoomPointX, ZoomPointY, ZoomPointX, ZoomPointY};
}

} // namespace

void AnimateOpen(HWND window)
{
    RECT from = zoomPoint(), to;
    if (GetWindowRect(window, &to)) DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void AnimateClose(HWND window)
{
    RECT from, to = zoomPoint();
    if (GetWindowRect(window, &from)) DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}
