#include <gtest/gtest.h>

#include "settings/dialog_logic.h"

TEST(DialogLogic, BackgroundRunsNavyToPaleAndBack)
{
    EXPECT_EQ(BackgroundLevel(0, 3690), 0);
    EXPECT_EQ(BackgroundLevel(1000, 3690), 165);
    EXPECT_EQ(BackgroundLevel(3690 / 2, 3690), 220);
    EXPECT_LE(BackgroundLevel(3690, 3690), 1);
}

TEST(DialogLogic, PositionCentredAcrossAndAThirdDown)
{
    // 1024 x 768 pixels in twips, the dialog's outer size in twips.
    EXPECT_EQ(DialogPosition(15360, 11520, 7515, 4200), std::make_pair(3922, 2440));
    EXPECT_EQ(DialogPosition(100, 100, 101, 101), std::make_pair(0, 0));
}

TEST(DialogLogic, TilesCoverThePanelColumnByColumn)
{
    // The panel: 7035 x 2475 twips, 469 x 165 pixels less its border; the strip 556 x 20.
    const auto tiles = TilePositions(556, 20, 467, 163);
    ASSERT_FALSE(tiles.empty());
    EXPECT_EQ(tiles.front(), std::make_pair(0, 0));
    EXPECT_EQ(tiles[1], std::make_pair(0, 20));
    // Down the first column until past the bottom, then one more column.
    EXPECT_EQ(tiles[9], std::make_pair(0, 180));
    EXPECT_EQ(tiles[10], std::make_pair(556, 0));
    EXPECT_EQ(tiles.back(), std::make_pair(556, 180));
    EXPECT_EQ(tiles.size(), 20u);

    const auto narrow = TilePositions(10, 10, 25, 15);
    EXPECT_EQ(narrow.size(), 12u);   // x 0, 10, 20, 30; y 0, 10, 20 each
}

TEST(DialogLogic, ChoicesEnableTheirControlsAndMarkTheirBox)
{
    EXPECT_FALSE(ControlsForChoice(0).repeatList);
    EXPECT_FALSE(ControlsForChoice(0).fileButton);
    EXPECT_TRUE(ControlsForChoice(1).repeatList);
    EXPECT_FALSE(ControlsForChoice(1).fileButton);
    EXPECT_FALSE(ControlsForChoice(2).repeatList);
    EXPECT_TRUE(ControlsForChoice(2).fileButton);
    EXPECT_FALSE(ControlsForChoice(5).repeatList || ControlsForChoice(5).fileButton);
    // Boxes 0, 1 and 2 stand for the three stored kinds; any other value marks none.
    EXPECT_EQ(MarkedBox(0), 0);
    EXPECT_EQ(MarkedBox(1), 1);
    EXPECT_EQ(MarkedBox(2), 2);
    EXPECT_EQ(MarkedBox(3), -1);
    EXPECT_EQ(MarkedBox(5), -1);
    EXPECT_EQ(MarkedBox(-1), -1);
}

TEST(DialogLogic, TrackListAndTrackText)
{
    const auto entries = TrackListEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "");
    EXPECT_EQ(entries[1], "1");
    EXPECT_EQ(entries[30], "30");
    EXPECT_EQ(TwoDigitPattern(0), "");
    EXPECT_EQ(TwoDigitPattern(7), "7");

    EXPECT_EQ(TrackFromText(""), 0);
    EXPECT_EQ(TrackFromText("abc"), 0);
    EXPECT_EQ(TrackFromText("7.5"), 8);
    EXPECT_EQ(TrackFromText("2.5"), 2);
    EXPECT_EQ(TrackFromText(" 3 "), 3);
    EXPECT_EQ(TrackFromText("40000"), 0);
    EXPECT_EQ(TrackFromText("-32768"), -32768);
    EXPECT_EQ(TrackFromText("3x"), 0);
    EXPECT_EQ(TrackFromText("+4"), 4);
    EXPECT_EQ(TrackFromText("-0.5"), 0);
}

// The track text and the settings file read numbers by the same rules:
// plain decimals only, whatever a C library would also take.
TEST(DialogLogic, TrackTextTakesOnlyPlainDecimals)
{
    for (const char* text : {"0x1A", "1e1", "1E1", "inf", "nan", ".5e0", "1,5", "\t", "- 3"}) {
        EXPECT_EQ(TrackFromText(text), 0) << '"' << text << '"';
    }
    EXPECT_EQ(TrackFromText("3."), 3);
    EXPECT_EQ(TrackFromText(".5"), 0);   // half to even
    EXPECT_EQ(TrackFromText("1.5"), 2);
    EXPECT_EQ(TrackFromText("\t12\t"), 12);
}
