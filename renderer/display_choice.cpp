#include "display_choice.h"

WindowPlan chooseWindowPlan(bool fullScreen, bool showModeGranted, int width, int height, int desktopWidth,
                            int desktopHeight)
{
    const ScreenRect show = {0, 0, width, height};
    if (!fullScreen) return {WindowKind::Framed, show};
    if (showModeGranted) return {WindowKind::ShowMode, show};
    // Most current displays refuse 16-bit modes: cover the desktop as it is
    // rather than leave it showing around a framed window.
    const ScreenRect desktop = {0, 0, desktopWidth, desktopHeight};
    if (desktop.empty()) return {WindowKind::Framed, show};
    return {WindowKind::DesktopCover, desktop};
}
