#include "triangle_cull.h"

#include <algorithm>
#include <cmath>

namespace {

// Far above the rounding of these sums (about 1/10000 pixel).
constexpr float kRoundingAllowance = 1.0f / 256.0f;
// Corners nearer the eye than the near plane are clipped by OpenGL; a
// triangle with such a corner is always kept.
constexpr float kNearestW = 1.0f;
// Up to this many pixel centres under the box are tried one by one.
constexpr int kCentresTried = 4;

float min3(float a, float b, float c) { return std::min(a, std::min(b, c)); }
float max3(float a, float b, float c) { return std::max(a, std::max(b, c)); }
int min3(short a, short b, short c) { return std::min(a, std::min(b, c)); }
int max3(short a, short b, short c) { return std::max(a, std::max(b, c)); }

// Window coordinates are cut to a little beyond the viewport before they are
// rounded, so they stay small; with this offset they are positive, where
// truncation rounds down, and the double sum is exact for any such float.
constexpr double kRoundingOffset = 65536.0;

int floorToInt(float v)
{
    return static_cast<int>(static_cast<double>(v) + kRoundingOffset) - static_cast<int>(kRoundingOffset);
}

int ceilToInt(float v)
{
    return static_cast<int>(kRoundingOffset) - static_cast<int>(kRoundingOffset - static_cast<double>(v));
}

// Pixel centres sit at whole pixels plus one half; these are the first and
// last of them within the margin of v, cut to [low, high].
void centresNear(float v, float margin, int low, int high, int& first, int& last)
{
    // Far outside the viewport only the side matters.
    const float clamped = std::min(std::max(v, static_cast<float>(low) - 2.0f), static_cast<float>(high) + 2.0f);
    first = std::max(low, ceilToInt(clamped - margin - 0.5f));
    last = std::min(high, floorToInt(clamped + margin - 0.5f));
}

// Whether (x, y) lies clearly to the right of the edge from (ax, ay) along
// (dx, dy). Moving every corner by up to the margin along each axis keeps the
// triangle inside this one widened by a square of that half-size, whose
// reach across the edge is margin × (|dx| + |dy|) / length; so a centre
// farther out than that stays uncovered, whatever the moved triangle's facing.
bool clearlyRightOf(float ax, float ay, float dx, float dy, float x, float y, float margin)
{
    const float cross = dx * (y - ay) - dy * (x - ax);
    return cross < -margin * (std::fabs(dx) + std::fabs(dy));
}

} // namespace

float cullMarginPixels(int subpixelBits)
{
    // Fewer bits than OpenGL allows are taken as none: half a pixel.
    const int bits = subpixelBits < 4 ? 0 : std::min(subpixelBits, 16);
    return std::ldexp(1.0f, -(bits + 1)) + kRoundingAllowance;
}

bool projectToScreen(const float (*positions)[3], int count, const double (&clip)[16], const Viewport& viewport,
                     float margin, ScreenCorner* out)
{
    float m[16];
    for (int i = 0; i < 16; ++i) m[i] = static_cast<float>(clip[i]);
    const float halfWidth = 0.5f * static_cast<float>(viewport.width);
    const float halfHeight = 0.5f * static_cast<float>(viewport.height);
    const float centreX = static_cast<float>(viewport.x) + halfWidth;
    const float centreY = static_cast<float>(viewport.y) + halfHeight;
    const int lastColumn = viewport.x + viewport.width - 1;
    const int lastRow = viewport.y + viewport.height - 1;
    bool inFront = true;
    for (int i = 0; i < count; ++i) {
        const float px = positions[i][0], py = positions[i][1], pz = positions[i][2];
        const float x = m[0] * px + m[4] * py + m[8] * pz + m[12];
        const float y = m[1] * px + m[5] * py + m[9] * pz + m[13];
        const float w = m[3] * px + m[7] * py + m[11] * pz + m[15];
        inFront = inFront && w > kNearestW;
        const float inverse = 1.0f / std::max(w, kNearestW);
        ScreenCorner& corner = out[i];
        corner.x = centreX + x * inverse * halfWidth;
        corner.y = centreY + y * inverse * halfHeight;
        int first = 0, last = 0;
        centresNear(corner.x, margin, viewport.x, lastColumn, first, last);
        corner.firstColumn = static_cast<short>(first);
        corner.lastColumn = static_cast<short>(last);
        centresNear(corner.y, margin, viewport.y, lastRow, first, last);
        corner.firstRow = static_cast<short>(first);
        corner.lastRow = static_cast<short>(last);
    }
    return inFront;
}

namespace {

struct CentreBox {
    int firstColumn, lastColumn, firstRow, lastRow;

    bool empty() const { return firstColumn > lastColumn || firstRow > lastRow; }
};

// The pixel centres of the viewport within the margin of the box round the corners.
inline CentreBox centreBox(const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c)
{
    return {min3(a.firstColumn, b.firstColumn, c.firstColumn), max3(a.lastColumn, b.lastColumn, c.lastColumn),
            min3(a.firstRow, b.firstRow, c.firstRow), max3(a.lastRow, b.lastRow, c.lastRow)};
}

// The finer judgement, for a triangle whose box holds a pixel centre.
bool blankOverCentres(const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c, const CentreBox& box,
                      float margin)
{
    // Moving each corner by up to the margin along each axis changes twice the
    // area by at most the margin × the sum of |dx| + |dy| over the edges (which
    // is twice the width plus twice the height of the box), plus 8 × margin².
    const float area2 = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    const float width = max3(a.x, b.x, c.x) - min3(a.x, b.x, c.x);
    const float height = max3(a.y, b.y, c.y) - min3(a.y, b.y, c.y);
    const float doubt = 2.0f * margin * (width + height) + 8.0f * margin * margin;
    if (area2 < -doubt) return true;   // clearly facing away

    // Over a few centres, try each of them against the edges taken counter-clockwise.
    if ((box.lastColumn - box.firstColumn + 1) * (box.lastRow - box.firstRow + 1) > kCentresTried) return false;
    const ScreenCorner& p = a;
    const ScreenCorner& q = area2 >= 0.0f ? b : c;
    const ScreenCorner& r = area2 >= 0.0f ? c : b;
    for (int row = box.firstRow; row <= box.lastRow; ++row) {
        for (int column = box.firstColumn; column <= box.lastColumn; ++column) {
            const float x = static_cast<float>(column) + 0.5f, y = static_cast<float>(row) + 0.5f;
            const bool outside = clearlyRightOf(p.x, p.y, q.x - p.x, q.y - p.y, x, y, margin) ||
                                 clearlyRightOf(q.x, q.y, r.x - q.x, r.y - q.y, x, y, margin) ||
                                 clearlyRightOf(r.x, r.y, p.x - r.x, p.y - r.y, x, y, margin);
            if (!outside) return false;
        }
    }
    return true;
}

} // namespace

bool drawsNothing(const ScreenCorner& a, const ScreenCorner& b, const ScreenCorner& c, float margin)
{
    const CentreBox box = centreBox(a, b, c);
    return box.empty() || blankOverCentres(a, b, c, box, margin);
}

int keepDrawableTriangles(const unsigned short (*triangles)[3], int count, const ScreenCorner* corners,
                          float margin, unsigned short (*kept)[3])
{
    // Most small triangles hold no pixel centre in their box; that first
    // sift is made without a branch, copying every triangle and counting
    // only those that pass.
    int boxed = 0;
    for (int t = 0; t < count; ++t) {
        const unsigned short* triangle = triangles[t];
        kept[boxed][0] = triangle[0];
        kept[boxed][1] = triangle[1];
        kept[boxed][2] = triangle[2];
        boxed += centreBox(corners[triangle[0]], corners[triangle[1]], corners[triangle[2]]).empty() ? 0 : 1;
    }
    int keptCount = 0;
    for (int t = 0; t < boxed; ++t) {
        const ScreenCorner& a = corners[kept[t][0]];
        const ScreenCorner& b = corners[kept[t][1]];
        const ScreenCorner& c = corners[kept[t][2]];
        if (blankOverCentres(a, b, c, centreBox(a, b, c), margin)) continue;
        kept[keptCount][0] = kept[t][0];
        kept[keptCount][1] = kept[t][1];
        kept[keptCount][2] = kept[t][2];
        ++keptCount;
    }
    return keptCount;
}
