#pragma once
// Which triangles can be left out without changing a single pixel: those the
// rasteriser would throw away anyway. A triangle is left out only when that
// is certain even if every corner lay kCullMarginPixels away from where it is
// computed here; whenever its facing or its coverage is in doubt it is kept,
// and OpenGL judges it itself. Front faces run counter-clockwise, back faces
// are culled, and a pixel is drawn only where the triangle covers its centre.
// Plain arithmetic, no OpenGL calls.

// Rasterisers snap corners to a grid of 1/256 pixel (1/16 on the coarsest),
// far inside this margin; the single-precision sums here are closer still.
constexpr float kCullMarginPixels = 0.0625f;

struct Viewport {
    int x, y, width, height;
};

// A corner on the screen: window coordinates (pixels from the viewport's
// lower-left corner of the window) and the columns and rows of the viewport's
// pixel centres within the margin of it (none when first > last).
struct ScreenCorner {
    float x, y;
    bool inFront;   // far enough ahead of the eye that OpenGL clips nothing near it
    int firstColumn, lastColumn;
    int firstRow, lastRow;
};

// The corners of count positions through the column-major
// clip = projection × modelview matrix and the viewport.
void projectToScreen(const float (*positions)[3], int count, const double (&clip)[16], const Viewport& viewport,
                     ScreenCorner* out);

// True when the triangle surely gives no fragment: it clearly faces away,
// or no pixel centre of the viewport can lie inside it.
bool drawsNothing(const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c);

// Copies, in their order, the triangles (corner indices into corners) that
// may give a fragment; returns how many were kept.
int keepDrawableTriangles(const unsigned short (*triangles)[3], int count, const ScreenCorner* corners,
                          unsigned short (*kept)[3]);
