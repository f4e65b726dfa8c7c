#pragma once

// The one way a host window finds the object that owns it. The owner's
// address is the window's creation parameter, kept at WM_NCCREATE; every
// later message goes to the owner's onMessage, which answers it or hands it
// to defaultWindowProc. Provided for Windows only: windows need no test double,
// their decisions live in window-free functions.

#include <windows.h>

// The default handling for a window of either character set.
inline LRESULT defaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

// Owner needs: LRESULT onMessage(HWND, UINT, WPARAM, LPARAM).
template <typename Owner>
LRESULT CALLBACK ownedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // lpCreateParams sits at the same place in both character sets' records.
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // WM_GETMINMAXINFO comes before WM_NCCREATE: no owner yet.
    if (owner == nullptr) return defaultWindowProc(window, message, wParam, lParam);
    const LRESULT result = owner->onMessage(window, message, wParam, lParam);
    // Nothing may reach the owner once its window is gone.
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return result;
}
