// Whether the desktop is put back after a show whose renderer is gone.

#include <gtest/gtest.h>

#include "display_mode.h"

namespace {

const DisplayMode kDesktop{1280, 1024, 24, 60};

TEST(DisplayModeNeedsRestore, TheShowsModeLeftBehindIsRestored)
{
    EXPECT_TRUE(DisplayModeNeedsRestore(DisplayMode{1024, 768, 16, 60}, kDesktop));
}

TEST(DisplayModeNeedsRestore, AnyOneDifferenceCounts)
{
    EXPECT_TRUE(DisplayModeNeedsRestore(DisplayMode{1024, 1024, 24, 60}, kDesktop));   // width
    EXPECT_TRUE(DisplayModeNeedsRestore(DisplayMode{1280, 768, 24, 60}, kDesktop));    // height
    EXPECT_TRUE(DisplayModeNeedsRestore(DisplayMode{1280, 1024, 16, 60}, kDesktop));   // depth
    EXPECT_TRUE(DisplayModeNeedsRestore(DisplayMode{1280, 1024, 24, 75}, kDesktop));   // frequency
}

TEST(DisplayModeNeedsRestore, TheDesktopsOwnModeIsLeftAlone)
{
    EXPECT_FALSE(DisplayModeNeedsRestore(kDesktop, kDesktop));
    // 0 and 1 stand for the hardware's default frequency, which matches any.
    EXPECT_FALSE(DisplayModeNeedsRestore(DisplayMode{1280, 1024, 24, 0}, kDesktop));
    EXPECT_FALSE(DisplayModeNeedsRestore(kDesktop, DisplayMode{1280, 1024, 24, 1}));
}

TEST(DisplayModeNeedsRestore, AModeThatCannotBeReadChangesNothing)
{
    const DisplayMode show{1024, 768, 16, 60};
    EXPECT_FALSE(DisplayModeNeedsRestore(std::nullopt, kDesktop));
    EXPECT_FALSE(DisplayModeNeedsRestore(show, std::nullopt));
    EXPECT_FALSE(DisplayModeNeedsRestore(std::nullopt, std::nullopt));
}

} // namespace
