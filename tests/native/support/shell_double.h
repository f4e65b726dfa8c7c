#pragma once
// Stands in for the renderer shell in the native tests.

struct RenderWindow {
    int quitRequests = 0;
};
