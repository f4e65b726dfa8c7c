// The renderer program: one OpenGL window animating the scene until Escape
// or a close request. Takes no arguments and reads no settings.

#include "render_window.h"

#include <mmsystem.h>

#include "frame_draw.h"
#include "scene.h"

namespace {

// Returns when the quit request has been retrieved. Every window of this
// thread has its messages handled here: the covers paint and pass a close on.
void runFrameLoop(RenderWindow& window)
{
    for (;;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return;
            DispatchMessageA(&message);
        } else if (window.visible) {
            const DWORD now = timeGetTime();
            // Unsigned difference: the clock's wrap after 2^32 ms is harmless.
            advanceOrbits(now - window.lastTickMs);
            window.lastTickMs = now;
            drawFrame();
            SwapBuffers(window.deviceContext);
        } else {
            // Minimised: use no processor time until something happens.
            WaitMessage();
        }
    }
}

// What was posted behind a toggle's quit request, a close or a key, would be
// lost with the old window: it is handled before the window goes.
void handleQueuedMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_INPUT)) {
        if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
}

} // namespace

int rendererMain(HINSTANCE instance)
{
    timeBeginPeriod(1);   // released with the process

    RendererApp app = {instance, "OpenGL"};
    KeyState keys;
    RenderWindow window = {};
    window.keyState = &keys;
    window.app = &app;
    window.title = "Velmorani_VC";
    window.width = 1024;
    window.height = 768;
    window.colorBits = 16;
    window.fullScreen = 1;
    clearKeyState(keys);

    if (!registerRendererClass(app)) return -1;

    keepRunning = true;
    wantFullScreen = window.fullScreen != 0;
    while (keepRunning) {
        window.fullScreen = wantFullScreen ? 1 : 0;
        if (!openRenderWindow(window)) {
            keepRunning = false;
            continue;
        }
        if (sceneInit(window, keys)) {
            runFrameLoop(window);
            if (keepRunning) handleQueuedMessages();
        } else {
            postQuit(window);
        }
        sceneRelease();
        closeRenderWindow(window);
    }

    unregisterCoverClass(app.instance);
    UnregisterClassA(app.windowClass, app.instance);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return rendererMain(instance);
}
