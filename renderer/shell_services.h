#pragma once
// What the window-free scene code may ask of the renderer shell.
//
// On Windows the shell itself provides these (render_window_win32.cpp). The native
// tests link tests/native/support/shell_double.cpp in its place: the scene
// only ever hands the window record back, so the double never needs to know
// what the record holds.

struct RenderWindow;

// Posts the quit request to the renderer window and stops the outer loop.
void postQuit(RenderWindow& window);
