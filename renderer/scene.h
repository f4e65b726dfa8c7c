#pragma once
// The scene: the angle accumulators, the star field and the per-window GL
// objects, with the three operations the shell drives.

#include <cstdint>

#include "gl_headers.h"
#include "key_state.h"
#include "scene_tables.h"
#include "sphere_cache.h"
#include "star_field.h"
#include "texture_set.h"

struct RenderWindow;

struct Scene {
    RenderWindow* window = nullptr;
    KeyState* keyState = nullptr;
    OrbitAngles angles;                   // live for the whole run, never reset
    StarField stars{};                    // drawn anew at every window creation
    GLUquadric* sphereQuadric = nullptr;  // one per window
    GLuint textureNames[kTextureCount] = {};
    DrawPath drawPath = DrawPath::Compiled;
};

Scene& theScene();

// Sets the fixed GL state, loads the textures and seeds the stars. Context current.
bool sceneInit(RenderWindow& window, KeyState& keys);

// Advances every accumulator by elapsed milliseconds; quits on Escape.
void advanceOrbits(std::uint32_t elapsedMs);

// Frees the per-window objects. The textures end with the rendering context.
void sceneRelease();
