#include "dialog_logic.h"

#include <cmath>

#include "number_text.h"
#include "settings_file.h"

std::pair<int, int> DialogPosition(int screenWidth, int screenHeight, int dialogWidth, int dialogHeight)
{
    // Each difference is a whole number first; the division drops the remainder.
    return {(screenWidth - dialogWidth) / 2, (screenHeight - dialogHeight) / 3};
}

int BackgroundLevel(int y, int height)
{
    const double k = height / 3.142;
    return static_cast<int>(std::lround(std::fabs(std::sin(y / k)) * 220.0));
}

std::vector<std::pair<int, int>> TilePositions(int tileWidth, int tileHeight, int targetWidth, int targetHeight)
{
    std::vector<std::pair<int, int>> positions;
    if (tileWidth <= 0 || tileHeight <= 0) return positions;
    int x = 0, y = 0;
    for (;;) {
        positions.push_back({x, y});
        if (y > targetHeight) {
            if (x > targetWidth) break;
            x += tileWidth;
            y = 0;
        } else {
            y += tileHeight;
        }
    }
    return positions;
}

ChoiceControls ControlsForChoice(int kind)
{
    return {kind == kMusicCd, kind == kMusicFile};
}

int MarkedBox(int kind)
{
    return kind == kMusicNone || kind == kMusicCd || kind == kMusicFile ? kind : -1;
}

std::string TwoDigitPattern(int value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

std::vector<std::string> TrackListEntries()
{
    std::vector<std::string> entries;
    for (int track = 0; track <= 30; ++track) entries.push_back(TwoDigitPattern(track));
    return entries;
}

std::int16_t TrackFromText(const std::string& text)
{
    double number = 0.0;
    if (!ReadNumber(text, number)) return 0;
    // Halves go to the even neighbour: 2.5 → 2, 7.5 → 8.
    const double rounded = std::nearbyint(number);
    if (rounded < -32768.0 || rounded > 32767.0) return 0;
    return static_cast<std::int16_t>(rounded);
}
