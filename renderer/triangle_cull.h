#pragma once
// Which triangles can be left out without changing a single pixel: those the
// rasteriser would throw away anyway. A triangle is left out only when that
// is certain even if every corner lay kCullMarginPixels away from where it is
// computed here; whenever its facing or its coverage is in doubt it is kept,
// and OpenGL judges it itself. Front faces run counter-clockwise, back faces
// are culled. Plain arithmetic, no OpenGL calls.

constexpr float kCullMarginPixels = 0.0625f;

// A corner in window coordinates: pixels from the viewport's lower-left
// corner of the window, and the clip w (the distance in front of the eye).
struct WindowPoint {
    float x, y, w;
};

struct Viewport {
    int x, y, width, height;
};

// Window coordinates of count positions through the column-major
// clip = projection × modelview matrix and the viewport.
void projectToWindow(const float (*positions)[3], int count, const double (&clip)[16], const Viewport& viewport,
                     WindowPoint* out);

// True when the triangle surely gives no fragment: it clearly faces away,
// or no pixel centre of the viewport can lie inside it.
bool drawsNothing(const WindowPoint& a, const WindowPoint& b, const WindowPoint& c, const Viewport& viewport);

// Copies, in their order, the triangles (corner indices into corners) that
// may give a fragment; returns how many were kept.
int keepDrawableTriangles(const unsigned short (*triangles)[3], int count, const WindowPoint* corners,
                          const Viewport& viewport, unsigned short (*kept)[3]);
