#pragma once
// Which triangles can be left out without changing a single pixel: those the
// rasteriser would throw away anyway. A triangle is left out only when that
// is certain even if every corner lay up to a margin away, along each
// axis, from where it is computed here; whenever its facing or its coverage is in doubt it is kept,
// and OpenGL judges it itself. Front faces run counter-clockwise, back faces
// are culled, and a pixel is drawn only where the triangle covers its centre.
// Plain arithmetic, no OpenGL calls.

// How far from where it is computed here the rasteriser may put a corner,
// along each axis, given its sub-pixel bits (OpenGL's GL_SUBPIXEL_BITS, at
// least 4): half a step of its grid, plus an allowance for the rounding of
// the single-precision sums here and in OpenGL (about 1/10000 pixel).
float cullMarginPixels(int subpixelBits);

struct Viewport {
    int x, y, width, height;
};

// A corner on the screen: window coordinates (pixels from the viewport's
// lower-left corner of the window) and the columns and rows of the viewport's
// pixel centres within the margin of it (none when first > last).
// Every corner of one sieve is made with the same margin.
struct ScreenCorner {
    float x, y;
    short firstColumn, lastColumn;
    short firstRow, lastRow;
};

// The corners of count positions through the column-major
// clip = projection × modelview matrix and the viewport. False when a
// position lies so near the eye (or behind it) that OpenGL clips near it:
// then nothing can be judged here and every triangle must be kept.
[[nodiscard]] bool projectToScreen(const float (*positions)[3], int count, const double (&clip)[16],
                                   const Viewport& viewport, float margin, ScreenCorner* out);

// True when the triangle surely gives no fragment: it clearly faces away,
// or no pixel centre of the viewport can lie inside it.
bool drawsNothing(const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c, float margin);

// Copies, in their order, the triangles (corner indices into corners) that
// may give a fragment; returns how many were kept.
int keepDrawableTriangles(const unsigned short (*triangles)[3], int count, const ScreenCorner* corners,
                          float margin, unsigned short (*kept)[3]);
