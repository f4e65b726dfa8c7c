#pragma once
// Stands in for the renderer shell in the native tests (linked in place of
// render_window_win32.cpp). The scene keeps the window record only to hand it back
// to postQuit, so a test gives it a recorder's address instead of a record
// and counts the quit requests made for that recorder.

#include "shell_services.h"

class QuitRecorder {
public:
    // What the scene takes as its window record; never dereferenced as one.
    RenderWindow& record();
    operator RenderWindow&() { return record(); }

    int quitRequests = 0;
};
