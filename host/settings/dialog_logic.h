#pragma once
// The settings dialog's rules that need no window: layout sums, the
// background gradient, the panel's tiles, the choice table and the track text.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The dialog's outer position: centred across, a third of the free height down.
std::pair<int, int> DialogPosition(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight);

// Grey level v of the background line at y (0 … H, twips): |sin(y / (H / 3.142))| × 220;
// the line's colour is (v, v, v + 30).
int BackgroundLevel(int y, int height);

// Where the strip is copied, in pixels: down each column, then the next column.
std::vector<std::pair<int, int>> TilePositions(int tileWidth, int tileHeight, int targetWidth, int targetHeight);

// Which controls a music choice enables.
struct ChoiceControls {
    bool repeatList;    // BGM_Repeat
    bool fileButton;    // Cmd_File
};
ChoiceControls ControlsForChoice(int kind);

// The box that shows as marked for a kind; -1 when none.
int MarkedBox(int kind);

// A number with the pattern "##": no leading zeros, empty for 0.
std::string TwoDigitPattern(int value);

// The 31 entries of the track list: empty, then 1 to 30.
std::vector<std::string> TrackListEntries();

// The track list's text as stored by OK: a number rounded half to even,
// 0 for text that is no number or a number outside 16 bits.
std::int16_t TrackFromText(const std::string& text);
