#pragma once
// Sphere geometry for the frame draw. The literal path tessellates every
// sphere with the quadric on each frame and draws each star as its own point
// primitive; the compiled path replays display lists made once per rendering
// context and draws the stars as one primitive. Both give the same pixels.

#include "gl_headers.h"

enum class DrawPath {
    Literal,
    Compiled
};

// A short name for figures and messages: "literal" or "compiled".
const char* drawPathName(DrawPath path);

// Compiles one list per distinct sphere of the scene (context current).
void compileSphereLists(GLUquadric* quadric);

// Deletes the lists of the current context; safe when none were made.
void releaseSphereLists();

// Draws a 30 × 30 sphere of the given radius in the current frame.
void drawSphere(GLUquadric* quadric, double radius, DrawPath path);
