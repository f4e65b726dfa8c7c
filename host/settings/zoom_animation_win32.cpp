#include "zoom_animation.h"

#include "zoom_path.h"

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

void animate(HWND window, bool opening)
{
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) return;
    const ZoomFrames frames =
        ZoomFramesFor(opening, {bounds.left, bounds.top, bounds.right, bounds.bottom}, ZoomPointX, ZoomPointY);
    const RECT from = {frames.from.left, frames.from.top, frames.from.right, frames.from.bottom};
    const RECT to = {frames.to.left, frames.to.top, frames.to.right, frames.to.bottom};
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

} // namespace

void AnimateOpen(HWND window)
{
    animate(window, true);
}

void AnimateClose(HWND window)
{
    animate(window, false);
}
