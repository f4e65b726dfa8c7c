#include "monitor_covers.h"

#include "monitor_layout.h"

namespace {

const char kCoverClass[] = "OpenGLCover";
const char kCoverTitle[] = "Velmorani_Cover";

LRESULT CALLBACK coverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        // No cursor over a cover, whatever the hidden-cursor count says.
        SetCursor(nullptr);
        return TRUE;
    case WM_CLOSE:
        // Closing a cover is closing the show; the show's window removes its covers.
        PostMessageA(GetWindow(window, GW_OWNER), WM_CLOSE, 0, 0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool coverClassReady(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExA(instance, kCoverClass, &windowClass)) return true;
    windowClass.lpfnWndProc = coverWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kCoverClass;
    return RegisterClassExA(&windowClass) != 0;
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
            {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

// Covers exactly these rectangles (virtual-screen coordinates).
void openCoversOver(MonitorCovers& covers, HWND owner, HINSTANCE instance, const std::vector<ScreenRect>& rects)
{
    if (rects.empty() || !coverClassReady(instance)) return;
    for (const ScreenRect& rect : rects) {
        // Never activated, so the keys keep going to the show's window.
        HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, kCoverTitle,
                                     WS_POPUP, rect.left, rect.top, rect.width(), rect.height(), owner, nullptr,
                                     instance, nullptr);
        if (cover == nullptr) continue;
        covers.windows.push_back(cover);
        ShowWindow(cover, SW_SHOWNOACTIVATE);
    }
}

} // namespace

void openMonitorCovers(MonitorCovers& covers, HWND owner, HINSTANCE instance)
{
    std::vector<MonitorArea> monitors;
    if (!EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors))) return;
    openCoversOver(covers, owner, instance, coverRects(monitors));
}

void closeMonitorCovers(MonitorCovers& covers)
{
    while (!covers.windows.empty()) {
        DestroyWindow(covers.windows.back());
        covers.windows.pop_back();
    }
}

void unregisterCoverClass(HINSTANCE instance)
{
    UnregisterClassA(kCoverClass, instance);
}
