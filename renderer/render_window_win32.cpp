#include "render_window.h"

#include <mmsystem.h>

#include "display_choice.h"
#include "projection.h"

bool keepRunning = false;
bool wantFullScreen = true;

bool registerRendererClass(const RendererApp& app)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    // OpenGL needs CS_OWNDC: the device context is held for the window's life.
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = rendererWindowProc;
    windowClass.hInstance = app.instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INACTIVEBORDER + 1));
    windowClass.lpszClassName = app.windowClass;
    return RegisterClassExA(&windowClass) != 0;
}

namespace {

void restoreDisplayMode()
{
    ChangeDisplaySettingsA(nullptr, 0);
}

PIXELFORMATDESCRIPTOR wantedPixelFormat(int colorBits)
{
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = static_cast<BYTE>(colorBits);
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

// The one release path, for a failed creation and a close alike: what the
// window's creation made goes newest first, so the desktop is never left at
// the show's mode or with the cursor hidden.
void releaseRenderWindow(RenderWindow& window)
{
    closeMonitorCovers(window.covers);
    if (window.deviceContext != nullptr) wglMakeCurrent(window.deviceContext, nullptr);
    if (window.glContext != nullptr) {
        wglDeleteContext(window.glContext);
        window.glContext = nullptr;
    }
    if (window.deviceContext != nullptr) {
        ReleaseDC(window.window, window.deviceContext);
        window.deviceContext = nullptr;
    }
    if (window.window != nullptr) {
        DestroyWindow(window.window);
        window.window = nullptr;
    }
    if (window.fullScreen) {
        ShowCursor(TRUE);
        window.fullScreen = 0;
    }
    if (window.modeChanged) {
        restoreDisplayMode();
        window.modeChanged = 0;
    }
}

bool attachGlContext(RenderWindow& window)
{
    window.deviceContext = GetDC(window.window);
    if (window.deviceContext == nullptr) return false;

    const PIXELFORMATDESCRIPTOR wanted = wantedPixelFormat(window.colorBits);
    const int format = ChoosePixelFormat(window.deviceContext, &wanted);
    if (format == 0 || !SetPixelFormat(window.deviceContext, format, &wanted)) return false;

    window.glContext = wglCreateContext(window.deviceContext);
    if (window.glContext == nullptr) return false;
    return wglMakeCurrent(window.deviceContext, window.glContext) != FALSE;
}

// Switches the display to the show's mode when full screen is wanted and
// decides the window from what the display granted.
WindowPlan planWindow(RenderWindow& window)
{
    const bool granted = window.fullScreen && applyDisplayMode(window.width, window.height, window.colorBits);
    window.modeChanged = granted ? 1 : 0;
    return chooseWindowPlan(window.fullScreen != 0, granted, window.width, window.height,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

} // namespace

bool applyDisplayMode(int width, int height, int bits)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    // CDS_FULLSCREEN: temporary, never written to the registry.
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

bool openRenderWindow(RenderWindow& window)
{
    timeBeginPeriod(1);

    const WindowPlan plan = planWindow(window);
    window.fullScreen = plan.fullScreen() ? 1 : 0;

    // Before the window exists, so no key pressed once it has appeared is dropped.
    forgetHeldKeys(*window.keyState);

    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = WS_EX_APPWINDOW;
    RECT rect = {plan.area.left, plan.area.top, plan.area.right, plan.area.bottom};
    if (window.fullScreen) {
        ShowCursor(FALSE);
        style = WS_POPUP;
        exStyle |= WS_EX_TOPMOST;
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }

    window.window = CreateWindowExA(exStyle, window.app->windowClass, window.title, style, 0, 0,
                                    rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                    window.app->instance, &window);
    if (window.window == nullptr || !attachGlContext(window)) {
        releaseRenderWindow(window);
        return false;
    }

    ShowWindow(window.window, SW_SHOWNORMAL);
    window.visible = 1;
    // After any mode change, which can move the other monitors.
    if (window.fullScreen) openMonitorCovers(window.covers, window.window, window.app->instance);
    // After showing, so it overrides whatever size message showing produced.
    setProjection(plan.area.width(), plan.area.height());
    window.lastTickMs = timeGetTime();
    return true;
}

bool closeRenderWindow(RenderWindow& window)
{
    releaseRenderWindow(window);
    return true;
}

void postQuit(RenderWindow& window)
{
    PostMessageA(window.window, WM_QUIT, 0, 0);
    keepRunning = false;
}
