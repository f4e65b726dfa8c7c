// The Linux program's window-free choices: its command line, the window it
// draws into, and the frame-rate figure of -fps.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw_target.h"
#include "frame_rate_meter.h"
#include "sorvelin_options.h"

namespace {

using Args = std::vector<std::string>;

TEST(SorvelinOptions, EveryOptionTakesOneDashOrTwo)
{
    struct Case {
        Args args;
        DrawInto into;
        std::uint32_t windowId, delayUs;
        bool fps;
    } const cases[] = {
        // Alone: a window of its own at about 50 frames a second.
        {{}, DrawInto::OwnWindow, 0, 20000, false},
        {{"-root"}, DrawInto::Root, 0, 20000, false},
        {{"--root"}, DrawInto::Root, 0, 20000, false},
        {{"-window-id", "0x400008"}, DrawInto::GivenWindow, 0x400008, 20000, false},
        {{"--window-id", "4194312"}, DrawInto::GivenWindow, 0x400008, 20000, false},
        {{"--window-id=0X1A"}, DrawInto::GivenWindow, 26, 20000, false},
        {{"-delay", "0"}, DrawInto::OwnWindow, 0, 0, false},
        {{"--delay", "10000000", "-delay", "5"}, DrawInto::OwnWindow, 0, 5, false},
        {{"--root", "--delay", "100", "--fps"}, DrawInto::Root, 0, 100, true},
        {{"-fps", "-window-id", "7"}, DrawInto::GivenWindow, 7, 20000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const OptionsResult result = parseSorvelinOptions(c.args);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_FALSE(result.helpWanted);
        EXPECT_EQ(result.options.into, c.into);
        EXPECT_EQ(result.options.windowId, c.windowId);
        EXPECT_EQ(result.options.delayUs, c.delayUs);
        EXPECT_EQ(result.options.showFps, c.fps);
    }
    EXPECT_TRUE(parseSorvelinOptions({"--help"}).helpWanted);
}

TEST(SorvelinOptions, RefusesWhatItCannotUseWithAReason)
{
    const Args cases[] = {
        {"-bogus"}, {"--"}, {"-"}, {"root"}, {"---root"}, {"-fps=1"}, {"-delay"}, {"-delay", "abc"},
        {"-delay", "-5"}, {"-delay", " 5"}, {"-delay", "10000001"}, {"-delay", "99999999999999999999"},
        {"-window-id"}, {"-window-id", "0"}, {"-window-id", "0x"}, {"-window-id", "12abc"},
        {"-window-id", "0x1ffffffff"}, {"-window-id", "-3"}, {"-root", "-window-id", "5"},
    };
    for (const Args& args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const OptionsResult result = parseSorvelinOptions(args);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(DrawTarget, RootMeansTheDaemonsWindowWhenItNamesOne)
{
    SorvelinOptions own, root, given;
    root.into = DrawInto::Root;
    given.into = DrawInto::GivenWindow;
    given.windowId = 77;
    struct Case {
        const SorvelinOptions& options;
        const char* saverWindow;
        TargetKind kind;
        std::uint32_t windowId;
    } const cases[] = {
        {own, "0x400008", TargetKind::OwnWindow, 0},   // only -root reads the variable
        {root, nullptr, TargetKind::RootWindow, 0},
        {root, "", TargetKind::RootWindow, 0},
        {root, "0x400008", TargetKind::Existing, 0x400008},
        {root, "400008", TargetKind::Existing, 0x400008},   // hex without the 0x too
        {given, "0x400008", TargetKind::Existing, 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saverWindow == nullptr ? "(unset)" : c.saverWindow);
        const DrawTarget target = chooseDrawTarget(c.options, c.saverWindow);
        ASSERT_TRUE(target.ok()) << target.error;
        EXPECT_EQ(target.kind, c.kind);
        EXPECT_EQ(target.windowId, c.windowId);
        // Keys only in a window of its own: the daemon owns the keyboard in its window.
        EXPECT_EQ(target.readsKeys(), c.kind == TargetKind::OwnWindow);
    }
    for (const char* bad : {"zz", "0", "0x", "0x400008 "}) EXPECT_FALSE(chooseDrawTarget(root, bad).ok()) << bad;
}

TEST(FrameRateMeter, ReportsFramesPerSecondOncePerPeriodAcrossTheClocksWrap)
{
    for (const std::uint32_t start : {1000u, 0xFFFFF000u}) {
        FrameRateMeter meter(3000);
        double rate = 0;
        EXPECT_FALSE(meter.frameDone(start, rate));   // marks the start only
        // 20 ms a frame for six seconds: a report of 50 frames a second at 3 s and at 6 s.
        std::vector<std::uint32_t> reportedAt;
        for (std::uint32_t t = 20; t <= 6000; t += 20) {
            if (!meter.frameDone(start + t, rate)) continue;
            reportedAt.push_back(t);
            EXPECT_DOUBLE_EQ(rate, 50.0);
        }
        EXPECT_EQ(reportedAt, (std::vector<std::uint32_t>{3000, 6000}));
    }
}

} // namespace
