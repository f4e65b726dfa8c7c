#pragma once
// Sphere geometry for the frame draw. The literal path tessellates every
// sphere with the quadric on each frame and draws each star as its own point
// primitive. The compiled path draws the same triangles from vertex arrays
// made once per window, and leaves out those the rasteriser would throw away
// anyway (facing away, or covering no pixel centre), so both give the same pixels.

#include "gl_headers.h"

enum class DrawPath {
    Literal,
    Compiled
};

// A short name for figures and messages: "literal" or "compiled".
const char* drawPathName(DrawPath path);

// Builds the arrays of every distinct sphere of the scene. Nothing is
// allocated after this, frame by frame.
void compileSphereLists(GLUquadric* quadric);

// Forgets the arrays; safe when none were made.
void releaseSphereLists();

// Brackets the spheres of one frame on the compiled path: turns the vertex
// arrays on and off again, so the rest of the frame sees OpenGL as before.
void beginCompiledSpheres();
void endCompiledSpheres();

// Draws a 30 × 30 sphere of the given radius in the current frame.
void drawSphere(GLUquadric* quadric, double radius, DrawPath path);
