// The renderer shell's window-free decisions: which window it opens, where
// the black covers go on other monitors, which keys and system commands its
// window takes, and the picture's proportions at any window size.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "display_choice.h"
#include "gl_headers.h"
#include "key_state.h"
#include "monitor_layout.h"
#include "projection.h"
#include "support/offscreen_gl.h"
#include "window_rules.h"

namespace {

// ---- Which window -------------------------------------------------------

struct PlanCase {
    bool fullScreen;
    bool granted;
    int desktopWidth, desktopHeight;
    WindowKind kind;
    ScreenRect area;
};

TEST(WindowChoice, FollowsWhatTheDisplayGrantedForTheShowsSize)
{
    const PlanCase cases[] = {
        // The show's mode granted: a popup at 1024 x 768, whatever the desktop was.
        {true, true, 1280, 1024, WindowKind::ShowMode, {0, 0, 1024, 768}},
        {true, true, 1024, 768, WindowKind::ShowMode, {0, 0, 1024, 768}},
        // Refused: the primary display covered at its own size, wide or tall.
        {true, false, 1280, 1024, WindowKind::DesktopCover, {0, 0, 1280, 1024}},
        {true, false, 1920, 1080, WindowKind::DesktopCover, {0, 0, 1920, 1080}},
        {true, false, 800, 1280, WindowKind::DesktopCover, {0, 0, 800, 1280}},
        // Refused and the desktop's size unknown: a framed window is all that is left.
        {true, false, 0, 0, WindowKind::Framed, {0, 0, 1024, 768}},
        {true, false, 1280, 0, WindowKind::Framed, {0, 0, 1024, 768}},
        // Framed wanted (after the toggle): client area of the show's size.
        {false, false, 1280, 1024, WindowKind::Framed, {0, 0, 1024, 768}},
        {false, false, 1024, 768, WindowKind::Framed, {0, 0, 1024, 768}},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "full screen " << c.fullScreen << ", granted " << c.granted
                                          << ", desktop " << c.desktopWidth << "x" << c.desktopHeight);
        const WindowPlan plan = chooseWindowPlan(c.fullScreen, c.granted, 1024, 768, c.desktopWidth, c.desktopHeight);
        EXPECT_EQ(plan.kind, c.kind);
        EXPECT_EQ(plan.area, c.area);
        // Both popups are full screen: cursor hidden, covers on the other monitors.
        EXPECT_EQ(plan.fullScreen(), c.kind != WindowKind::Framed);
    }
}

// ---- Covers on the other monitors -----------------------------------------

TEST(MonitorCovers, OneMonitorNeedsNoCover)
{
    EXPECT_TRUE(coverRects({{{0, 0, 1280, 1024}, true}}).empty());
    EXPECT_TRUE(coverRects({}).empty());
}

TEST(MonitorCovers, EveryMonitorButThePrimaryIsCoveredWhereverItLies)
{
    // A second monitor to the right.
    std::vector<ScreenRect> two = coverRects({{{0, 0, 1024, 768}, true}, {{1024, 0, 2944, 1080}, false}});
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0], (ScreenRect{1024, 0, 2944, 1080}));

    // The primary in the middle: one monitor left of it (negative x), one above
    // and right of it (negative y).
    std::vector<ScreenRect> three = coverRects({{{-1920, 0, 0, 1080}, false},
                                                {{0, 0, 1280, 1024}, true},
                                                {{1280, -200, 2560, 824}, false}});
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[0], (ScreenRect{-1920, 0, 0, 1080}));
    EXPECT_EQ(three[1], (ScreenRect{1280, -200, 2560, 824}));
    EXPECT_EQ(three[1].width(), 1280);
    EXPECT_EQ(three[1].height(), 1024);
}

TEST(MonitorCovers, ThePrimaryIsTheMarkedOneNotTheLeftmostOrFirst)
{
    // Listed first and leftmost, but not primary: it is covered, the primary is not.
    std::vector<ScreenRect> covers = coverRects({{{-1280, -1024, 0, 0}, false}, {{0, 0, 1024, 768}, true}});
    ASSERT_EQ(covers.size(), 1u);
    EXPECT_EQ(covers[0], (ScreenRect{-1280, -1024, 0, 0}));
}

TEST(MonitorCovers, WithoutAPrimaryMarkTheMonitorAtTheOriginIsThePrimary)
{
    std::vector<ScreenRect> covers = coverRects({{{-1024, 0, 0, 768}, false}, {{0, 0, 1024, 768}, false}});
    ASSERT_EQ(covers.size(), 1u);
    EXPECT_EQ(covers[0], (ScreenRect{-1024, 0, 0, 768}));
}

TEST(MonitorCovers, MirrorsOfThePrimaryRepeatsAndEmptyAreasGetNone)
{
    // A mirror shows the show itself; a cover there would hide it.
    std::vector<ScreenRect> covers = coverRects({{{0, 0, 1024, 768}, true},
                                                 {{0, 0, 1024, 768}, false},
                                                 {{1024, 0, 2048, 768}, false},
                                                 {{1024, 0, 2048, 768}, false},
                                                 {{2048, 0, 2048, 768}, false}});
    ASSERT_EQ(covers.size(), 1u);
    EXPECT_EQ(covers[0], (ScreenRect{1024, 0, 2048, 768}));
}

// ---- The window procedure's rules -------------------------------------------

TEST(WindowRules, OnlyTheScreenSaveAndMonitorPowerCommandsAreRefusedComparedWhole)
{
    EXPECT_TRUE(isRefusedSystemCommand(0xF140));    // screen saver
    EXPECT_TRUE(isRefusedSystemCommand(0xF170));    // monitor power
    // The low four bits are not masked off.
    EXPECT_FALSE(isRefusedSystemCommand(0xF141));
    EXPECT_FALSE(isRefusedSystemCommand(0xF172));
    EXPECT_FALSE(isRefusedSystemCommand(0xF060));   // close
    EXPECT_FALSE(isRefusedSystemCommand(0xF020));   // minimise
    EXPECT_FALSE(isRefusedSystemCommand(0xF030));   // maximise
    EXPECT_FALSE(isRefusedSystemCommand(0x1F140));
    EXPECT_FALSE(isRefusedSystemCommand(0));
}

TEST(WindowRules, KeyFlagsCoverVirtualKeysZeroTo255)
{
    EXPECT_TRUE(isTrackedKey(0));
    EXPECT_TRUE(isTrackedKey(27));    // Escape
    EXPECT_TRUE(isTrackedKey(255));
    EXPECT_FALSE(isTrackedKey(256));
    EXPECT_FALSE(isTrackedKey(0x10000));
    EXPECT_FALSE(isTrackedKey(static_cast<std::uintptr_t>(-1)));
}

// ---- Proportions at any window size ------------------------------------------

// Where a point lands with the show's camera, eye (0, 30, 110) looking at the Sun.
void screenPoint(double x, double y, double z, double& sx, double& sy)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 30, 110, 0, 0, 0, 0, 1, 0);
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wz = 0;
    gluProject(x, y, z, model, projection, viewport, &sx, &sy, &wz);
}

TEST(Projection, TheSunIsCentredAndRoundAtTheShowsSizeAndTheDesktopsOwn)
{
    struct Size {
        int width, height;
    };
    for (const Size size : {Size{1024, 768}, Size{1280, 1024}, Size{1920, 1080}}) {
        SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
        OffscreenGl gl(size.width, size.height);
        ASSERT_TRUE(gl.ready());
        setProjection(size.width, size.height);

        double cx = 0, cy = 0;
        screenPoint(0, 0, 0, cx, cy);
        EXPECT_NEAR(cx, size.width / 2.0, 0.01);
        EXPECT_NEAR(cy, size.height / 2.0, 0.01);

        // One unit across and one unit up, square to the line of sight: a
        // 45-degree vertical field seen from sqrt(30^2 + 110^2) away puts
        // (height / 2) / tan(22.5 deg) / 114.0175 pixels in a unit either way.
        const double distance = std::sqrt(30.0 * 30.0 + 110.0 * 110.0);
        const double perUnit = (size.height / 2.0) / std::tan(22.5 * M_PI / 180.0) / distance;
        double rx = 0, ry = 0, ux = 0, uy = 0;
        screenPoint(1, 0, 0, rx, ry);
        screenPoint(0, 110.0 / distance, -30.0 / distance, ux, uy);
        EXPECT_NEAR(rx - cx, perUnit, perUnit * 0.001);
        EXPECT_NEAR(uy - cy, perUnit, perUnit * 0.001);
    }
}

} // namespace
