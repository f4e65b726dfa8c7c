#include "button_face.h"

#include <cmath>
#include <cstdlib>
#include <string>

const char* const kGradientLight = "&HFFFFFF";
const char* const kGradientShade = "&HC6C5D7";

std::array<FacePiece, 8> FacePieces(int W, int H)
{
    return {{
        {{1, 1, 60, 60}, {0, 0, 60, 60}},                  // top-left corner
        {{60, 1, W - 120, 60}, {60, 1, 840, 60}},          // top edge
        {{W - 60, 1, 60, 60}, {900, 1, 60, 60}},           // top-right corner
        {{W - 60, 60, 60, H - 120}, {900, 60, 60, 255}},   // right edge
        {{W - 60, H - 60, 60, 60}, {900, 315, 60, 60}},    // bottom-right corner
        {{60, H - 60, W - 120, 60}, {60, 315, 840, 60}},   // bottom edge
        {{1, H - 60, 60, 60}, {0, 315, 60, 60}},           // bottom-left corner
        {{1, 60, 60, H - 120}, {1, 60, 60, 255}},          // left edge
    }};
}

int TwipsToPixels(int twips, double twipsPerPixel)
{
    return static_cast<int>(std::floor(twips / twipsPerPixel + 0.5));
}

PixelRect ToPixels(const TwipRect& rect, double twipsPerPixel)
{
    return {TwipsToPixels(rect.x, twipsPerPixel), TwipsToPixels(rect.y, twipsPerPixel),
            TwipsToPixels(rect.width, twipsPerPixel), TwipsToPixels(rect.height, twipsPerPixel)};
}

VertexColour GradientVertexColour(const char* literal)
{
    const std::string digits = std::string(literal).substr(2, 6);
    auto channel = [&](std::size_t at) {
        return static_cast<std::uint16_t>(std::strtoul(digits.substr(at, 2).c_str(), nullptr, 16) << 8);
    };
    return {channel(0), channel(2), channel(4)};
}

FaceGradient GradientFor(bool reversed)
{
    const VertexColour light = GradientVertexColour(kGradientLight);
    const VertexColour shade = GradientVertexColour(kGradientShade);
    return reversed ? FaceGradient{shade, light} : FaceGradient{light, shade};
}

double CaptionTop(int heightTwips)
{
    return (heightTwips - kCaptionHeightTwips - 20) / 2.0;
}
