#include <gtest/gtest.h>

#include "renderer_watch.h"
#include "show_timers.h"

TEST(ShowTimers, PollTheMusicFileEverySecondTheCdFiveTimesASecondAndTheRendererTwice)
{
    EXPECT_EQ(kTimer1Ms, 1000u);
    EXPECT_EQ(kTimer2Ms, 200u);
    EXPECT_EQ(kTimer3Ms, 500u);
}

TEST(RendererWatch, EndsAtOnceWhenTheRendererIsGone)
{
    RendererWatch watch;
    watch.started();
    EXPECT_TRUE(watch.keepShowing(true, true, 1500));
    EXPECT_FALSE(watch.keepShowing(false, false, 2000));

    RendererWatch neverStarted;
    neverStarted.started();
    EXPECT_FALSE(neverStarted.keepShowing(false, false, 1500));
}

TEST(RendererWatch, WaitsForALiveRenderersFirstWindowHoweverLongItTakes)
{
    RendererWatch watch;
    watch.started();
    for (std::uint32_t now : {500u, 5000u, 6000u, 60000u, 0xFFFFF000u, 1000u}) {   // the clock wraps too
        EXPECT_TRUE(watch.keepShowing(false, true, now)) << now << " ms: still starting";
    }
    EXPECT_FALSE(watch.keepShowing(false, false, 1500)) << "gone before it ever showed a window";
}

TEST(RendererWatch, ToleratesAShortGapWhileTheWindowIsMadeAgain)
{
    RendererWatch watch;
    watch.started();
    EXPECT_TRUE(watch.keepShowing(true, true, 500));
    EXPECT_TRUE(watch.keepShowing(false, true, 1000));
    EXPECT_TRUE(watch.keepShowing(false, true, 1500));
    EXPECT_TRUE(watch.keepShowing(true, true, 2000));
    // A new gap is timed from its own start.
    EXPECT_TRUE(watch.keepShowing(false, true, 10000));
    EXPECT_TRUE(watch.keepShowing(false, true, 14999));
    EXPECT_FALSE(watch.keepShowing(false, true, 15000)) << "five seconds to make its window again";
}
