#include "triangle_cull.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMargin = kCullMarginPixels;
// Corners nearer the eye than this are clipped by OpenGL; such a triangle is always kept.
constexpr float kNearestW = 1.0f;
// Up to this many pixel centres under the box are tried one by one.
constexpr int kCentresTried = 4;

float min3(float a, float b, float c) { return std::min(a, std::min(b, c)); }
float max3(float a, float b, float c) { return std::max(a, std::max(b, c)); }

// Lengths are taken as |dx| + |dy|, never shorter than the true length, so
// every allowance made from them errs on the side of keeping the triangle.
float roughLength(float dx, float dy) { return std::fabs(dx) + std::fabs(dy); }

// Whether (x, y) lies clearly to the right of the edge from (ax, ay) along
// (dx, dy): outside a counter-clockwise triangle even with every corner moved
// by the margin, which shifts the edge by at most margin × √2.
bool clearlyRightOf(float ax, float ay, float dx, float dy, float x, float y)
{
    const float cross = dx * (y - ay) - dy * (x - ax);
    return cross < -1.5f * kMargin * roughLength(dx, dy);
}

} // namespace

void projectToWindow(const float (*positions)[3], int count, const double (&clip)[16], const Viewport& viewport,
                     WindowPoint* out)
{
    float m[16];
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(clip[i]);
    const float halfWidth = 0.5f * static_cast<float>(viewport.width);
    const float halfHeight = 0.5f * static_cast<float>(viewport.height);
    const float centreX = static_cast<float>(viewport.x) + halfWidth;
    const float centreY = static_cast<float>(viewport.y) + halfHeight;
    for (int i = 0; i < count; ++i) {
        const float px = positions[i][0], py = positions[i][1], pz = positions[i][2];
        const float x = m[0] * px + m[4] * py + m[8] * pz + m[12];
        const float y = m[1] * px + m[5] * py + m[9] * pz + m[13];
        const float w = m[3] * px + m[7] * py + m[11] * pz + m[15];
        const float inverse = w > 0.0f ? 1.0f / w : 0.0f;
        out[i] = {centreX + x * inverse * halfWidth, centreY + y * inverse * halfHeight, w};
    }
}

bool drawsNothing(const WindowPoint& a, const WindowPoint& b, const WindowPoint& c, const Viewport& viewport)
{
    if (!(a.w > kNearestW && b.w > kNearestW && c.w > kNearestW)) return false;

    // The box round the corners, widened by the margin and cut to the viewport.
    const float left = std::max(min3(a.x, b.x, c.x) - kMargin, static_cast<float>(viewport.x));
    const float right = std::min(max3(a.x, b.x, c.x) + kMargin, static_cast<float>(viewport.x + viewport.width));
    const float bottom = std::max(min3(a.y, b.y, c.y) - kMargin, static_cast<float>(viewport.y));
    const float top = std::min(max3(a.y, b.y, c.y) + kMargin, static_cast<float>(viewport.y + viewport.height));
    if (!(left <= right && bottom <= top)) return true;   // wholly outside the viewport

    // Pixel centres sit at whole pixels plus one half: the last column and row
    // whose centre is not beyond the box, then whether that centre is in it.
    // (The box lies inside the viewport here, so its sides are not negative.)
    const int lastColumn = static_cast<int>(right + 0.5f) - 1;
    const int lastRow = static_cast<int>(top + 0.5f) - 1;
    if (static_cast<float>(lastColumn) + 0.5f < left || static_cast<float>(lastRow) + 0.5f < bottom) return true;

    // Moving each corner by up to the margin changes twice the area by at most
    // margin × √2 × the perimeter, plus a little in the margin squared.
    const float area2 = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    const float doubt = 1.5f * kMargin *
                            (roughLength(b.x - a.x, b.y - a.y) + roughLength(c.x - b.x, c.y - b.y) +
                             roughLength(a.x - c.x, a.y - c.y)) +
                        8.0f * kMargin * kMargin;
    if (area2 < -doubt) return true;   // clearly facing away

    // Over a few centres, try each of them. Whatever its facing, the moved
    // triangle stays within margin × √2 of this one, so a centre clearly
    // beyond one of its edges (taken counter-clockwise) stays uncovered.
    const int firstColumn = static_cast<int>(std::ceil(left - 0.5f));
    const int firstRow = static_cast<int>(std::ceil(bottom - 0.5f));
    if ((lastColumn - firstColumn + 1) * (lastRow - firstRow + 1) > kCentresTried) return false;
    const WindowPoint& p = a;
    const WindowPoint& q = area2 >= 0.0f ? b : c;
    const WindowPoint& r = area2 >= 0.0f ? c : b;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const float x = static_cast<float>(column) + 0.5f, y = static_cast<float>(row) + 0.5f;
            const bool outside = clearlyRightOf(p.x, p.y, q.x - p.x, q.y - p.y, x, y) ||
                                 clearlyRightOf(q.x, q.y, r.x - q.x, r.y - q.y, x, y) ||
                                 clearlyRightOf(r.x, r.y, p.x - r.x, p.y - r.y, x, y);
            if (!outside) return false;
        }
    }
    return true;
}

int keepDrawableTriangles(const unsigned short (*triangles)[3], int count, const WindowPoint* corners,
                          const Viewport& viewport, unsigned short (*kept)[3])
{
    int keptCount = 0;
    for (int t = 0; t < count; ++t) {
        const unsigned short* triangle = triangles[t];
        if (drawsNothing(corners[triangle[0]], corners[triangle[1]], corners[triangle[2]], viewport)) continue;
        kept[keptCount][0] = triangle[0];
        kept[keptCount][1] = triangle[1];
        kept[keptCount][2] = triangle[2];
        ++keptCount;
    }
    return keptCount;
}
