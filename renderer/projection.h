#pragma once
// Viewport and perspective for a client area of the given size in pixels.
void setProjection(int width, int height);
