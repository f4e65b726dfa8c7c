#pragma once
// The renderer's window record and the shell operations around it.

#include <windows.h>

#include <cstdint>

#include "key_state.h"
#include "monitor_covers.h"

struct RendererApp {
    HINSTANCE instance;
    const char* windowClass;   // "OpenGL"
};

struct RenderWindow {
    KeyState* keyState;
    HWND window;
    HDC deviceContext;         // held for the window's whole life (CS_OWNDC)
    HGLRC glContext;
    RendererApp* app;
    const char* title;         // "Velmorani_VC", the host's sign that the show is on
    int width;
    int height;
    int colorBits;
    int fullScreen;            // 1 while the current window is full screen, either kind
    int visible;               // 1 while frames may be drawn
    std::uint32_t lastTickMs;
    int modeChanged;           // 1 while the display is at the show's mode by our change
    MonitorCovers covers;      // black windows over the other monitors while full screen
};

// The outer loop runs while set; cleared by postQuit and by a failed creation.
extern bool keepRunning;
// The screen mode for the next window creation; inverted by MSG_TOGGLE_MODE.
extern bool wantFullScreen;

constexpr UINT MSG_TOGGLE_MODE = WM_USER + 1;

bool registerRendererClass(const RendererApp& app);
bool applyDisplayMode(int width, int height, int bits);
bool openRenderWindow(RenderWindow& window);
bool closeRenderWindow(RenderWindow& window);
void postQuit(RenderWindow& window);
LRESULT CALLBACK rendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
