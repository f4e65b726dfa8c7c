#pragma once
// What the window-free scene code may ask of the renderer shell.

struct RenderWindow;

// Posts the quit request to the renderer window and stops the outer loop.
void postQuit(RenderWindow& window);
