// The triangle sieve against the rules a rasteriser follows: a pixel is drawn
// only where a counter-clockwise triangle covers its centre (whole pixels
// plus one half). Corners are placed directly in window pixels.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "triangle_cull.h"

namespace {

const Viewport kViewport = {0, 0, 100, 100};
// The coarsest rasteriser OpenGL allows: 4 sub-pixel bits.
const float kCoarse = cullMarginPixels(4);
// With this matrix a position's x and y are its normalised device coordinates.
constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2};

// A corner at window pixel (x, y): w = 2 keeps it well in front of the eye.
ScreenCorner at(double x, double y, float margin = kCoarse)
{
    const float position[1][3] = {{static_cast<float>(2 * (x - 50) / 50), static_cast<float>(2 * (y - 50) / 50), 0}};
    ScreenCorner corner{};
    EXPECT_TRUE(projectToScreen(position, 1, kIdentity, kViewport, margin, &corner));
    return corner;
}

bool blank(double ax, double ay, double bx, double by, double cx, double cy, float margin = kCoarse)
{
    return drawsNothing(at(ax, ay, margin), at(bx, by, margin), at(cx, cy, margin), margin);
}

TEST(TriangleCull, MarginIsHalfAGridStepPlusARoundingAllowance)
{
    EXPECT_FLOAT_EQ(cullMarginPixels(8), 1.0f / 512 + 1.0f / 256);
    EXPECT_FLOAT_EQ(cullMarginPixels(4), 1.0f / 32 + 1.0f / 256);
    // Fewer bits than OpenGL allows: taken as whole pixels.
    EXPECT_FLOAT_EQ(cullMarginPixels(2), 0.5f + 1.0f / 256);
    EXPECT_FLOAT_EQ(cullMarginPixels(0), 0.5f + 1.0f / 256);
}

TEST(TriangleCull, CornersLandOnTheirWindowPixels)
{
    const ScreenCorner c = at(10.25, 80.53);
    EXPECT_NEAR(c.x, 10.25, 1e-4);
    EXPECT_NEAR(c.y, 80.53, 1e-4);
    // Centres 9.5 and 10.5 are farther than the margin; 80.5 is within it, 81.5 is not.
    EXPECT_EQ(c.firstColumn, 10);
    EXPECT_EQ(c.lastColumn, 9);
    EXPECT_EQ(c.firstRow, 80);
    EXPECT_EQ(c.lastRow, 80);
}

struct Case {
    const char* what;
    double corners[3][2];   // window pixels
    bool blank;             // surely gives no pixel
};

const Case kCases[] = {
    {"front-facing over many centres", {{10, 10}, {40, 10}, {10, 40}}, false},
    {"clearly back-facing over many centres", {{10, 10}, {10, 40}, {40, 10}}, true},
    // Around (10, 10) the nearest centres lie half a pixel away on each axis.
    {"small, between centres, front-facing", {{9.9, 9.9}, {10.1, 9.9}, {9.9, 10.1}}, true},
    {"small, between centres, back-facing", {{9.9, 9.9}, {9.9, 10.1}, {10.1, 9.9}}, true},
    {"small, over the centre (10.5, 10.5)", {{10.4, 10.4}, {10.6, 10.4}, {10.4, 10.6}}, false},
    {"nearest corner 0.02 pixel from a centre on each axis, 4 sub-pixel bits: OpenGL decides",
     {{10.52, 10.52}, {10.7, 10.52}, {10.52, 10.7}}, false},
    {"the same a fifth of a pixel away", {{10.7, 10.7}, {10.9, 10.7}, {10.7, 10.9}}, true},
    // Its box holds (10.5, 10.5) and (10.5, 11.5); it passes 0.35 pixel from both.
    {"sliver passing between centres", {{10.0, 10.5}, {11.0, 11.5}, {11.0, 11.55}}, true},
    {"the sliver half a pixel up, through (10.5, 11.5)", {{10.0, 11.0}, {11.0, 12.0}, {11.0, 12.05}}, false},
    {"flat, through a centre", {{9.5, 10.5}, {11.5, 10.5}, {10.5, 10.5}}, false},
    {"flat, between rows of centres", {{9.5, 10.0}, {11.5, 10.0}, {10.5, 10.0}}, true},
    {"wholly left of the viewport", {{-20, 10}, {-5, 10}, {-5, 40}}, true},
    {"wholly right of the viewport", {{105, 10}, {130, 10}, {105, 40}}, true},
    {"across the viewport's left edge", {{-20, 10}, {5, 10}, {-20, 40}}, false},
};

TEST(TriangleCull, LeavesOutOnlyWhatSurelyGivesNoPixel)
{
    for (const Case& c : kCases) {
        EXPECT_EQ(blank(c.corners[0][0], c.corners[0][1], c.corners[1][0], c.corners[1][1], c.corners[2][0],
                        c.corners[2][1]),
                  c.blank)
            << c.what;
    }
    // With 8 sub-pixel bits a corner lands within 1/512 pixel: 0.02 pixel off a centre is clear of it.
    EXPECT_TRUE(blank(10.52, 10.52, 10.7, 10.52, 10.52, 10.7, cullMarginPixels(8)));
}

TEST(TriangleCull, ACornerNearTheEyeLeavesEveryTriangleToOpenGL)
{
    const float positions[2][3] = {{0, 0, 0}, {0.5f, 0.5f, 0}};
    double clip[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.5};   // w = 0.5: inside the near plane
    ScreenCorner corners[2];
    EXPECT_FALSE(projectToScreen(positions, 2, clip, kViewport, kCoarse, corners));
    clip[15] = -3;   // behind the eye
    EXPECT_FALSE(projectToScreen(positions, 2, clip, kViewport, kCoarse, corners));
}

TEST(TriangleCull, KeptTrianglesStayInTheirOrder)
{
    const ScreenCorner corners[] = {at(10, 10), at(40, 10), at(10, 40),          // 0–2: front, large
                                    at(9.9, 9.9), at(10.1, 9.9), at(9.9, 10.1),  // 3–5: between centres
                                    at(10.4, 10.4), at(10.6, 10.4), at(10.4, 10.6)};
    const unsigned short triangles[][3] = {{0, 1, 2}, {3, 4, 5}, {0, 2, 1}, {6, 7, 8}, {3, 4, 5}};
    unsigned short kept[5][3] = {};
    ASSERT_EQ(keepDrawableTriangles(triangles, 5, corners, kCoarse, kept), 2);
    EXPECT_EQ(kept[0][0], 0);
    EXPECT_EQ(kept[0][1], 1);
    EXPECT_EQ(kept[0][2], 2);
    EXPECT_EQ(kept[1][0], 6);
    EXPECT_EQ(kept[1][1], 7);
    EXPECT_EQ(kept[1][2], 8);
}

// Whether a counter-clockwise triangle covers (x, y), edges included.
bool covers(const double (&p)[3][2], double x, double y)
{
    for (int e = 0; e < 3; ++e) {
        const double* a = p[e];
        const double* b = p[(e + 1) % 3];
        if ((b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0]) < 0) return false;
    }
    return true;
}

TEST(TriangleCull, NoTriangleLeftOutCouldGiveAPixelWithItsCornersMovedWithinTheMargin)
{
    for (const float margin : {cullMarginPixels(4), cullMarginPixels(8)}) {
    SCOPED_TRACE(margin);
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> place(20.0, 24.0), size(-1.2, 1.2), nudge(-1.0, 1.0);
    int leftOut = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        double corner[3][2];
        const double x = place(random), y = place(random);
        const double scale = trial % 2 == 0 ? 0.25 : 1.0;   // many sub-pixel ones, as on a small sphere
        for (auto& c : corner) {
            c[0] = x + size(random) * scale;
            c[1] = y + size(random) * scale;
        }
        if (!blank(corner[0][0], corner[0][1], corner[1][0], corner[1][1], corner[2][0], corner[2][1], margin))
            continue;
        ++leftOut;
        for (int move = 0; move < 40; ++move) {
            double moved[3][2];
            for (int k = 0; k < 3; ++k) {
                for (int axis = 0; axis < 2; ++axis) {
                    // Extremes of the margin box as often as points inside it.
                    const double n = move % 2 == 0 ? (nudge(random) < 0 ? -1.0 : 1.0) : nudge(random);
                    moved[k][axis] = corner[k][axis] + n * margin * 0.999;
                }
            }
            const double area2 = (moved[1][0] - moved[0][0]) * (moved[2][1] - moved[0][1]) -
                                 (moved[2][0] - moved[0][0]) * (moved[1][1] - moved[0][1]);
            if (area2 <= 0) continue;   // back-facing or flat: culled by OpenGL
            for (int cx = 15; cx < 30; ++cx) {
                for (int cy = 15; cy < 30; ++cy) {
                    ASSERT_FALSE(covers(moved, cx + 0.5, cy + 0.5))
                        << "trial " << trial << " left out a triangle that covers (" << cx << ".5, " << cy << ".5)";
                }
            }
        }
    }
    EXPECT_GT(leftOut, 1000);   // the sieve did leave many out
    }
}

} // namespace
