#pragma once
// One complete frame of the scene into the back buffer. Relies on the state
// left by sceneInit and leaves it as found: lighting, texturing, culling and
// depth writes on, blending off, current colour white, modelview stack at base.

void drawFrame();
