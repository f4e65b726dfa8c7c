#pragma once
// Steps of the frame that the frame draw shares with the benchmark's empty
// frame (a clear plus the Sun), so both measure the very same calls.

#include "scene.h"

// Lighting on, colour white, modelview ← the fixed camera: the base of every body.
void applyCamera();

// A square in the frame's x-y plane, facing +z, each corner with its texture coordinate.
void drawQuad(float halfSize);

// The Sun's two blended squares, turned by angleSun in the current frame.
// Leaves lighting on, blending off and depth writes on.
void drawSun(const Scene& scene);
