#include "render_window.h"

#include "projection.h"
#include "window_rules.h"

static_assert(kScreenSaveCommand == SC_SCREENSAVE && kMonitorPowerCommand == SC_MONITORPOWER,
              "the refused commands are the platform's");

namespace {

RenderWindow* windowRecord(HWND window)
{
    return reinterpret_cast<RenderWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT onCreate(HWND window, LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return 0;
}

LRESULT onSize(RenderWindow* record, HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case SIZE_MINIMIZED:
        if (record != nullptr) record->visible = 0;
        return 0;
    case SIZE_RESTORED:
    case SIZE_MAXIMIZED:
        if (record != nullptr) record->visible = 1;
        setProjection(LOWORD(lParam), HIWORD(lParam));
        return 0;
    default:
        return DefWindowProcA(window, WM_SIZE, wParam, lParam);
    }
}

LRESULT onKey(RenderWindow* record, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!isTrackedKey(wParam) || record == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_KEYDOWN) {
        recordKeyDown(*record->keyState, wParam);
    } else {
        recordKeyUp(*record->keyState, wParam);
    }
    return 0;
}

LRESULT onSysCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    // The show must not be replaced by a screensaver or a dark monitor.
    if (isRefusedSystemCommand(wParam)) return 0;
    return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
}

// Leaves keepRunning set: the outer loop closes this window and opens the other kind.
LRESULT onToggleMode(HWND window, WPARAM wParam, LPARAM lParam)
{
    wantFullScreen = !wantFullScreen;
    PostMessageA(window, WM_QUIT, 0, 0);
    return DefWindowProcA(window, MSG_TOGGLE_MODE, wParam, lParam);
}

} // namespace

LRESULT CALLBACK rendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RenderWindow* record = windowRecord(window);

    switch (message) {
    case WM_CREATE:
        return onCreate(window, lParam);
    case WM_SIZE:
        return onSize(record, window, wParam, lParam);
    case WM_CLOSE:
        // The window is destroyed by the shell after the loop, not here.
        if (record != nullptr) postQuit(*record);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        return onKey(record, window, message, wParam, lParam);
    case WM_SYSCOMMAND:
        return onSysCommand(window, wParam, lParam);
    case MSG_TOGGLE_MODE:
        return onToggleMode(window, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
