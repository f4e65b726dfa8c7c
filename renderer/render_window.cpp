#include "render_window.h"

#include <mmsystem.h>

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

bool changeDisplayMode(int width, int height, int bits)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    if (bits > 0) {
        mode.dmBitsPerPel = static_cast<DWORD>(bits);
        mode.dmFields |= DM_BITSPERPEL;
    }
    // CDS_FULLSCREEN: temporary, never written to the registry.
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

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

// Undoes a full-screen switch made by an attempt that then failed, so the
// desktop is never left at the show's mode with the cursor hidden.
void undoFullScreen(RenderWindow& window)
{
    if (!window.fullScreen) return;
    restoreDisplayMode();
    ShowCursor(TRUE);
    window.fullScreen = 0;
}

// Releases what a failed attempt made, newest first.
bool failCreation(RenderWindow& window)
{
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
    undoFullScreen(window);
    return false;
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

} // namespace

bool applyDisplayMode(int width, int height, int bits)
{
    return changeDisplayMode(width, height, bits);
}

bool openRenderWindow(RenderWindow& window)
{
    timeBeginPeriod(1);

    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = WS_EX_APPWINDOW;
    RECT rect = {0, 0, window.width, window.height};

    if (window.fullScreen) {
        // Many current display drivers list no 16-bit modes; the show's size at
        // the desktop's own depth still beats a framed window.
        if (applyDisplayMode(window.width, window.height, window.colorBits) ||
            applyDisplayMode(window.width, window.height, 0)) {
            ShowCursor(FALSE);
            style = WS_POPUP;
            exStyle |= WS_EX_TOPMOST;
        } else {
            // The whole window, frame included, keeps the requested size.
            window.fullScreen = 0;
        }
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }

    window.window = CreateWindowExA(exStyle, window.app->windowClass, window.title, style, 0, 0,
                                    rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                    window.app->instance, &window);
    if (window.window == nullptr) return failCreation(window);
    if (!attachGlContext(window)) return failCreation(window);

    ShowWindow(window.window, SW_SHOWNORMAL);
    window.visible = 1;
    // After showing, so it overrides whatever size message showing produced.
    setProjection(window.width, window.height);
    clearKeyState(*window.keyState);
    window.lastTickMs = timeGetTime();
    return true;
}

bool closeRenderWindow(RenderWindow& window)
{
    if (window.window != nullptr) {
        if (window.deviceContext != nullptr) {
            wglMakeCurrent(window.deviceContext, nullptr);
            if (window.glContext != nullptr) {
                wglDeleteContext(window.glContext);
                window.glContext = nullptr;
            }
            ReleaseDC(window.window, window.deviceContext);
            window.deviceContext = nullptr;
        }
        DestroyWindow(window.window);
        window.window = nullptr;
    }
    if (window.fullScreen) {
        restoreDisplayMode();
        ShowCursor(TRUE);
    }
    return true;
}

void postQuit(RenderWindow& window)
{
    PostMessageA(window.window, WM_QUIT, 0, 0);
    keepRunning = false;
}
