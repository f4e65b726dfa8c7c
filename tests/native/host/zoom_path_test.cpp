// The settings dialog's zoom: out of the pointer's place when it opens, back
// into that same place when it closes.

#include <gtest/gtest.h>

#include "settings/zoom_path.h"

namespace {

void expectRect(const ZoomRect& rect, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

TEST(ZoomPath, OpensFromTheEmptyRectangleAtThePointerToTheWindow)
{
    const ZoomFrames frames = ZoomFramesFor(true, {264, 180, 759, 451}, 40, 700);
    expectRect(frames.from, 40, 700, 40, 700);
    expectRect(frames.to, 264, 180, 759, 451);
}

TEST(ZoomPath, ClosesFromTheWindowIntoThePointWhereItOpened)
{
    const ZoomFrames frames = ZoomFramesFor(false, {264, 180, 759, 451}, 40, 700);
    expectRect(frames.from, 264, 180, 759, 451);
    expectRect(frames.to, 40, 700, 40, 700);
}

TEST(ZoomPath, UnreadPointerZoomsFromTheTopLeftCorner)
{
    expectRect(ZoomFramesFor(true, {1, 2, 3, 4}, 0, 0).from, 0, 0, 0, 0);
    // A pointer left of or above the primary screen keeps its sign.
    expectRect(ZoomFramesFor(false, {1, 2, 3, 4}, -5, -1).to, -5, -1, -5, -1);
}

} // namespace
